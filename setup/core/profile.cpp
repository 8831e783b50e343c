#include "profile.h"

#include "ascii.h"
#include "gbk.h"
#include "manifest.h"

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

} // namespace core
