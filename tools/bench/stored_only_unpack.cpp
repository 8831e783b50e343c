// The payload format's reading without the inflater, linked in place of the setup's own only to
// measure what the inflater adds to the program (scripts/bench). A compressed resource is refused.
#include "core/packed_resource.h"

#include <cstring>

namespace core {

std::string EncodePackHeader(const PackHeader&) {
    return {};
}

std::optional<PackHeader> ReadPackHeader(std::string_view resource) {
    if (resource.size() < kPackHeaderSize || std::memcmp(resource.data(), "VLZ\x01", 4) != 0) return std::nullopt;
    return PackHeader{static_cast<PackMethod>(resource[4]), resource.size() - kPackHeaderSize};
}

void UnpackResource(std::string_view resource, std::string&, const std::function<void(std::string_view)>& write) {
    const std::optional<PackHeader> header = ReadPackHeader(resource);
    if (header && header->method != PackMethod::Stored) throw DamagedResourceError("no inflater in this build");
    write(header ? resource.substr(kPackHeaderSize) : resource);
}

std::string UnpackedResource(std::string_view resource) {
    std::string buffer, whole;
    UnpackResource(resource, buffer, [&whole](std::string_view piece) { whole.append(piece); });
    return whole;
}

} // namespace core
