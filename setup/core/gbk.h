#pragma once
// GBK (code page 936) byte-level helpers. Text data travels as GBK bytes in std::string; these
// helpers never decode it, they only know which bytes begin a double-byte character.
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsGbkTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// True when every byte is ASCII or part of a well-formed double-byte character.
bool IsValidGbk(std::string_view text);

// Position of the last byte that is one of `separators` and stands as a character of its own,
// never the second byte of a double-byte character (118 GBK characters end in 0x5C).
// std::string_view::npos when there is none.
size_t FindLastSeparator(std::string_view text, std::string_view separators);

// The path split at every byte of `separators` that is a character of its own.
std::vector<std::string> SplitAtSeparators(std::string_view path, std::string_view separators);
// The path split at every backslash that is a character of its own.
inline std::vector<std::string> SplitAtBackslashes(std::string_view path) {
    return SplitAtSeparators(path, "\\");
}

} // namespace core
