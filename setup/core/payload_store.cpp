#include "payload_store.h"

#include "setup_error.h"

namespace core {

std::string_view PayloadStore::Get(std::string_view name, std::string_view type) const {
    if (auto bytes = Find(name, type)) return *bytes;
    throw SetupError("Resource " + std::string(name) + " not found");
}

} // namespace core
