#include "windows_names.h"

#include "gbk_names.h"
#include "core/ascii.h"
#include "core/gbk.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace builder {
namespace {

bool IsDeviceName(const std::string& part) {
    // The name before the first dot is what Windows looks at: "CON.txt" is the console too.
    const std::string stem = core::AsciiUpper(part.substr(0, part.find('.')));
    static const std::array<const char*, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : plain)
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
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
