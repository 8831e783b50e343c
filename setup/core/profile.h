#pragma once
// Profile (ini) reading with the system's profile semantics, over the file's bytes, so that GBK
// values come back unchanged whatever the system's code page is.
#include <string>
#include <string_view>

namespace core {

// Longest value a read returns, in bytes; longer values are cut (never inside a character).
constexpr size_t kProfileValueLimit = 2047;

// The value of `key` in `section`: names match ignoring ASCII case, blanks around names and values
// are dropped, one pair of matching quotes around a value is removed, the first match wins.
// Empty when the section or key is missing.
std::string ProfileString(std::string_view iniText, std::string_view section, std::string_view key);

// The text with `key` in `section` set to `value`, as a profile write does it: an existing line of
// that key gets the new value, a missing key is added at the end of its section, a missing section
// at the end of the text; everything else stays byte for byte.
std::string ProfileWithValue(std::string_view iniText, std::string_view section, std::string_view key,
                             std::string_view value);

} // namespace core
