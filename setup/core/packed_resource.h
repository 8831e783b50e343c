#pragma once
// How a payload resource is stored. Most are the file's own bytes. One that the builder compressed
// starts with a header: a marker, the method, the original size and a check (Adler-32) of the header itself;
// the deflate stream (zlib format, with its own check of the content) follows. A file whose own
// bytes would read as such a header is stored behind a header too, with the "stored" method, so
// that every resource reads back as exactly the file it came from.
#include "setup_error.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class PackMethod : std::uint8_t { Stored = 0, Deflate = 8 };

struct PackHeader {
    PackMethod method;
    std::uint64_t originalSize;
};

constexpr size_t kPackHeaderSize = 20;

// The header's 20 bytes.
std::string EncodePackHeader(const PackHeader& header);
// The header the resource starts with, or nothing for a resource stored as its own bytes.
std::optional<PackHeader> ReadPackHeader(std::string_view resource);

// A compressed resource that does not inflate to exactly its original size with its check intact.
class DamagedResourceError : public SetupError {
  public:
    using SetupError::SetupError;
};

// The size of the buffer a compressed file is gathered in before it is written: large pieces keep
// the writes few.
constexpr size_t kUnpackBufferSize = 256 * 1024;

// Hands the resource's original bytes to `write`, in pieces no larger than `buffer`'s size (a stored
// resource in one piece, as it lies in the image). Raises DamagedResourceError, with zlib's reason,
// when the resource is damaged or truncated; what `write` was given until then is not to be used.
void UnpackResource(std::string_view resource, std::string& buffer,
                    const std::function<void(std::string_view)>& write);

// The resource the builder stores for a file's bytes (pack_resource.cpp, not linked into the setup). With
// `compress`, deflate-compressed behind a header when that is smaller; otherwise, and when compression does
// not shrink it, the bytes themselves, behind a "stored" header only when they would read as a header.
std::string PackResource(std::string_view original, bool compress);
// Whether bytes that begin so must be stored behind a header (the first kPackHeaderSize bytes do).
bool NeedsStoredHeader(std::string_view start);

// The original bytes whole, for a small resource.
std::string UnpackedResource(std::string_view resource);

} // namespace core
