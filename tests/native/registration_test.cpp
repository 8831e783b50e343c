#include "core/program_group.h"
#include "core/registration.h"
#include "core/running_application.h"

#include <gtest/gtest.h>

TEST(Registration, DisplayVersionCutsAtFixedPositions) {
    EXPECT_EQ(core::DisplayVersion("02080305"), "0.20.80305");
    EXPECT_EQ(core::DisplayVersion("27200"), "2.72.00");
    EXPECT_EQ(core::DisplayVersion("123"), "1.23.");
    EXPECT_EQ(core::DisplayVersion("1"), "1..");
    EXPECT_EQ(core::DisplayVersion(""), "..");
    EXPECT_EQ(core::DisplayVersion("12345678901234"), "1.23.4567890123");
}

TEST(Registration, FourteenRowsInOrder) {
    using core::RegistryRoot;
    const std::string folder = "D:\\My Apps\\Vlmra 280\\";
    auto rows = core::UninstallRows(folder, "02080305", "https://www.velmora.example");
    const auto more = core::RegistrationRows({".Vlq", "Software\\VLMRA", "Velmora (m), v2",
                                              folder + "Velmora Main.exe", 0, folder, "02080305", "2.8.3.5"});
    rows.insert(rows.end(), more.begin(), more.end());
    const std::string uninstall = "software\\microsoft\\windows\\currentversion\\uninstall\\Velmora";
    const std::vector<core::RegistryRow> expected = {
        {RegistryRoot::CurrentUser, uninstall, "displayname", "Velmora"},
        {RegistryRoot::CurrentUser, uninstall, "Publisher", "Tessaly"},
        {RegistryRoot::CurrentUser, uninstall, "DisplayVersion", "0.20.80305"},
        {RegistryRoot::CurrentUser, uninstall, "URLInfoAbout", "https://www.velmora.example"},
        {RegistryRoot::CurrentUser, uninstall, "uninstallstring",
         "\"D:\\My Apps\\Vlmra 280\\Uninstall.exe\""},
        {RegistryRoot::ClassesRoot, ".Vlq", "", "Software\\VLMRA"},
        {RegistryRoot::ClassesRoot, "Software\\VLMRA", "", "Velmora (m), v2"},
        {RegistryRoot::ClassesRoot, "Software\\VLMRA\\DefaultIcon", "",
         "D:\\My Apps\\Vlmra 280\\Velmora Main.exe,0"},
        {RegistryRoot::ClassesRoot, "Software\\VLMRA\\Shell\\Open", "", "&Open"},
        {RegistryRoot::ClassesRoot, "Software\\VLMRA\\Shell\\Open\\Command", "",
         "\"D:\\My Apps\\Vlmra 280\\Velmora Main.exe\" \"%1\""},
        {RegistryRoot::CurrentUser, "Software\\VLMRA\\Shell\\PathName", "Path", "D:\\My Apps\\Vlmra 280\\"},
        {RegistryRoot::CurrentUser, "Software\\VLMRA\\Shell\\Serial", "Serial", "02080305"},
        {RegistryRoot::CurrentUser, "Software\\VLMRA\\Shell\\Version", "Version", "2.8.3.5"},
        {RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers",
         "D:\\My Apps\\Vlmra 280\\VLMR.exe", "~ DPIUNAWARE"},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].root, expected[i].root) << "row " << i + 1;
        EXPECT_EQ(rows[i].key, expected[i].key) << "row " << i + 1;
        EXPECT_EQ(rows[i].name, expected[i].name) << "row " << i + 1;
        EXPECT_EQ(rows[i].data, expected[i].data) << "row " << i + 1;
    }
}

TEST(ProgramGroup, CommandsKeepTheirFormAndQuoteOnlyWhatWouldSplitThem) {
    const auto commands = core::ProgramGroupCommands("Velmora v2", "D:\\Program Files\\Vlmra280\\",
                                                     "D:\\Program Files\\Vlmra280\\VLMR.exe");
    const std::vector<std::string> expected = {
        "[creategroup(Velmora v2,Velmora v2)]",
        "[additem(D:\\Program Files\\Vlmra280\\VLMR.exe,Velmora v2)]",
        "[additem(D:\\Program Files\\Vlmra280\\Uninstall.exe,卸载Velmora v2)]",
        "[additem(D:\\Program Files\\Vlmra280\\help.chm,使用说明)]",
        "[additem(D:\\Program Files\\Vlmra280\\用户授权协议.txt,用户授权协议)]",
    };
    EXPECT_EQ(commands, expected);
    const auto quoted =
        core::ProgramGroupCommands("Velmora(m),v2", "D:\\Apps [x]\\", "D:\\Apps [x]\\VLMR.exe");
    EXPECT_EQ(quoted.front(), "[creategroup(\"Velmora(m),v2\",\"Velmora(m),v2\")]");
    EXPECT_EQ(quoted[1], "[additem(\"D:\\Apps [x]\\VLMR.exe\",\"Velmora(m),v2\")]");
}

TEST(ProgramGroup, ArgumentIsQuotedForItsOwnCharactersOnly) {
    const struct {
        const char* text;
        const char* argument;
    } cases[] = {
        {"Velmora", "Velmora"},
        {"a,b", "\"a,b\""},
        {"a(b", "\"a(b\""},
        {"a)b", "\"a)b\""},
        {"a[b", "\"a[b\""},
        {"a]b", "\"a]b\""},
        {"\x81\x5b\x81\x5d", "\x81\x5b\x81\x5d"}, // brackets only as second bytes of GBK characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::DdeArgument(c.text), c.argument) << c.text;
}

TEST(ProgramGroup, OverLongCommandIsLeftOutAndTheOthersStay) {
    const auto commands = [](size_t folderNameLength) {
        const std::string folder = "C:\\" + std::string(folderNameLength, 'f') + "\\";
        return core::ProgramGroupCommands("Velmora", folder, folder + "VLMR.exe");
    };
    // The agreement's item is the longest command: at 254 bytes it is sent, at 255 it is not.
    const auto fitting = commands(210);
    ASSERT_EQ(fitting.size(), 5u);
    EXPECT_EQ(fitting.back().size(), core::kLongestGroupCommand);
    const auto tooLong = commands(211);
    ASSERT_EQ(tooLong.size(), 4u);
    EXPECT_EQ(tooLong.back(), "[additem(C:\\" + std::string(211, 'f') + "\\help.chm,使用说明)]");
}

TEST(RunningApplication, ExecutableNamesMatchExactly) {
    const struct {
        const char* field;
        bool matches;
    } cases[] = {
        {"VLMR.exe", true},
        {"VLMR.EXE", true},
        {"vlmr.EXE", true},
        {"vlmr.exe", true},
        {"Vlmr.exe", false},
        {"VLMR.Exe", false},
        {"C:\\Program Files\\Vlmra280\\VLMR.exe", true},
        {"\\??\\C:\\x\\vlmr.exe", true},
        {"D:VLMR.exe", true},
        {"C:\\VLMR.exe\\other.exe", false},
        {"VLMR.exe ", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::IsApplicationExecutable(c.field), c.matches) << c.field;
}

TEST(RunningApplication, WindowWalkSkipsEmptyAndSetupTitles) {
    EXPECT_EQ(core::FirstApplicationWindow({"", "vlmraSetup", "Velmora", "Velmora 2"}, "vlmraSetup"), 2);
    EXPECT_EQ(core::FirstApplicationWindow({"VlmraSetup"}, "vlmraSetup"), 0);
    EXPECT_EQ(core::FirstApplicationWindow({"", "vlmraSetup"}, "vlmraSetup"), -1);
    EXPECT_EQ(core::FirstApplicationWindow({}, "vlmraSetup"), -1);
    EXPECT_EQ(core::EndApplicationQuestion(), std::string("Velmora正在运行中，只有结束其") + "\r" +
                                                  "运行后，才能进行软件更新。" + "\r\r" +
                                                  "要结束正在运行的Velmora吗?");
}
