#include "core/manifest.h"

#include <gtest/gtest.h>

using core::ParseManifestLine;
using core::ReadManifestLines;

TEST(Manifest, LineEnds) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReadManifestLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadManifestLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(ReadManifestLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(ReadManifestLines(std::string("a\r\nb\0c\r\nd", 9)), (Lines{"a", "b"}));
    EXPECT_EQ(ReadManifestLines(""), Lines{});
}

TEST(Manifest, ParseLine) {
    const struct {
        const char* line;
        const char* name;
        const char* type;
        const char* path;
    } cases[] = {
        {"CYLibDB1d DBname1 CYLib\\CYBaseM.dat", "CYLibDB1d", "DBname1", "CYLib\\CYBaseM.dat"},
        {"Docs name1 Docs\\a b.txt  ", "Docs", "name1", "Docs\\a b.txt  "},
        {"NoSpaceAtAll", "NoSpaceAtAll", "", ""},
        {"Name  path", "Name", "", "path"},
        {"Name type", "Name", "type", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const core::ManifestEntry e = ParseManifestLine(c.line);
        EXPECT_EQ(e.ResName, c.name) << c.line;
        EXPECT_EQ(e.ResType, c.type) << c.line;
        EXPECT_EQ(e.RelPath, c.path) << c.line;
    }
}

TEST(Manifest, FolderPartIgnoresTrailBackslashes) {
    EXPECT_EQ(core::FolderPart("Setup.log"), "");
    EXPECT_EQ(core::FolderPart("SdbFile\\Image\\Move1.BMP"), "SdbFile\\Image");
    EXPECT_EQ(core::FolderPart("UserFile\\\x81\x5c\\x.Vlq"), "UserFile\\\x81\x5c");
    EXPECT_EQ(core::FolderPart("UserFile\\\x81\x5c"), "UserFile");
}

TEST(Manifest, SingleFileNamesOnly) {
    const struct {
        const char* name;
        bool single;
    } cases[] = {
        {"Velmora.lnk", true},
        {"\x81\x5c.lnk", true}, // a trail byte 0x5C is no backslash
        {"..\\..\\Windows\\Start Menu\\Programs\\StartUp\\Velmora.lnk", false},
        {"sub/Velmora.lnk", false},
        {"C:Velmora.lnk", false},
        {"Velmora.lnk:stream", false},
        {"..", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::SingleFileNameProblem(c.name).empty(), c.single) << c.name;
        // The configured link name may open with one backslash: it is appended to a folder's path.
        EXPECT_EQ(core::DesktopLinkNameProblem(std::string("\\") + c.name).empty(), c.single) << c.name;
    }
    EXPECT_FALSE(core::DesktopLinkNameProblem("\\\\Velmora.lnk").empty());
    EXPECT_FALSE(core::DesktopLinkNameProblem("Velmora.lnk").empty()); // beside the desktop folder
}
