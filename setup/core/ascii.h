#pragma once
#include <string>
#include <string_view>

namespace core {

inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

// Only ASCII letters fold; bytes of double-byte characters compare exactly.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

} // namespace core
