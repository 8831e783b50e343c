#pragma once
// The one place where GBK text meets UTF-16: what is shown or handed to a wide API is converted
// here with code page 936 named explicitly, so it reads right whatever the system's code page is.
#include <windows.h>

#include <string>
#include <string_view>

namespace sys {

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);
// The text as GBK only where every character has its own GBK form: false, and `gbk` untouched, when
// one would become a look-alike or a question mark (no best-fit mapping).
bool GbkExactly(std::wstring_view wide, std::string& gbk);
// For files that are UTF-8 whatever the code page (the installation log).
std::string Utf8(std::wstring_view wide);

// A window's text as GBK, read through the wide API.
std::string WindowTextGbk(HWND window);

} // namespace sys
