#pragma once
// An error that the setup raises: its message is the exact text (GBK) that the standard error box
// shows, before the full stop is added.
#include <stdexcept>
#include <string>

namespace core {

class SetupError : public std::runtime_error {
  public:
    explicit SetupError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace core
