#pragma once
// The payload: resources addressed by (name, type), both matched ignoring ASCII case.
#include <optional>
#include <string>
#include <string_view>

namespace core {

class PayloadStore {
  public:
    virtual ~PayloadStore() = default;
    // The resource's exact bytes, or nothing when no such resource exists.
    virtual std::optional<std::string_view> Find(std::string_view name, std::string_view type) const = 0;
    // As Find, but a missing resource raises "Resource %s not found" with the name as spelt.
    std::string_view Get(std::string_view name, std::string_view type) const;
    // The resource's original bytes whole, unpacked if the builder compressed it: for the small
    // texts setup reads. A damaged resource raises an error naming it.
    std::string GetUnpacked(std::string_view name, std::string_view type) const;
};

} // namespace core
