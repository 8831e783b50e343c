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

// A setup configuration the setup can use: every key it reads, a folder name it can write under.
const char kConfiguration[] =
    "[Form]\r\nCaption=Velmora\r\nSerial=02080305\r\nVersion=2.8.3.5\r\nSQXY=x\r\n"
    "desKtopLink=\\Velmora.lnk\r\n[SetupDir]\r\nDirName=Vlmra280\r\n"
    "SetupPath=D:\\Program Files\\Vlmra280\r\n[Run]\r\nFileName=VLMR.exe\r\nRJSize=12\r\n";

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
        std::ofstream(dir / "Setup.ini", std::ios::binary) << kConfiguration;
    }
    void TearDown() override { fs::remove_all(dir); }

    void WriteManifest(const std::string& extraLines) {
        std::ofstream(dir / "Setup.log", std::ios::binary) << kFixedLines << extraLines;
    }
    // The refusal's message, which must name the manifest and the line.
    std::string Refusal(const std::string& extraLines) {
        WriteManifest(extraLines);
        return Refusal();
    }
    std::string Refusal() {
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
        std::string lines;
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
        {"\r\nUpSlash name1 a/../../etc/passwd",
         ":6: the relative path climbs out of the installation folder"},
        {"\r\nDev name1 CON", ":6: the relative path has a part that Windows takes for a device: \"CON\""},
        {"\r\nDev name1 Docs\\nul.txt", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 com1.log", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 LPT9\\a b.txt", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 CON .txt", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 Docs\\CONIN$", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 conout$.txt", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 COM0.txt", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nDev name1 lpt0.log", ":6: the relative path has a part that Windows takes for a device"},
        {"\r\nShort name1 PROGRA~1\\a.txt",
         ":6: the relative path has a part in the form of a short (8.3) name"},
        {"\r\nShort name1 Docs\\README~2.TXT",
         ":6: the relative path has a part in the form of a short (8.3) name"},
        {"\r\nSlash name1 NewDir/x.txt", ":6: the relative path separates folders with a slash"},
        {"\r\nLong name1 " + std::string(300000, 'a') + ".txt",
         ":6: the relative path is 300004 characters long"},
        {"\r\nDot name1 Docs.\\a b.txt", ":6: the relative path has a part that ends in a dot or a blank"},
        {"\r\nBlank name1 Docs\\a b.txt ", ":6: the relative path has a part that ends in a dot or a blank"},
        {"\r\nStar name1 Docs\\a*.txt", ":6: the relative path has a character that Windows does not allow"},
        {"\r\nPipe name1 Docs\\a|b.txt", ":6: the relative path has a character that Windows does not allow"},
        {"\r\nDocsA name1 Docs\\a b.txt\r\nDocsB name1 DOCS\\.\\A B.TXT",
         ":7: the line writes the same file as line 6"},
        {"\r\n" + std::string(70000, 'N') + " name1 Docs\\a b.txt",
         ":6: a resource name or type may be at most 65535 characters long"},
        {"\r\nBadText name1 Docs\\\xca.txt",
         ":6: the line is not valid GBK text: \"BadText name1 Docs\\\\xCA.txt\""},
    };
    for (const auto& c : cases) {
        const std::string message = Refusal(c.lines);
        EXPECT_NE(message, "accepted") << c.says;
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

TEST_F(PayloadFolder, RefusesLinksWherePointTheyMay) {
    // The rule: no symbolic link below the payload folder, to a file or a folder, inside or out.
    fs::create_symlink("/etc/hostname", dir / "Docs" / "outside.txt");
    fs::create_symlink("a b.txt", dir / "Docs" / "inside.txt");
    fs::create_directory_symlink("/etc", dir / "etc");
    for (const char* line : {"\r\nOut name1 Docs\\outside.txt", "\r\nIn name1 Docs\\inside.txt",
                             "\r\nDir name1 etc\\hostname"}) {
        const std::string message = Refusal(line);
        EXPECT_NE(message.find(":6: "), std::string::npos) << message;
        EXPECT_NE(message.find("is a symbolic link; the builder packs no link"), std::string::npos)
            << message;
    }
}

// The manifest itself is never read through a link: a refusal would show the lines of whatever
// file it points to.
TEST_F(PayloadFolder, RefusesALinkedManifestWithoutReadingIt) {
    fs::remove(dir / "Setup.log");
    std::ofstream(dir / "secret.txt") << "root:secret-hash:19000:0:99999:7:::\n";
    fs::create_symlink(dir / "secret.txt", dir / "Setup.log");
    const std::string message = Refusal();
    EXPECT_NE(message.find("the manifest is a symbolic link"), std::string::npos) << message;
    EXPECT_EQ(message.find("secret-hash"), std::string::npos) << message;
}

// Names that look like a short name only in part stay allowed.
TEST_F(PayloadFolder, AcceptsNamesThatOnlyResembleShortNames) {
    for (const char* name : {"a~b.txt", "LongerName~1.txt", "x~1.text"}) {
        std::ofstream(dir / "Docs" / name) << "x";
        EXPECT_EQ(Refusal(std::string("\r\nTilde name1 Docs\\") + name), "accepted") << name;
    }
}

TEST_F(PayloadFolder, RefusesANulByteNamingItsLine) {
    WriteManifest(std::string("\r\nDocsA name1 Docs\\a b.txt\0\r\nHidden name1 Docs\\a b.txt", 54));
    const std::string message = Refusal();
    EXPECT_NE(message.find("Setup.log:6: the manifest holds a NUL byte"), std::string::npos) << message;
}

TEST_F(PayloadFolder, RefusesAnEmptyProgram) {
    for (const char* program : {"VLMR.exe", "Uninstall.exe"}) {
        std::ofstream(dir / program, std::ios::trunc);
        const std::string message = Refusal("");
        EXPECT_NE(message.find("is empty, and the setup would install it as a program"), std::string::npos)
            << message;
        std::ofstream(dir / program) << "MZ";
    }
}

TEST_F(PayloadFolder, RefusesAConfigurationTheSetupCannotUse) {
    const std::string good = kConfiguration;
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string configuration;
        const char* says;
    } cases[] = {
        {with("Caption=Velmora", "Caption=Velmora\xca"), "is not valid GBK text"},
        {with("RJSize=12\r\n", ""), "has no [Run] RJSize, which the setup reads"},
        {with("[SetupDir]", "[Elsewhere]"), "has no [SetupDir] DirName"},
        {with("FileName=VLMR.exe", "FileName=..\\VLMR.exe"),
         "its [Run] FileName \"..\\VLMR.exe\" climbs out"},
        {with("FileName=VLMR.exe", "FileName=C:\\VLMR.exe"),
         "its [Run] FileName \"C:\\VLMR.exe\" has a drive"},
        {with("desKtopLink=\\Velmora.lnk", "desKtopLink=\\..\\Startup\\Velmora.lnk"),
         "its [Form] desKtopLink \"\\..\\Startup\\Velmora.lnk\" holds a backslash"},
        {with("desKtopLink=\\Velmora.lnk", "desKtopLink=Velmora.lnk"), "does not start with a backslash"},
        {with("Files\\Vlmra280", "Files\\" + std::string(230, 'v')),
         ":2: under the default installation folder"},
    };
    for (const auto& c : cases) {
        std::ofstream(dir / "Setup.ini", std::ios::binary | std::ios::trunc) << c.configuration;
        const std::string message = Refusal("\r\nDocsA name1 Docs\\a b.txt");
        EXPECT_NE(message.find(c.says), std::string::npos) << "expected '" << c.says << "' in: " << message;
    }
}
