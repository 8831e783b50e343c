#include "profile.h"

#include "ascii.h"
#include "gbk.h"
#include "manifest.h"

#include <vector>

namespace core {
namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string CutToLimit(std::string_view value) {
    if (value.size() <= kProfileValueLimit) return std::string(value);
    size_t cut = 0;
    while (cut < kProfileValueLimit) {
        const size_t width = IsGbkLeadByte(static_cast<unsigned char>(value[cut])) ? 2 : 1;
        if (cut + width > kProfileValueLimit) break;
        cut += width;
    }
    return std::string(value.substr(0, cut));
}

} // namespace

std::string ProfileString(std::string_view iniText, std::string_view section, std::string_view key) {
    const std::string_view wantedSection = Trim(section);
    const std::string_view wantedKey = Trim(key);
    bool inSection = false;
    bool sectionSeen = false;
    for (const std::string& text : SplitLines(iniText)) {
        const std::string_view line = Trim(text);
        if (!line.empty() && line.front() == '[') {
            if (inSection) return {}; // the first section of that name is the one that counts
            const size_t close = line.find(']');
            const std::string_view name =
                Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            inSection = !sectionSeen && EqualsIgnoringAsciiCase(name, wantedSection);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (!EqualsIgnoringAsciiCase(Trim(line.substr(0, eq)), wantedKey)) continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return CutToLimit(value);
    }
    return {};
}

std::string ProfileWithValue(std::string_view iniText, std::string_view section, std::string_view key,
                             std::string_view value) {
    // Lines with their own line ends, so that untouched lines are copied exactly.
    std::vector<std::string_view> lines;
    for (std::string_view rest = iniText; !rest.empty();) {
        size_t end = rest.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            end = rest.size();
        } else {
            end += (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
        }
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    const auto content = [](std::string_view line) {
        return Trim(line.substr(0, line.find_first_of("\r\n")));
    };
    const std::string newLine = std::string(Trim(key)) + "=" + std::string(value) + "\r\n";

    bool inSection = false;
    size_t insertAt = std::string_view::npos; // after the last non-empty line of the section
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = content(lines[i]);
        if (!line.empty() && line.front() == '[') {
            if (inSection) break;
            const size_t close = line.find(']');
            inSection = EqualsIgnoringAsciiCase(
                Trim(line.substr(1, close == line.npos ? line.npos : close - 1)), Trim(section));
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (!line.empty()) insertAt = i + 1;
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && EqualsIgnoringAsciiCase(Trim(line.substr(0, eq)), Trim(key))) {
            std::string out;
            for (size_t j = 0; j < lines.size(); ++j)
                out += j == i ? std::string(Trim(line.substr(0, eq))) + "=" + std::string(value) + "\r\n"
                              : std::string(lines[j]);
            return out;
        }
    }
    std::string out;
    const auto endsWithLineEnd = [](const std::string& s) {
        return s.empty() || s.back() == '\n' || s.back() == '\r';
    };
    if (insertAt == std::string_view::npos) {
        out = std::string(iniText);
        if (!endsWithLineEnd(out)) out += "\r\n";
        return out + "[" + std::string(Trim(section)) + "]\r\n" + newLine;
    }
    for (size_t j = 0; j < lines.size(); ++j) {
        if (j == insertAt) {
            if (!endsWithLineEnd(out)) out += "\r\n";
            out += newLine;
        }
        out += std::string(lines[j]);
    }
    if (insertAt == lines.size()) {
        if (!endsWithLineEnd(out)) out += "\r\n";
        out += newLine;
    }
    return out;
}

} // namespace core
