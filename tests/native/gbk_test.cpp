#include "core/gbk.h"

#include <gtest/gtest.h>

using core::FindLastSeparator;

// "\x81\x5c" is a double-byte character whose second byte is a backslash.
TEST(Gbk, LastBackslashStepsOverTrailBytes) {
    EXPECT_EQ(FindLastSeparator("a\\b\\c", "\\"), 3u);
    EXPECT_EQ(FindLastSeparator("dir\\\x81\x5c.txt", "\\"), 3u);
    EXPECT_EQ(FindLastSeparator("\x81\x5c", "\\"), std::string_view::npos);
    EXPECT_EQ(FindLastSeparator("\x81\x5c\\x", "\\"), 2u);
    EXPECT_EQ(FindLastSeparator("C:name", "\\:"), 1u);
}

TEST(Gbk, SplitKeepsDoubleByteCharactersWhole) {
    const std::vector<std::string> parts = core::SplitAtBackslashes("UserFile\\\x81\x5c\\a b.txt");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[1], "\x81\x5c");
    EXPECT_EQ(parts[2], "a b.txt");
}

TEST(Gbk, Validity) {
    EXPECT_TRUE(core::IsValidGbk("plain ascii"));
    EXPECT_TRUE(core::IsValidGbk("\xca\xb3\xc6\xd7\x81\x5c"));
    EXPECT_FALSE(core::IsValidGbk("\xca"));         // lead byte at the end
    EXPECT_FALSE(core::IsValidGbk("\xca\x7f"));     // 0x7F is never a trail byte
    EXPECT_FALSE(core::IsValidGbk("\x80"));         // not a lead byte
    EXPECT_FALSE(core::IsValidGbk("\xe9\xa3\x9f")); // UTF-8 for a Chinese character
}
