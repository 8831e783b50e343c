#pragma once
#include <string>

namespace core {

// The standard error box adds a full stop when the message's last character sorts after '.':
// a letter, digit or Chinese character gets one; '.', '!' or ')' does not.
std::string WithFullStop(std::string message);

} // namespace core
