#include "gbk.h"

namespace core {

bool IsValidGbk(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) continue;
        if (!IsGbkLeadByte(c) || i + 1 >= text.size() ||
            !IsGbkTrailByte(static_cast<unsigned char>(text[i + 1])))
            return false;
        ++i;
    }
    return true;
}

size_t FindLastSeparator(std::string_view text, std::string_view separators) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsGbkLeadByte(c) && i + 1 < text.size()) {
            ++i; // the trail byte is part of this character, whatever its value
            continue;
        }
        if (separators.find(text[i]) != std::string_view::npos) found = i;
    }
    return found;
}

std::vector<std::string> SplitAtSeparators(std::string_view path, std::string_view separators) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsGbkLeadByte(c) && i + 1 < path.size()) {
            parts.back() += path.substr(i, 2);
            ++i;
        } else if (separators.find(path[i]) != std::string_view::npos) {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}

} // namespace core
