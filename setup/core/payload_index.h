#pragma once
// The builder's record of every payload resource, kept in a resource of its own: how the resource
// is stored (behind a pack header or as the file's own bytes), its size and a CRC-32 of its bytes
// as they lie in the setup. The setup checks every resource against it before it writes anything,
// and each one again as it is written: a damaged download is refused, never installed.
#include "packed_resource.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Where the index lies: a resource of a type of its own, never one a manifest line could name.
constexpr char kPayloadIndexType[] = "VLMRINDEX";
constexpr char kPayloadIndexName[] = "PAYLOAD";

struct PayloadIndexEntry {
    std::string name;    // upper-cased, as stored
    std::string type;    // upper-cased, as stored
    bool packed = false; // behind a pack header
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
};

std::uint32_t Crc32(std::string_view bytes);
// The CRC-32 of bytes that follow those whose CRC-32 is `crc` (0 for none).
std::uint32_t Crc32Continued(std::uint32_t crc, std::string_view bytes);

// The entry of a resource whose bytes are `stored`.
PayloadIndexEntry IndexEntryFor(const std::string& name, const std::string& type, std::string_view stored);

// One line per entry, "NAME TYPE packed|plain SIZE CRC" (CRC in hex), CR LF; a last line "END CRC"
// checks the lines before it.
std::string EncodePayloadIndex(const std::vector<PayloadIndexEntry>& entries);
// Raises DamagedResourceError when the index is not one EncodePayloadIndex made.
std::vector<PayloadIndexEntry> ParsePayloadIndex(std::string_view text);

// Raises DamagedResourceError, saying how, when the resource's bytes are not those the entry
// records: another size, another CRC, or a pack header where none was or none where one was.
void RequireAsRecorded(std::string_view stored, const PayloadIndexEntry& entry);

} // namespace core
