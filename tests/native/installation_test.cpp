#include "engine/installation.h"
#include "core/manifest.h"
#include "core/packed_resource.h"
#include "install_fakes.h"

#include <gtest/gtest.h>

using install::Outcome;
using Log = std::vector<std::string>;

namespace {

constexpr char kManifestPath[] = "C:\\WINDOWS\\Temp\\lmraSetup.log";

class InstallationTest : public ::testing::Test {
  protected:
    InstallationTest() {
        settings.setupDir = "C:\\A\\";
        settings.tempDir = "C:\\WINDOWS\\Temp\\";
        settings.exeName = "VLMR.exe";
        settings.wizardCaption = "Velmora";
        files.dirs = {"C:\\WINDOWS", "C:\\WINDOWS\\Temp"};
        payload.Add("FILEEXE", "EXENAME", "MZ exe");
        payload.Add("FILETXT1", "TXTNAME", "history");
        payload.Add("SUBDB1", "DBNAME1", std::string("db\0bytes", 8));
        payload.Add("EMPTY", "NAME", "");
    }

    // The temporary manifest as setup writes it from its resource.
    void Manifest(const std::string& text) {
        files.files[kManifestPath] = text;
        payload.Add("FILETXT5", "TXTNAME", text);
    }

    Outcome Run() { return install::RunInstallation(payload, files, view, registration, settings); }

    // The log from the first event that starts with `from`.
    Log From(const std::string& from) const {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].rfind(from, 0) == 0) return Log(log.begin() + static_cast<long>(i), log.end());
        return {};
    }

    Log log;
    fakes::Payload payload;
    fakes::Files files{log};
    fakes::View view{log};
    fakes::Registration registration{log};
    install::InstallSettings settings;
};

} // namespace

TEST_F(InstallationTest, WholeRunInOrderWithLabelsBarsPausesAndMessagePoints) {
    Manifest("FileTxt1 txtname History.txt\r\nSubDb1 DBname1 Sub\\Deep\\Data.dat\r\nempty name "
             "Sub\\Deep\\Empty.dat");
    ASSERT_EQ(Run(), Outcome::Finished);
    const Log expected = {
        "pump",
        "bar 1",
        "label C:\\A\\VLMR.exe",
        "label 安装主程序文件",
        "mkdir C:\\A",
        "write C:\\A\\VLMR.exe",
        "bar 5",
        "pause",
        "pump",
        "pump",
        "label C:\\A\\History.txt",
        "pump",
        "write C:\\A\\History.txt",
        "bar 5",
        "pause",
        "pump",
        "label 创建文件夹\\Sub\\Deep",
        "mkdir C:\\A\\Sub",
        "mkdir C:\\A\\Sub\\Deep",
        "label C:\\A\\Sub\\Deep\\Data.dat",
        "pump",
        "write C:\\A\\Sub\\Deep\\Data.dat",
        "bar 6",
        "pause",
        "pump",
        "label C:\\A\\Sub\\Deep\\Empty.dat",
        "pump",
        "write C:\\A\\Sub\\Deep\\Empty.dat",
        "bar 7",
        "pause",
        "label 创建反安装程序...",
        "uninstall step",
        "bar 87",
        "pause",
        "pump",
        "label 创建桌面快捷方式",
        "desktop link",
        "bar 90",
        "pause",
        "label 创建程序群组...",
        "program group",
        "bar 95",
        "pause",
        "label 写入注册信息",
        "pump",
        "registry .Vlq Software\\VLMRA Velmora C:\\A\\VLMR.exe 0",
        "bar 100",
        "pause",
        "label ",
        "hide label",
        "pump",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(files.files["C:\\A\\VLMR.exe"], "MZ exe");
    EXPECT_EQ(files.files["C:\\A\\Sub\\Deep\\Data.dat"], std::string("db\0bytes", 8));
    EXPECT_EQ(files.files["C:\\A\\Sub\\Deep\\Empty.dat"], "");
}

TEST_F(InstallationTest, BarOverAHundredLinesGoesPastFullThenBackTo87) {
    std::string manifest;
    for (int i = 0; i < 100; ++i)
        manifest += (i ? "\r\n" : "") + std::string("FileTxt1 txtname H") + std::to_string(i);
    Manifest(manifest);
    ASSERT_EQ(Run(), Outcome::Finished);
    std::vector<int> expected = {1, 5};
    for (int i = 0; i < 100; ++i)
        expected.push_back(i + 5); // the control shows anything from 100 up as full
    expected.insert(expected.end(), {87, 90, 95, 100});
    EXPECT_EQ(view.bars, expected);
}

TEST_F(InstallationTest, ConfirmedCancelStopsAtEveryKindOfPointTouchingNothingMore) {
    Manifest("FileTxt1 txtname History.txt\r\nSubDb1 DBname1 Sub\\Data.dat");
    ASSERT_EQ(Run(), Outcome::Finished);
    const int pumpsInAWholeRun = view.pumps;
    ASSERT_EQ(pumpsInAWholeRun, 9);
    for (int cancelAt = 1; cancelAt <= pumpsInAWholeRun; ++cancelAt) {
        log.clear();
        files.files = {{kManifestPath, files.files[kManifestPath]}};
        files.dirs = {"C:\\WINDOWS", "C:\\WINDOWS\\Temp"};
        view.pumps = 0;
        view.cancelAtPump = cancelAt;
        EXPECT_EQ(Run(), Outcome::Cancelled) << "cancelled at point " << cancelAt;
        EXPECT_EQ(log.back(), "pump") << "something happened after the cancelling point " << cancelAt;
    }
}

TEST_F(InstallationTest, CancelAtTheFirstManifestEntryLeavesOnlyTheMainExecutable) {
    Manifest("FileTxt1 txtname History.txt\r\nSubDb1 DBname1 Sub\\Data.dat");
    view.cancelAtPump = 3; // the start of the first entry's folder check
    EXPECT_EQ(Run(), Outcome::Cancelled);
    EXPECT_EQ(files.files.count("C:\\A\\VLMR.exe"), 1u);
    EXPECT_EQ(files.files.count("C:\\A\\History.txt"), 0u);
    EXPECT_TRUE(From("uninstall").empty());
}

TEST_F(InstallationTest, MissingMainExecutableResourceStopsAtBarOne) {
    payload = fakes::Payload();
    Manifest("");
    try {
        Run();
        FAIL() << "no error";
    } catch (const core::SetupError& e) {
        EXPECT_STREQ(e.what(), "Resource FileExe not found");
    }
    EXPECT_EQ(view.bars, std::vector<int>{1});
}

TEST_F(InstallationTest, CompressedResourcesAreWrittenAsTheirOriginalBytes) {
    const std::string history(100000, 'h');
    payload.Add("FILEEXE", "EXENAME", core::PackResource(std::string(50000, 'M'), true));
    payload.Add("FILETXT1", "TXTNAME", core::PackResource(history, true));
    Manifest("FileTxt1 txtname History.txt\r\nEmpty name Empty.txt");
    payload.Add("FILETXT5", "TXTNAME", core::PackResource(files.files[kManifestPath], true));
    EXPECT_EQ(Run(), Outcome::Finished);
    EXPECT_EQ(files.files["C:\\A\\VLMR.exe"], std::string(50000, 'M'));
    EXPECT_EQ(files.files["C:\\A\\History.txt"], history);
    EXPECT_EQ(files.files["C:\\A\\Empty.txt"], "");
}

TEST_F(InstallationTest, DamagedResourceStopsWithAnErrorNamingTheFileAndLeavesNoHalfFile) {
    std::string damaged = core::PackResource(std::string(100000, 'd'), true);
    damaged[damaged.size() / 2] ^= 0x55;
    payload.Add("SUBDB1", "DBNAME1", damaged);
    Manifest("FileTxt1 txtname History.txt\r\nSubDb1 DBname1 Sub\\Data.dat");
    try {
        Run();
        FAIL() << "no error";
    } catch (const core::SetupError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("The setup program is damaged: \"C:\\A\\Sub\\Data.dat\" cannot be "
                                        "unpacked from it (",
                                        0),
            0u)
            << e.what();
    }
    EXPECT_EQ(files.files["C:\\A\\History.txt"], "history") << "the file before it stays whole";
    EXPECT_EQ(files.files.count("C:\\A\\Sub\\Data.dat"), 0u);
    EXPECT_EQ(log.back(), "removed half-written C:\\A\\Sub\\Data.dat");
    EXPECT_TRUE(From("uninstall").empty());
}

TEST_F(InstallationTest, DamagedMainExecutableIsReportedNotTakenForARunningApplication) {
    std::string damaged = core::PackResource(std::string(100000, 'M'), true);
    payload.Add("FILEEXE", "EXENAME", damaged.substr(0, damaged.size() - 50));
    Manifest("");
    EXPECT_THROW(Run(), core::DamagedResourceError);
}

TEST_F(InstallationTest, InstallationFolderThatCannotBeMadeShowsItsBoxAndStops) {
    files.failingDirs = {"C:\\A"};
    Manifest("FileTxt1 txtname History.txt");
    EXPECT_EQ(Run(), Outcome::Stopped);
    EXPECT_EQ(From("label 安装主程序文件"),
              (Log{"label 安装主程序文件", "error box 创建主文件夹\\C:\\A\\ 失败"}));
    EXPECT_EQ(view.folderErrorReason, "Access is denied.");
    EXPECT_EQ(view.bars, std::vector<int>{1});
    EXPECT_TRUE(files.files.count("C:\\A\\VLMR.exe") == 0);
}

TEST_F(InstallationTest, MainExecutableThatCannotBeWrittenEndsWithNothingElseWritten) {
    for (const std::string exeName : {"VLMR.exe", ""}) { // an empty name targets the folder itself
        log.clear();
        settings.exeName = exeName;
        files.failingFiles = {"C:\\A\\VLMR.exe"};
        Manifest("FileTxt1 txtname History.txt");
        std::string reason;
        EXPECT_EQ(install::RunInstallation(payload, files, view, registration, settings, &reason),
                  Outcome::ExecutableLocked)
            << exeName;
        // Why it could not be written goes to the log beside the message the user reads.
        EXPECT_EQ(reason, "Cannot create file \"C:\\A\\" + exeName + "\". Access is denied.") << exeName;
        EXPECT_TRUE(From("write").empty()) << exeName;
        EXPECT_EQ(view.bars.back(), 1);
        view.bars.clear();
    }
}

TEST_F(InstallationTest, MainExecutableThatIsALinkIsReportedNotTakenForARunningApplication) {
    files.linkedFiles = {"C:\\A\\VLMR.exe"};
    Manifest("FileTxt1 txtname History.txt");
    EXPECT_THROW(Run(), core::UnsafeTargetError);
    EXPECT_TRUE(From("write").empty());
}

// A folder refused for a link on its path is reported as that, never as a folder that could not
// be made (whose box would let the installation go on without it).
TEST_F(InstallationTest, FolderBelowALinkIsReportedAsUnsafe) {
    files.linkedDirs = {"C:\\A\\Sub"};
    Manifest("FileTxt1 txtname Sub\\History.txt");
    EXPECT_THROW(Run(), core::UnsafeTargetError);
    EXPECT_TRUE(From("error box").empty());
    EXPECT_TRUE(From("write C:\\A\\Sub").empty());
}

TEST_F(InstallationTest, UnreadableTemporaryManifestStopsAtBarFive) {
    try {
        Run();
        FAIL() << "no error";
    } catch (const core::SetupError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"C:\\WINDOWS\\Temp\\lmraSetup.log\". ", 0),
                  0u);
    }
    EXPECT_EQ(view.bars.back(), 5);
}

TEST_F(InstallationTest, FolderThatCannotBeMadeSkipsItsEntriesAndGoesOn) {
    files.failingDirs = {"C:\\A\\CYLib"};
    payload.Add("CYLIBDB1D", "DBNAME1", "d");
    payload.Add("CYLIBDB1I", "DBNAME1", "i");
    Manifest(
        "CYLibDB1d DBname1 CYLib\\CYBaseM.dat\r\nCYLibDB1i DBname1 CYLib\\CYBaseM.idx\r\nFileTxt1 txtname "
        "History.txt");
    EXPECT_EQ(Run(), Outcome::Finished);
    int boxes = 0;
    for (const std::string& event : log)
        boxes += event == "error box 创建文件夹\\CYLib 失败";
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(files.files.count("C:\\A\\CYLib\\CYBaseM.dat"), 0u);
    EXPECT_EQ(files.files["C:\\A\\History.txt"], "history");
    EXPECT_EQ(view.bars, (std::vector<int>{1, 5, 7, 87, 90, 95, 100}));
}

TEST_F(InstallationTest, ErrorsOfALineEndTheSequenceThereKeepingWhatWasWritten) {
    const struct {
        const char* manifest;
        const char* failingFile;
        const char* message;
    } cases[] = {
        {"FileTxt1 txtname History.txt\r\n\r\nFileTxt1 txtname Later.txt", "", "Resource  not found"},
        {"FileTxt1 txtname History.txt\r\nfiletxt9 txtname Later.txt", "", "Resource filetxt9 not found"},
        {"FileTxt1 txtname History.txt\r\nFileTxt1  History2.txt", "", "Resource FileTxt1 not found"},
        {"FileTxt1 txtname History.txt\r\nFileTxt1 txtname Locked.txt", "C:\\A\\Locked.txt",
         "Cannot create file \"C:\\A\\Locked.txt\". Access is denied."},
        {"FileTxt1 txtname History.txt\r\nFileTxt1 txtname ", "",
         "Cannot create file \"C:\\A\\\". Access is denied."},
    };
    for (const auto& c : cases) {
        log.clear();
        files.files = {};
        files.dirs = {"C:\\WINDOWS", "C:\\WINDOWS\\Temp"};
        files.failingFiles = {c.failingFile};
        Manifest(c.manifest);
        try {
            Run();
            ADD_FAILURE() << "no error for " << c.manifest;
        } catch (const core::SetupError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(files.files["C:\\A\\History.txt"], "history") << c.manifest;
        EXPECT_TRUE(From("uninstall").empty()) << c.manifest;
    }
}

TEST_F(InstallationTest, ErrorOfALaterStepEndsTheSequenceThere) {
    const struct {
        const char* failing;
        const char* lastDone;
    } cases[] = {{"uninstall", "label 创建反安装程序..."},
                 {"desktop", "label 创建桌面快捷方式"},
                 {"program", "label 创建程序群组..."},
                 {"registry", "pump"}};
    for (const auto& c : cases) {
        log.clear();
        files.dirs = {"C:\\WINDOWS", "C:\\WINDOWS\\Temp"};
        registration.failingStep = c.failing;
        Manifest("FileTxt1 txtname History.txt");
        EXPECT_THROW(Run(), core::SetupError) << c.failing;
        EXPECT_EQ(log.back(), c.lastDone) << c.failing;
    }
}

TEST_F(InstallationTest, NestedFolderIsMadeLevelByLevelAndNamedOnce) {
    // 食谱范例 and a folder ending in a double-byte character whose second byte is 0x5C.
    const std::string dir = "UserFile\\\xca\xb3\xc6\xd7\\\x81\x5c";
    payload.Add("A", "NAME1", "a");
    payload.Add("B", "NAME1", "b");
    Manifest("A name1 " + dir + "\\a.Vlq\r\nB name1 " + dir + "\\b.Vlq");
    files.dirs.insert("C:\\A");
    ASSERT_EQ(Run(), Outcome::Finished);
    const Log made = {"mkdir C:\\A\\UserFile", "mkdir C:\\A\\UserFile\\\xca\xb3\xc6\xd7",
                      "mkdir C:\\A\\" + dir};
    Log mkdirs;
    int folderLabels = 0;
    for (const std::string& event : log) {
        if (event.rfind("mkdir", 0) == 0) mkdirs.push_back(event);
        folderLabels += event == "label 创建文件夹\\" + dir;
    }
    EXPECT_EQ(mkdirs, made);
    EXPECT_EQ(folderLabels, 1);
    EXPECT_EQ(files.files["C:\\A\\" + dir + "\\b.Vlq"], "b");
}

TEST_F(InstallationTest, EachFolderIsLookedUpOnceUnlessItCouldNotBeMade) {
    files.dirs.insert({"C:\\A", "C:\\A\\Data", "C:\\A\\Docs"});
    files.failingDirs = {"C:\\A\\Locked"};
    Manifest(
        "FileTxt1 txtname Data\\1.txt\r\nFileTxt1 txtname Docs\\1.txt\r\nFileTxt1 txtname Locked\\1.txt\r\n"
        "FileTxt1 txtname Data\\2.txt\r\nFileTxt1 txtname New\\1.txt\r\nFileTxt1 txtname Locked\\2.txt\r\n"
        "FileTxt1 txtname Docs\\2.txt\r\nFileTxt1 txtname New\\2.txt");
    ASSERT_EQ(Run(), Outcome::Finished);
    const Log manifestLookups(files.asked.begin() + 1, files.asked.end()); // after the installation folder's
    // A folder that cannot be made is looked at once more, and so is the level above it.
    const Log expected = {"C:\\A\\Data", "C:\\A\\Docs",   "C:\\A\\Locked", "C:\\A\\Locked", "C:\\A",
                          "C:\\A\\New",  "C:\\A\\Locked", "C:\\A\\Locked", "C:\\A"};
    EXPECT_EQ(manifestLookups, expected);
    for (const char* written :
         {"Data\\1.txt", "Data\\2.txt", "Docs\\1.txt", "Docs\\2.txt", "New\\1.txt", "New\\2.txt"})
        EXPECT_EQ(files.files[std::string("C:\\A\\") + written], "history") << written;
    EXPECT_EQ(files.files.count("C:\\A\\Locked\\1.txt") + files.files.count("C:\\A\\Locked\\2.txt"), 0u);
}

TEST(TargetLabel, WholeUpTo45BytesShortenedFrom46) {
    const std::string folder = "D:\\Program Files\\Vlmra280\\"; // 26 bytes
    const struct {
        std::string setupDir, relPath, label;
    } cases[] = {
        {folder, "Setup.log", "D:\\Program Files\\Vlmra280\\Setup.log"},
        {folder, "History.txt", "D:\\Program Files\\Vlmra280\\History.txt"},
        {folder, std::string(19, 'x'), folder + std::string(19, 'x')},                     // 45 bytes
        {folder, std::string(20, 'x'), "D:\\Program Files\\...\\" + std::string(20, 'x')}, // 46 bytes
        {folder, "SdbFile\\Foodrank.dat", "D:\\Program Files\\...\\SdbFile\\Foodrank.dat"},
        {folder, "PrintFiles\\Print1.fr3", "D:\\Program Files\\...\\PrintFiles\\Print1.fr3"},
        {folder, "\xca\xb3\xc6\xd7\\" + std::string(14, 'x'),
         folder + "\xca\xb3\xc6\xd7\\" + std::string(14, 'x')},
        {folder, "\xca\xb3\xc6\xd7\\" + std::string(15, 'x'),
         "D:\\Program Files\\...\\\xca\xb3\xc6\xd7\\" + std::string(15, 'x')},
        {"C:\\A\\", std::string(40, 'y'), "C:\\A\\" + std::string(40, 'y')},
        {"C:\\A\\", std::string(41, 'y'), "C:\\A\\...\\" + std::string(41, 'y')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(install::TargetLabel(c.setupDir, c.relPath), c.label) << c.relPath;
}

TEST_F(InstallationTest, ChangedTemporaryManifestIsNotActedOn) {
    Manifest("FileTxt1 txtname History.txt");
    files.files[kManifestPath] =
        "FileTxt1 txtname ..\\..\\Windows\\History.txt"; // someone else's instructions
    try {
        Run();
        FAIL() << "no error";
    } catch (const core::SetupError& e) {
        EXPECT_STREQ(e.what(),
                     "The temporary file \"C:\\WINDOWS\\Temp\\lmraSetup.log\" has been changed since setup "
                     "wrote it; setup does not use it");
    }
    EXPECT_EQ(files.files.count("C:\\A\\History.txt"), 0u);
    EXPECT_EQ(view.bars.back(), 5);
}

TEST_F(InstallationTest, NothingIsWrittenOutsideTheInstallationFolder) {
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"FileTxt1 txtname ..\\outside.txt", "climbs out of the installation folder"},
        {"FileTxt1 txtname Sub\\..\\..\\outside.txt", "climbs out of the installation folder"},
        {"FileTxt1 txtname CYLib/../../../../x", "climbs out of the installation folder"},
        {"FileTxt1 txtname CYLib\\../..\\x", "climbs out of the installation folder"},
        {"FileTxt1 txtname Sub\\... \\..\\x", "climbs out of the installation folder"},
        {"FileTxt1 txtname /Windows/win.ini", "starts with a backslash or a slash"},
        {"FileTxt1 txtname \\Windows\\win.ini", "starts with a backslash"},
        {"FileTxt1 txtname C:\\Windows\\win.ini", "has a drive"},
        {"FileTxt1 txtname History.txt:hidden", "has a colon"},
        // Inside, but its folder would never be made: the builder refuses it by the same rule.
        {"FileTxt1 txtname NewDir/x.txt", "separates folders with a slash"},
    };
    for (const auto& c : cases) {
        log.clear();
        files.files = {};
        files.dirs = {"C:\\WINDOWS", "C:\\WINDOWS\\Temp"};
        Manifest(std::string("FileTxt1 txtname History.txt\r\n") + c.line);
        try {
            Run();
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const core::SetupError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("The path of \"") + c.line + "\" " +
                          core::RelativePathProblem(core::ParseManifestLine(c.line).RelPath) +
                          "; setup writes nothing outside the installation folder");
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
        EXPECT_EQ(From("mkdir C:\\A\\.."), Log{}) << c.line;
        EXPECT_EQ(files.files.size(), 3u) << c.line; // the manifest, the executable, History.txt
    }

    settings.exeName = "..\\VLMR.exe";
    Manifest("FileTxt1 txtname History.txt");
    EXPECT_THROW(Run(), core::SetupError); // an error, not the running-application guard
}
