#include "windows_names.h"

#include "gbk_names.h"
#include "core/ascii.h"
#include "core/gbk.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace builder {
namespace {

bool IsDeviceName(const std::string& part) {
    // The name before the first dot, without the blanks Windows drops after it, is what Windows
    // looks at: "CON.txt" and "CON .txt" are the console too.
    std::string stem = core::AsciiUpper(part.substr(0, part.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    static const std::array<const char*, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : plain)
        if (stem == device) return true;
    if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
    // COM0 to COM9 and LPT0 to LPT9, and with the superscript digits ¹ ² ³ that Windows takes too.
    const std::optional<std::u32string> number = GbkToCodePoints(stem.substr(3));
    return number && number->size() == 1 &&
           (((*number)[0] >= U'0' && (*number)[0] <= U'9') || (*number)[0] == U'\u00B9' ||
            (*number)[0] == U'\u00B2' || (*number)[0] == U'\u00B3');
}

// An 8.3 short name such as "PROGRA~1" or "README~2.TXT": it may name another file than the one
// whose long name it looks like.
bool IsShortNameForm(const std::string& part) {
    const size_t dot = part.find('.');
    const std::string stem = part.substr(0, dot);
    const size_t tilde = stem.rfind('~');
    if (stem.size() > 8 || tilde == std::string::npos || tilde + 1 == stem.size()) return false;
    if (dot != std::string::npos && part.size() - dot - 1 > 3) return false;
    return stem.find_first_not_of("0123456789", tilde + 1) == std::string::npos;
}

// Upper case as the file system compares names, for the letters GBK holds.
char32_t FoldCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
        (c >= 0xFF41 && c <= 0xFF5A))
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0x2170 && c <= 0x217F) return c - 0x10; // small Roman numerals
    return c;
}

} // namespace

std::string WindowsNameProblem(std::string_view gbkRelPath) {
    for (const std::string& part : core::SplitAtSeparators(gbkRelPath, "\\/")) {
        if (part.empty() || part == "." || part == "..") continue;
        if (IsDeviceName(part)) return "has a part that Windows takes for a device: \"" + part + "\"";
        if (IsShortNameForm(part))
            return "has a part in the form of a short (8.3) name, which may name another file: \"" + part +
                   "\"";
        if (part.back() == '.' || part.back() == ' ')
            return "has a part that ends in a dot or a blank, which Windows drops: \"" + part + "\"";
        for (size_t i = 0; i < part.size(); ++i) {
            const auto c = static_cast<unsigned char>(part[i]);
            if (core::IsGbkLeadByte(c) && i + 1 < part.size()) {
                ++i; // a double-byte character: its second byte is no character of its own
                continue;
            }
            if (c < 0x20 || std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
                return "has a character that Windows does not allow in a name";
        }
    }
    return {};
}

std::u32string SameFileKey(std::string_view gbkRelPath) {
    std::vector<std::u32string> parts;
    for (const std::string& part : core::SplitAtSeparators(gbkRelPath, "\\/")) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        const std::optional<std::u32string> points = GbkToCodePoints(part);
        if (!points) throw std::runtime_error("not valid GBK");
        std::u32string folded;
        for (char32_t c : *points)
            folded += FoldCase(c);
        parts.push_back(folded);
    }
    std::u32string key;
    for (const std::u32string& part : parts)
        key += part + U'\\';
    return key;
}

} // namespace builder
