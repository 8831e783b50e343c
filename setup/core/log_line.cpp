#include "log_line.h"

namespace core {

namespace {

// The number in exactly `digits` decimal digits (the setup links no printf for this).
void AppendDigits(std::string& out, int number, int digits) {
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && number > 0; --i, number /= 10)
        text[static_cast<size_t>(i)] = static_cast<char>('0' + number % 10);
    out += text;
}

} // namespace

std::string LogLines(const LogTime& time, std::string_view text) {
    const struct {
        int value, digits;
        char after;
    } parts[] = {{time.year, 4, '-'},   {time.month, 2, '-'},  {time.day, 2, ' '},        {time.hour, 2, ':'},
                 {time.minute, 2, ':'}, {time.second, 2, '.'}, {time.millisecond, 3, ' '}};
    std::string stamp;
    for (const auto& part : parts) {
        AppendDigits(stamp, part.value, part.digits);
        stamp += part.after;
    }
    stamp += ' ';
    std::string lines;
    size_t start = 0;
    // CR, LF and CR LF each end a line; neither byte is ever part of a double-byte character.
    for (;;) {
        const size_t end = text.find_first_of("\r\n", start);
        lines += stamp;
        lines += text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        lines += "\r\n";
        if (end == std::string_view::npos) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (start == text.size()) break;
    }
    return lines;
}

std::string DefaultLogFileName(const LogTime& time) {
    std::string name = "VlmraSetup-";
    AppendDigits(name, time.year, 4);
    AppendDigits(name, time.month, 2);
    AppendDigits(name, time.day, 2);
    name += '-';
    AppendDigits(name, time.hour, 2);
    AppendDigits(name, time.minute, 2);
    AppendDigits(name, time.second, 2);
    return name + ".log";
}

std::string UtcOffsetText(int biasMinutes) {
    const int ahead = -biasMinutes;
    const int minutes = ahead < 0 ? -ahead : ahead;
    std::string text = ahead < 0 ? "UTC-" : "UTC+";
    AppendDigits(text, minutes / 60, 2);
    text += ':';
    AppendDigits(text, minutes % 60, 2);
    return text;
}

} // namespace core
