#include "builder/payload_plan.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using builder::PlanPayload;

namespace {

const char kFixedLines[] =
    "FileExe exename VLMR.exe\r\n"
    "uninstall exename Uninstall.exe\r\n"
    "FileTxt4 txtname \xd3\xc3\xbb\xa7\xca\xda\xc8\xa8\xd0\xad\xd2\xe9.txt\r\n" // 用户授权协议.txt
    "FileTxt5 txtname Setup.log\r\n"
    "FileTxt7 txtname Setup.ini";

class PayloadFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("payload-plan-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "Docs");
        for (const char* name :
             {"VLMR.exe", "Uninstall.exe", u8"用户授权协议.txt", "Setup.ini", "Docs/a b.txt"})
            std::ofstream(dir / name) << name;
    }
    void TearDown() override { fs::remove_all(dir); }

    void WriteManifest(const std::string& extraLines) {
        std::ofstream(dir / "Setup.log", std::ios::binary) << kFixedLines << extraLines;
    }
    // The refusal's message, which must name the manifest and the line.
    std::string Refusal(const std::string& extraLines) {
        WriteManifest(extraLines);
        try {
            PlanPayload(dir);
        } catch (const builder::BuildRefused& e) {
            return e.what();
        }
        return "accepted";
    }

    fs::path dir;
};

} // namespace

TEST_F(PayloadFolder, AcceptsAWellFormedManifestAndUpperCasesNamesAndTypes) {
    WriteManifest("\r\nDocsA name1 Docs\\a b.txt");
    const auto plan = PlanPayload(dir);
    ASSERT_EQ(plan.size(), 6u);
    EXPECT_EQ(plan[0].name, "FILEEXE");
    EXPECT_EQ(plan[0].type, "EXENAME");
    EXPECT_EQ(plan[2].file, dir / u8"用户授权协议.txt");
    EXPECT_EQ(plan[5].file, dir / "Docs/a b.txt");
}

TEST_F(PayloadFolder, RefusesWhatCannotWorkNamingTheLine) {
    const std::string manifest = (dir / "Setup.log").string();
    const struct {
        const char* lines;
        const char* says;
    } cases[] = {
        {"\r\nJustOneField",
         ":6: the line does not split into name, type and relative path: \"JustOneField\""},
        {"\r\nName type", ":6: the line does not split"},
        {"\r\nName  Docs\\a b.txt", ":6: the line does not split"},
        {"\r\n\r\nDocsC name1 Docs\\a b.txt", ":6: the line does not split"},
        {"\r\nBad-Name name1 Docs\\a b.txt", ":6: a resource name or type may hold only ASCII"},
        {"\r\nfileexe EXENAME VLMR.exe", ":6: the resource (fileexe, EXENAME) is listed already on line 1"},
        {"\r\nGone name1 Docs\\missing.txt", ":6: the file "},
        {"\r\nAbs name1 \\Windows\\win.ini", ":6: the relative path starts with a backslash"},
        {"\r\nUnc name1 \\\\server\\share\\x", ":6: the relative path starts with a backslash"},
        {"\r\nDrv name1 C:\\Windows\\win.ini", ":6: the relative path has a drive"},
        {"\r\nAds name1 Docs\\a b.txt:stream", ":6: the relative path has a colon"},
        {"\r\nUp name1 Docs\\..\\..\\x.txt", ":6: the relative path climbs out of the installation folder"},
        {"\r\nUpSlash name1 a/../../etc/passwd", ":6: the relative path climbs out of the installation folder"},
        {"\r\nBadText name1 Docs\\\xca.txt",
         ":6: the line is not valid GBK text: \"BadText name1 Docs\\\\xCA.txt\""},
    };
    for (const auto& c : cases) {
        const std::string message = Refusal(c.lines);
        EXPECT_EQ(message.rfind(manifest, 0), 0u) << message;
        EXPECT_NE(message.find(c.says), std::string::npos) << "expected '" << c.says << "' in: " << message;
    }
}

TEST_F(PayloadFolder, ClimbingDownAndBackIsAllowed) {
    EXPECT_EQ(Refusal("\r\nDocsB name1 Docs\\..\\Docs\\a b.txt"), "accepted");
}

TEST_F(PayloadFolder, RefusesAManifestWithoutAResourceSetupAsksFor) {
    std::ofstream(dir / "Setup.log", std::ios::binary)
        << "FileExe exename VLMR.exe\r\nFileTxt5 txtname Setup.log";
    try {
        PlanPayload(dir);
        FAIL() << "accepted";
    } catch (const builder::BuildRefused& e) {
        EXPECT_NE(std::string(e.what()).find("does not list the resource (FileTxt4, txtname)"),
                  std::string::npos)
            << e.what();
    }
}
