#include "payload_store.h"

#include "ascii.h"
#include "packed_resource.h"
#include "setup_error.h"

namespace core {

std::string_view PayloadStore::Get(std::string_view name, std::string_view type) const {
    if (auto bytes = Find(name, type)) return *bytes;
    throw SetupError("Resource " + std::string(name) + " not found");
}

namespace {

[[noreturn]] void RaiseDamaged(std::string_view name, const std::string& how) {
    throw DamagedResourceError("The setup program is damaged: its resource " + std::string(name) + " " + how +
                               "; setup must be downloaded again");
}

// The resource's bytes against its entry, the damage named by the resource.
void RequireAsRecordedNamed(std::string_view resource, const PayloadIndexEntry& entry,
                            std::string_view name) {
    try {
        RequireAsRecorded(resource, entry);
    } catch (const DamagedResourceError& e) {
        RaiseDamaged(name, std::string("is not as its builder recorded it: ") + e.what());
    }
}

} // namespace

const std::vector<PayloadIndexEntry>& PayloadStore::Index() const {
    if (!index_) {
        const std::optional<std::string_view> text = Find(kPayloadIndexName, kPayloadIndexType);
        if (!text)
            throw DamagedResourceError("The setup program is damaged: it has no index of its payload; setup "
                                       "must be downloaded again");
        try {
            index_ = ParsePayloadIndex(*text);
        } catch (const DamagedResourceError& e) {
            throw DamagedResourceError("The setup program is damaged: " + std::string(e.what()) +
                                       "; setup must be downloaded again");
        }
    }
    return *index_;
}

std::string_view PayloadStore::GetChecked(std::string_view name, std::string_view type) const {
    const std::string_view resource = Get(name, type);
    const std::string upperName = AsciiUpper(name), upperType = AsciiUpper(type);
    for (const PayloadIndexEntry& entry : Index()) {
        if (entry.name != upperName || entry.type != upperType) continue;
        RequireAsRecordedNamed(resource, entry, name);
        return resource;
    }
    RaiseDamaged(name, "is not in its index");
}

void PayloadStore::CheckAll() const {
    for (const PayloadIndexEntry& entry : Index()) {
        const std::optional<std::string_view> resource = Find(entry.name, entry.type);
        if (!resource) RaiseDamaged(entry.name, "is missing");
        RequireAsRecordedNamed(*resource, entry, entry.name);
    }
}

std::string PayloadStore::GetUnpacked(std::string_view name, std::string_view type) const {
    const std::string_view resource = GetChecked(name, type);
    try {
        return UnpackedResource(resource);
    } catch (const DamagedResourceError& e) {
        throw DamagedResourceError("The setup program is damaged: its resource " + std::string(name) +
                                   " cannot be unpacked (" + e.what() + "); setup must be downloaded again");
    }
}

} // namespace core
