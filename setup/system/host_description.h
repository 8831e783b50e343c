#pragma once
// What the installation log's head says of the machine and the account setup runs in, so that an
// administrator reading a log from a deployment sees where and as whom it ran.
#include <string>

namespace sys {

// "Windows 10.0 (build 19045), user alice, elevated: yes, local time UTC+08:00" (GBK).
std::string HostDescription();
// Whether setup runs with elevated rights; when that cannot be told, it counts as elevated.
bool RunsElevated();

} // namespace sys
