#pragma once
// The payload: resources addressed by (name, type), both matched ignoring ASCII case.
#include "payload_index.h"

#include <vector>

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
    // As Get, for a payload resource: its bytes are checked against the builder's index first. A
    // resource that differs from its entry, or has none, raises DamagedResourceError naming it.
    std::string_view GetChecked(std::string_view name, std::string_view type) const;
    // Every resource of the index checked, before anything is written: DamagedResourceError names
    // the first that differs, or the index itself when it is missing or damaged.
    void CheckAll() const;

  protected:
    // For a store whose resources can change after the index was read (a test's, in memory).
    void ForgetIndex() { index_.reset(); }

  private:
    const std::vector<PayloadIndexEntry>& Index() const;
    mutable std::optional<std::vector<PayloadIndexEntry>> index_; // read at its first use
};

} // namespace core
