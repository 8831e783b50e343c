#include "core/packed_resource.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Repetitive(size_t size) {
    std::string text;
    while (text.size() < size)
        text += "Velmora \xca\xb3\xc6\xd7 line " + std::to_string(text.size() % 97) + "\r\n";
    text.resize(size);
    return text;
}

std::string Random(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// Unpacked through a small buffer, so that a file comes out in many pieces.
std::string Unpack(std::string_view resource, size_t bufferSize = 1000, size_t* pieces = nullptr) {
    std::string buffer(bufferSize, '\0');
    std::string whole;
    size_t count = 0;
    core::UnpackResource(resource, buffer, [&](std::string_view piece) {
        EXPECT_LE(piece.size(), std::max(bufferSize, resource.size()));
        whole.append(piece);
        ++count;
    });
    if (pieces) *pieces = count;
    return whole;
}

TEST(PackedResource, EveryKindOfFileComesBackAsItWas) {
    const std::string headerLike = core::EncodePackHeader({core::PackMethod::Deflate, 5}) + "tail";
    const struct {
        const char* what;
        std::string bytes;
        bool shrinks; // stored compressed when packed with compression
    } cases[] = {
        {"empty", "", false},
        {"a few bytes", "MZ", false},
        {"text", Repetitive(300000), true},
        {"random bytes", Random(70000, 1), false},
        {"bytes that read as a header", headerLike, false},
        {"a GBK name ending in 0x5C", "\x81\x5c\x81\x5c", false},
    };
    for (const auto& c : cases) {
        for (bool compress : {false, true}) {
            const std::string packed = core::PackResource(c.bytes, compress);
            EXPECT_EQ(Unpack(packed), c.bytes) << c.what << (compress ? " compressed" : " stored");
            const auto header = core::ReadPackHeader(packed);
            EXPECT_EQ(header.has_value() && header->method == core::PackMethod::Deflate,
                      compress && c.shrinks)
                << c.what;
        }
    }
    // Without compression a file is its own bytes, except one that would read as a header.
    EXPECT_EQ(core::PackResource(Repetitive(5000), false), Repetitive(5000));
    EXPECT_EQ(core::PackResource(headerLike, false).substr(core::kPackHeaderSize), headerLike);
}

TEST(PackedResource, CompressedFileIsSmallerAndComesOutInBufferSizedPieces) {
    const std::string text = Repetitive(1000000);
    const std::string packed = core::PackResource(text, true);
    EXPECT_LT(packed.size(), text.size() / 10);
    size_t pieces = 0;
    EXPECT_EQ(Unpack(packed, 64 * 1024, &pieces), text);
    EXPECT_EQ(pieces, (text.size() + 64 * 1024 - 1) / (64 * 1024));
}

TEST(PackedResource, DamagedOrCutResourceIsReportedNeverPassedOff) {
    const std::string text = Repetitive(200000);
    const std::string packed = core::PackResource(text, true);
    std::string flipped = packed;
    flipped[packed.size() / 2] ^= 0x55;
    std::string wrongSize = packed;
    wrongSize[8] ^= 1; // the original size, with the header's check made anew to match
    wrongSize.replace(0, core::kPackHeaderSize,
                      core::EncodePackHeader({core::PackMethod::Deflate, text.size() ^ 1}));
    const std::string storedShort =
        core::EncodePackHeader({core::PackMethod::Stored, 10}) + std::string("123456789");
    const struct {
        const char* what;
        std::string resource;
    } damaged[] = {
        {"a byte changed", flipped},
        {"cut short", packed.substr(0, packed.size() - 100)},
        {"cut to its header", packed.substr(0, core::kPackHeaderSize)},
        {"checksum cut off", packed.substr(0, packed.size() - 2)},
        {"size in the header wrong", wrongSize},
        {"stored, shorter than its size", storedShort},
    };
    for (const auto& d : damaged)
        EXPECT_THROW(Unpack(d.resource), core::DamagedResourceError) << d.what;
}

TEST(PackedResource, HeaderIsRecognisedOnlyWhenItsOwnCheckHolds) {
    std::string header = core::EncodePackHeader({core::PackMethod::Deflate, 123456789012ULL});
    ASSERT_EQ(header.size(), core::kPackHeaderSize);
    const auto read = core::ReadPackHeader(header);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->originalSize, 123456789012ULL);
    header[10] ^= 1;
    EXPECT_FALSE(core::ReadPackHeader(header)) << "a changed size breaks the header's check";
    EXPECT_FALSE(core::ReadPackHeader("VLZ\x01 too short"));
    // A file that starts like a header but is none is handed over whole, as it is.
    EXPECT_EQ(Unpack(header + "rest"), header + "rest");
}

} // namespace
