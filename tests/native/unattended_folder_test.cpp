#include "core/unattended_folder.h"

#include <gtest/gtest.h>

namespace {

using core::FolderOrigin;
using std::nullopt;

TEST(UnattendedFolder, CommandLineThenEarlierInstallationThenDefaultThenConfigured) {
    const std::optional<std::string> dir = "D:\\Given", earlier = "E:\\Earlier\\",
                                     pageDefault = "C:\\Program Files\\V\\";
    const struct {
        std::optional<std::string> dir, earlier, pageDefault;
        const char* folder;
        FolderOrigin origin;
    } cases[] = {
        {dir, earlier, pageDefault, "D:\\Given\\", FolderOrigin::CommandLine},
        {"D:\\Given\\", earlier, nullopt, "D:\\Given\\", FolderOrigin::CommandLine},
        {nullopt, earlier, pageDefault, "E:\\Earlier\\", FolderOrigin::EarlierInstallation},
        {nullopt, "E:\\No backslash", pageDefault, "E:\\No backslash\\", FolderOrigin::EarlierInstallation},
        {nullopt, nullopt, pageDefault, "C:\\Program Files\\V\\", FolderOrigin::FolderPageDefault},
        {nullopt, nullopt, nullopt, "C:\\Configured\\", FolderOrigin::Configured},
        // A GBK character ending in 0x5C is no trailing backslash.
        {"D:\\\x81\x5c", nullopt, nullopt, "D:\\\x81\x5c\\", FolderOrigin::CommandLine},
    };
    for (const auto& c : cases) {
        const core::UnattendedFolder chosen =
            core::ChooseUnattendedFolder(c.dir, c.earlier, c.pageDefault, "C:\\Configured");
        EXPECT_EQ(chosen.folder, c.folder);
        EXPECT_EQ(chosen.origin, c.origin) << c.folder;
    }
}

} // namespace
