#include "core/install_location.h"

#include <gtest/gtest.h>

using Roots = std::vector<std::string>;

TEST(InstallLocation, DefaultFolderOnDThenEThenC) {
    EXPECT_EQ(core::DefaultSetupDir({"C:\\", "D:\\", "E:\\"}, "Vlmra280"), "D:\\Program Files\\Vlmra280\\");
    EXPECT_EQ(core::DefaultSetupDir({"C:\\", "e:\\"}, "Vlmra280"), "E:\\Program Files\\Vlmra280\\");
    EXPECT_EQ(core::DefaultSetupDir({"A:\\", "C:\\", "Z:\\"}, "Vlmra280"), "C:\\Program Files\\Vlmra280\\");
    EXPECT_EQ(core::DefaultSetupDir({"A:\\", "Z:\\"}, "Vlmra280"), std::nullopt);
}

TEST(InstallLocation, GigabyteFormat) {
    const struct {
        double gb;
        const char* text;
    } cases[] = {{465.76, "465.8 GB"}, {7.456, "7.46 GB"}, {10, "10.0 GB"},
                 {9.999, "10.00 GB"},  {0.004, "0.00 GB"}, {-0.009, "-0.01 GB"}};
    for (const auto& c : cases)
        EXPECT_EQ(core::FormatGb(c.gb), c.text) << c.gb;
    EXPECT_DOUBLE_EQ(core::BytesToGb(3LL * 1024 * 1024 * 1024 / 2), 1.5);
}

TEST(InstallLocation, RemainingSpaceFromTheShownFreeSpace) {
    EXPECT_EQ(core::RemainingSpaceText("75.9 GB"), " 75.9 GB");  // 75.881 rounds back up
    EXPECT_EQ(core::RemainingSpaceText("10.0 GB"), " 9.98 GB");  // below 10: two decimals
    EXPECT_EQ(core::RemainingSpaceText("0.01 GB"), " -0.01 GB"); // very little space goes negative
    EXPECT_EQ(core::RemainingSpaceText(""), "");
    EXPECT_EQ(core::RemainingSpaceText("0.00 GB"), "");
}

TEST(InstallLocation, FolderFromTheBrowser) {
    const struct {
        const char* chosen;
        size_t drives;
        bool refused;
        const char* edit;
    } cases[] = {
        {"E:\\", 3, false, "E:\\Vlmra280\\"},
        {"D:\\Apps", 3, false, "D:\\Apps\\Vlmra280\\"},
        {"D:\\Apps\\Vlmra280", 3, false, "D:\\Apps\\Vlmra280\\Vlmra280\\"},
        {"C:\\Users\\li\\Desktop", 3, true, "D:\\Program Files\\Vlmra280\\"},
        {"C:\\Users\\li", 1, true, "C:\\Program Files\\Vlmra280\\"},
        {"D:\\Desktop", 2, true, "D:\\Program Files\\Vlmra280\\"},
        {"D:\\users", 2, false, "D:\\users\\Vlmra280\\"},
        {"D:\\AllUsersApps", 2, true, "D:\\Program Files\\Vlmra280\\"},
    };
    for (const auto& c : cases) {
        const core::BrowsedFolder folder = core::FolderFromBrowser(c.chosen, "Vlmra280", c.drives);
        EXPECT_EQ(folder.refused, c.refused) << c.chosen;
        EXPECT_EQ(folder.editPath, c.edit) << c.chosen;
    }
    EXPECT_EQ(core::DesktopFolderWarning(), "不要将Velmora安装到电脑桌面上，避免软件运行异常。\r建议安装到 "
                                            "D盘、E盘、C盘，默认的“Program Files\\”文件夹中。");
}

TEST(InstallLocation, TypedFolderMustBeAbsoluteAndGetsItsBackslash) {
    for (const char* usable :
         {"D:\\Apps", "d:\\", "C:\\Program Files\\Vlmra280\\", "\\\\server\\share\\Velmora"})
        EXPECT_EQ(core::InstallFolderProblem(usable), "") << usable;
    for (const char* unusable : {"", "Apps", "D:Apps", "\\Apps", "\\\\server", "\\\\\\x", "1:\\x"})
        EXPECT_NE(core::InstallFolderProblem(unusable), "") << unusable;
    EXPECT_EQ(core::CompletedInstallFolder("D:\\Apps"), "D:\\Apps\\");
    EXPECT_EQ(core::CompletedInstallFolder("D:\\Apps\\"), "D:\\Apps\\");
    EXPECT_EQ(core::CompletedInstallFolder("D:\\\x81\x5c"),
              "D:\\\x81\x5c\\"); // 0x5C as a trail byte is no backslash
}

TEST(InstallLocation, SameFolderFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(core::SameFolder("C:\\Velmora", "c:\\VELMORA\\"));
    EXPECT_TRUE(core::SameFolder("D:\\\xca\xb3\\", "d:\\\xca\xb3"));
    EXPECT_FALSE(core::SameFolder("C:\\Velmora", "C:\\Velmora2"));
    // Trail bytes 0x61 and 0x41 ("a" and "A") belong to two different characters.
    EXPECT_FALSE(core::SameFolder("C:\\\x81\x61", "C:\\\x81\x41"));
    // A trail byte 0x5C is no separator: this folder has no trailing backslash to drop.
    EXPECT_FALSE(core::SameFolder("C:\\\x81\x5c", "C:\\\x81"));
}

// Every level a link could stand at, from below the root down; a GBK character ending in 0x5C is
// no separator.
TEST(InstallLocation, FolderLevelsBelowTheRoot) {
    using Levels = std::vector<std::string>;
    const struct {
        const char* folder;
        Levels levels;
    } cases[] = {
        {"C:\\planted\\Velmora\\", {"C:\\planted", "C:\\planted\\Velmora"}},
        {"C:\\planted\\Velmora", {"C:\\planted", "C:\\planted\\Velmora"}},
        {"D:\\Program Files\\\x81\x5c\\", {"D:\\Program Files", "D:\\Program Files\\\x81\x5c"}},
        {"C:\\a\\\\b\\", {"C:\\a", "C:\\a\\b"}},
        {"\\\\server\\share\\a\\b\\", {"\\\\server\\share\\a", "\\\\server\\share\\a\\b"}},
        {"C:\\", {}},
        {"\\\\server\\share\\", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::FolderLevels(c.folder), c.levels) << c.folder;
}
