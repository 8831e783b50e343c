#pragma once
// How payload names travel: GBK in the manifest, UTF-8 in the maker's folder on Linux.
#include <optional>
#include <string>
#include <string_view>

namespace builder {

// The GBK text as UTF-8; nothing when it is not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// Printable form of a manifest line for messages: UTF-8 when it decodes, otherwise with the
// undecodable bytes written as \xNN.
std::string Printable(std::string_view gbk);

} // namespace builder
