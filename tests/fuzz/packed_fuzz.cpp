// Any bytes read as a payload resource or as the payload's index: unpacked or read, or refused as
// damaged, never more; and any bytes packed come back as they were.
#include "core/packed_resource.h"
#include "core/payload_index.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string buffer(4096, '\0');
    try {
        core::UnpackResource(bytes, buffer, [&](std::string_view piece) {
            if (piece.size() > buffer.size() && piece.size() > bytes.size()) std::abort();
        });
    } catch (const core::DamagedResourceError&) {
    }
    for (bool compress : {false, true})
        if (core::UnpackedResource(core::PackResource(bytes, compress)) != bytes) std::abort();
    // The same bytes behind a deflate header that claims their size: refused or unpacked, no crash.
    try {
        (void)core::UnpackedResource(core::EncodePackHeader({core::PackMethod::Deflate, size}) +
                                     std::string(bytes));
    } catch (const core::DamagedResourceError&) {
    }
    // The same bytes read as the payload's index: read, or refused as damaged.
    try {
        (void)core::ParsePayloadIndex(bytes);
    } catch (const core::DamagedResourceError&) {
    }
    return 0;
}
