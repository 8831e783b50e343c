#include "core/profile.h"

#include <gtest/gtest.h>

using core::ProfileString;

namespace {

// The shape of the shipped configuration: an empty first section, CR LF, GBK values, notes after [Run].
const char kIni[] = "[***]\r\n"
                    "[Form]\r\n"
                    "Caption=Velmorav2.8.3.5\xa3\xa8\xb1\xea\xd7\xbc\xb0\xe6-m\xa3\xa9\r\n"
                    "Serial=02080305\r\n"
                    "desKtopLink=\\Velmorav2.8.0(m).lnk\r\n"
                    "  Spaced  =   padded value   \r\n"
                    "Quoted=\"in quotes\"\r\n"
                    "Serial=99999999\r\n"
                    "[SetupDir]\r\n"
                    "Drive=D:\r\n"
                    "SetupPath=D:\\Program Files\\Vlmra280\r\n"
                    "[Run]\r\n"
                    "FileName=VLMR.exe\r\n"
                    "Ren FileName=OLD.exe\r\n"
                    "[form]\r\n"
                    "Late=from a second [form] section\r\n";

} // namespace

TEST(Profile, ReadsValuesWithProfileSemantics) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Form", "Caption", "Velmorav2.8.3.5\xa3\xa8\xb1\xea\xd7\xbc\xb0\xe6-m\xa3\xa9"},
        {"form", "caption", "Velmorav2.8.3.5\xa3\xa8\xb1\xea\xd7\xbc\xb0\xe6-m\xa3\xa9"}, // names ignore case
        {"FORM", "DESKTOPLINK", "\\Velmorav2.8.0(m).lnk"},
        {"Form", "Serial", "02080305"}, // the first match wins
        {"Form", "Spaced", "padded value"},
        {"Form", "Quoted", "in quotes"},
        {"SetupDir", "SetupPath", "D:\\Program Files\\Vlmra280"},
        {"Run", "FileName", "VLMR.exe"},
        {"Run", "Ren FileName", "OLD.exe"},
        {"Run", "Missing", ""},
        {"Nowhere", "Caption", ""},
        {"Form", "Late", ""}, // only the first section of a name counts
        {"***", "Caption", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileString(kIni, c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(Profile, EmptyOrMissingTextReadsEmpty) {
    EXPECT_EQ(ProfileString("", "Form", "Caption"), "");
    EXPECT_EQ(ProfileString("Caption=outside any section\r\n", "Form", "Caption"), "");
}

TEST(Profile, LoneLineEndsAndLastLineWithoutEnd) {
    EXPECT_EQ(ProfileString("[A]\nx=1\ry=2", "A", "y"), "2");
}

TEST(Profile, LongValuesAreCutTo2047BytesNeverInsideACharacter) {
    const std::string ascii(3000, 'v');
    EXPECT_EQ(ProfileString("[A]\r\nk=" + ascii + "\r\n", "A", "k").size(), 2047u);
    std::string chinese;
    for (int i = 0; i < 1100; ++i)
        chinese += "\xd6\xd0";
    const std::string value = ProfileString("[A]\r\nk=" + chinese + "\r\n", "A", "k");
    EXPECT_EQ(value.size(), 2046u);
}

TEST(Profile, WriteKeepsEverythingElseByteForByte) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"[Option]\r\nReset=0\r\nLanguage=zh-CN\r\n[Window]\r\nLeft=0\r\n",
         "[Option]\r\nReset=88\r\nLanguage=zh-CN\r\n[Window]\r\nLeft=0\r\n"},
        {"[option]\r\n reset = 5\r\n", "[option]\r\nreset=88\r\n"},
        {"[Option]\r\nLanguage=zh-CN\r\n\r\n[Window]\r\nLeft=0\r\n",
         "[Option]\r\nLanguage=zh-CN\r\nReset=88\r\n\r\n[Window]\r\nLeft=0\r\n"},
        {"[Window]\r\nLeft=0", "[Window]\r\nLeft=0\r\n[Option]\r\nReset=88\r\n"},
        {"", "[Option]\r\nReset=88\r\n"},
        {"[Option]", "[Option]\r\nReset=88\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::ProfileWithValue(c.before, "Option", "Reset", "88"), c.after) << c.before;
}
