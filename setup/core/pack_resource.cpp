// Packing is the builder's side: kept apart from unpacking, so that the setup, which only unpacks,
// links no compressor.
#include "packed_resource.h"

#include <zlib.h>

#include <limits>

namespace core {

bool NeedsStoredHeader(std::string_view start) {
    return ReadPackHeader(start).has_value();
}

std::string PackResource(std::string_view original, bool compress) {
    if (compress && original.size() <= std::numeric_limits<uLong>::max()) {
        uLongf size = compressBound(static_cast<uLong>(original.size()));
        std::string packed = EncodePackHeader({PackMethod::Deflate, original.size()});
        packed.resize(kPackHeaderSize + size);
        if (compress2(reinterpret_cast<Bytef*>(&packed[kPackHeaderSize]), &size,
                      reinterpret_cast<const Bytef*>(original.data()), static_cast<uLong>(original.size()),
                      Z_BEST_COMPRESSION) == Z_OK &&
            kPackHeaderSize + size < original.size()) {
            packed.resize(kPackHeaderSize + size);
            return packed;
        }
    }
    if (!NeedsStoredHeader(original)) return std::string(original);
    return EncodePackHeader({PackMethod::Stored, original.size()}) + std::string(original);
}

} // namespace core
