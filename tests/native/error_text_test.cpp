#include "core/error_text.h"

#include <gtest/gtest.h>

TEST(ErrorText, FullStopOnlyAfterCharactersThatSortAfterIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Resource FileTxt4 not found", "Resource FileTxt4 not found."},
        {"Stream write error", "Stream write error."},
        {"Cannot create file \"C:\\x\". Access denied.", "Cannot create file \"C:\\x\". Access denied."},
        {"Done!", "Done!"},
        {"(in brackets)", "(in brackets)"},
        {"value 0", "value 0."},
        {"path/", "path/."},
        {"end-", "end-"},
        {"\xca\xa7\xb0\xdc", "\xca\xa7\xb0\xdc."}, // a Chinese character
        {"\x81\x5c", "\x81\x5c."},                 // one ending in the byte 0x5C
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::WithFullStop(c.message), c.shown) << c.message;
}
