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

// The file name of a log asked for without one (/LOG alone), or of the log written in place of
// one that could not be opened: "VlmraSetup-20261211-055229.log".
std::string DefaultLogFileName(const LogTime& time);

// The local time's distance from UTC, from the system's bias (UTC = local time + bias, in
// minutes): "UTC+08:00", "UTC-03:30", "UTC+00:00".
std::string UtcOffsetText(int biasMinutes);

} // namespace core
