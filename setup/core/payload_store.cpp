#include "payload_store.h"

#include "packed_resource.h"
#include "setup_error.h"

namespace core {

std::string_view PayloadStore::Get(std::string_view name, std::string_view type) const {
    if (auto bytes = Find(name, type)) return *bytes;
    throw SetupError("Resource " + std::string(name) + " not found");
}

std::string PayloadStore::GetUnpacked(std::string_view name, std::string_view type) const {
    const std::string_view resource = Get(name, type);
    try {
        return UnpackedResource(resource);
    } catch (const DamagedResourceError& e) {
        throw DamagedResourceError("The setup program is damaged: its resource " + std::string(name) +
                                   " cannot be unpacked (" + e.what() + "); setup must be downloaded again");
    }
}

} // namespace core
