#pragma once
// The one place where GBK text meets UTF-16: what is shown or handed to a wide API is converted
// here with code page 936 named explicitly, so it reads right whatever the system's code page is.
#include <string>
#include <string_view>

namespace ui {

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);

} // namespace ui
