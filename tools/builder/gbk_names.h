#pragma once
// How payload names travel: GBK in the manifest, UTF-8 in the maker's folder on Linux.
#include <optional>
#include <string>
#include <string_view>

namespace builder {

// The GBK text as UTF-8; nothing when it is not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// The GBK text's characters as Unicode code points; nothing when it is not valid GBK.
std::optional<std::u32string> GbkToCodePoints(std::string_view gbk);

// The UTF-8 text as GBK; raises std::runtime_error when a character has no GBK form.
std::string Utf8ToGbk(std::string_view utf8);

// Where a manifest's relative path lies in a payload folder on Linux: the GBK path decoded to
// UTF-8, with / for \ (only backslashes that are characters of their own). Raises
// std::runtime_error for a path that is not valid GBK.
std::string PayloadFilePath(std::string_view gbkRelPath);

// Printable form of a manifest line for messages: UTF-8 when it decodes, otherwise with the
// undecodable bytes written as \xNN.
std::string Printable(std::string_view gbk);

} // namespace builder
