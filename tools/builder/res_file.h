#pragma once
// Win32 .res files, the compiled form of the program's own resources. A resource is named by a
// type and a name, each a string or a 16-bit ordinal.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace builder {

using ResId = std::variant<std::u16string, std::uint16_t>; // string or ordinal

constexpr std::uint16_t kRtRcData = 10;
constexpr std::uint16_t kLangNeutral = 0;

// An ASCII name as a resource id.
ResId NameId(std::string_view ascii);

struct ResRecord {
    ResId type;
    ResId name;
    std::uint16_t language = kLangNeutral;
    std::string_view data; // points into the bytes given to ReadResFile
};

// The resources of a .res file in file order, without the empty record that opens it.
// Raises BuildRefused when a record runs past the end of the file.
std::vector<ResRecord> ReadResFile(std::string_view bytes);

} // namespace builder
