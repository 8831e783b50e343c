// The builder's index of the payload and the checks made against it: one flipped bit anywhere in a
// resource, stored or compressed, is damage, found before anything is written.
#include "core/packed_resource.h"
#include "core/payload_index.h"
#include "install_fakes.h"

#include <gtest/gtest.h>

namespace {

std::string Flipped(std::string bytes, size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x10);
    return bytes;
}

TEST(PayloadIndex, ReadsBackWhatWasRecordedAndRefusesAnyChangeToItself) {
    const std::vector<core::PayloadIndexEntry> entries = {
        core::IndexEntryFor("FileExe", "exename", "MZ program"),
        core::IndexEntryFor("FileTxt1", "txtname", core::PackResource(std::string(5000, 'a'), true)),
    };
    const std::string text = core::EncodePayloadIndex(entries);
    const std::vector<core::PayloadIndexEntry> back = core::ParsePayloadIndex(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "FILEEXE");
    EXPECT_EQ(back[0].type, "EXENAME");
    EXPECT_FALSE(back[0].packed);
    EXPECT_TRUE(back[1].packed);
    EXPECT_EQ(back[1].size, entries[1].size);
    EXPECT_EQ(back[1].crc, entries[1].crc);
    for (size_t at = 0; at < text.size(); ++at)
        EXPECT_THROW(core::ParsePayloadIndex(Flipped(text, at)), core::DamagedResourceError) << at;
    EXPECT_THROW(core::ParsePayloadIndex(text.substr(0, text.size() - 3)), core::DamagedResourceError);
    EXPECT_THROW(core::ParsePayloadIndex(""), core::DamagedResourceError);
}

class DamagedPayloadTest : public ::testing::Test {
  protected:
    DamagedPayloadTest() {
        settings.setupDir = "C:\\A\\";
        settings.tempDir = "C:\\T\\";
        settings.exeName = "VLMR.exe";
        files.dirs = {"C:\\T"};
        payload.Add("FILEEXE", "EXENAME", "MZ exe");
        const std::string manifest = "FileTxt1 txtname History.txt";
        files.files["C:\\T\\lmraSetup.log"] = manifest;
        payload.Add("FILETXT5", "TXTNAME", manifest);
    }
    std::vector<std::string> log;
    fakes::Payload payload;
    fakes::Files files{log};
    fakes::View view{log};
    fakes::Registration registration{log};
    install::InstallSettings settings;
};

// Header, middle and end of a compressed and of a stored resource: each flip is refused by the
// check of the whole payload and by the file's own check, and no file differs from the payload.
TEST_F(DamagedPayloadTest, OneFlippedBitAnywhereIsDamageNeverInstalled) {
    const std::string original(20000, 'x');
    for (const bool compress : {true, false}) {
        const std::string stored = compress ? core::PackResource(original, true) : original;
        ASSERT_EQ(core::ReadPackHeader(stored).has_value(), compress);
        for (const size_t at : {size_t{4}, size_t{17}, stored.size() / 2, stored.size() - 1}) {
            payload.Add("FILETXT1", "TXTNAME", stored);
            payload.Damage("FILETXT1", "TXTNAME", Flipped(stored, at));
            EXPECT_THROW(payload.CheckAll(), core::DamagedResourceError) << compress << " " << at;
            files.files.erase("C:\\A\\History.txt");
            try {
                install::RunInstallation(payload, files, view, registration, settings);
                ADD_FAILURE() << "installed a damaged resource: " << compress << " " << at;
            } catch (const core::DamagedResourceError& e) {
                EXPECT_NE(std::string(e.what()).find("FileTxt1"), std::string::npos) << e.what();
            }
            EXPECT_EQ(files.files.count("C:\\A\\History.txt"), 0u) << compress << " " << at;
        }
    }
}

TEST_F(DamagedPayloadTest, MissingIndexOrUnlistedResourceIsDamage) {
    payload.Damage(core::kPayloadIndexName, core::kPayloadIndexType, "");
    EXPECT_THROW(payload.CheckAll(), core::DamagedResourceError);
    fakes::Payload unlisted;
    unlisted.Add("FILEEXE", "EXENAME", "MZ exe");
    unlisted.Damage("FILETXT1", "TXTNAME", "history"); // present, but the builder never recorded it
    EXPECT_THROW(unlisted.GetChecked("FileTxt1", "txtname"), core::DamagedResourceError);
    EXPECT_EQ(unlisted.GetChecked("FileExe", "exename"), "MZ exe");
}

} // namespace
