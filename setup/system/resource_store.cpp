#include "resource_store.h"

#include "core/ascii.h"

#include <windows.h>

namespace sys {

std::optional<std::string_view> ResourceStore::Find(std::string_view name, std::string_view type) const {
    // The builder stores names and types upper-cased; upper-casing here makes the lookup ignore
    // ASCII case on every system.
    const std::string upperName = core::AsciiUpper(name);
    const std::string upperType = core::AsciiUpper(type);
    if (upperName.empty() || upperType.empty()) return std::nullopt;
    HRSRC info = FindResourceA(nullptr, upperName.c_str(), upperType.c_str());
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(nullptr, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(nullptr, info));
}

} // namespace sys
