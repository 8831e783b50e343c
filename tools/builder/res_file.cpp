#include "res_file.h"

namespace builder {
namespace {

void Put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutId(std::string& out, const ResId& id) {
    if (const auto* ordinal = std::get_if<std::uint16_t>(&id)) {
        Put16(out, 0xFFFF);
        Put16(out, *ordinal);
        return;
    }
    for (unsigned char c : std::get<std::string>(id))
        Put16(out, c);
    Put16(out, 0);
}

} // namespace

std::string ResourceHeader(const ResId& type, const ResId& name, std::uint16_t language,
                           std::uint32_t dataSize) {
    std::string ids;
    PutId(ids, type);
    PutId(ids, name);
    while ((8 + ids.size()) % 4)
        ids += '\0';
    std::string header;
    Put32(header, dataSize);
    Put32(header, static_cast<std::uint32_t>(8 + ids.size() + 16));
    header += ids;
    Put32(header, 0);      // data version
    Put16(header, 0x0030); // moveable, pure
    Put16(header, language);
    Put32(header, 0); // version
    Put32(header, 0); // characteristics
    return header;
}

std::string DataPadding(std::uint64_t dataSize) {
    return std::string((4 - dataSize % 4) % 4, '\0');
}

} // namespace builder
