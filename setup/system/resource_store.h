#pragma once
// The payload store over the program's own resources, read straight from the loaded image.
#include "core/payload_store.h"

namespace sys {

class ResourceStore : public core::PayloadStore {
  public:
    std::optional<std::string_view> Find(std::string_view name, std::string_view type) const override;
};

} // namespace sys
