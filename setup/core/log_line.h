#pragma once
// The installation log's lines: a local time on each, CR LF line ends. The text is taken as it is
// (the log file converts it); a text of several lines gives one stamped line for each.
#include <string>
#include <string_view>

namespace core {

struct LogTime {
    int year, month, day, hour, minute, second, millisecond;
};

// "2026-12-11 05:52:29.123  text\r\n" for each line of `text`; an empty text gives one stamped
// empty line.
std::string LogLines(const LogTime& time, std::string_view text);

} // namespace core
