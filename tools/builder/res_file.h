#pragma once
// Win32 .res files: the binary resource format that windres turns into the image's resource
// section. A resource is named by a type and a name, each a string or a 16-bit ordinal.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

namespace builder {

using ResId = std::variant<std::string, std::uint16_t>; // ASCII string or ordinal

constexpr std::uint16_t kRtRcData = 10;
constexpr std::uint16_t kLangNeutral = 0;

// The header of one resource record, padded so that its data starts on a 4-byte boundary.
std::string ResourceHeader(const ResId& type, const ResId& name, std::uint16_t language,
                           std::uint32_t dataSize);
// Zero bytes that bring a record of `dataSize` bytes of data to a 4-byte boundary.
std::string DataPadding(std::uint64_t dataSize);

} // namespace builder
