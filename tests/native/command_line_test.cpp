#include "core/command_line.h"
#include "core/install_location.h"

#include <gtest/gtest.h>

namespace {

using core::SetupMode;

TEST(CommandLine, NoArgumentsIsTheInteractiveSetup) {
    for (const char* line :
         {"VlmraSetup.exe", "\"C:\\Down loads\\VlmraSetup.exe\"", "\"C:\\a b\\Setup.exe\"   "}) {
        const auto parsed = core::ParseCommandLine(line);
        EXPECT_EQ(parsed.error, "") << line;
        EXPECT_EQ(parsed.options.mode, SetupMode::Interactive) << line;
        EXPECT_FALSE(parsed.options.installDir) << line;
        EXPECT_FALSE(parsed.hasArguments) << line;
    }
    // Any argument at all, even one that changes nothing the interactive setup does, counts.
    EXPECT_TRUE(core::ParseCommandLine("s.exe /LOG=x.log").hasArguments);
}

TEST(CommandLine, SwitchesInAnyCaseWithQuotedValues) {
    const auto parsed = core::ParseCommandLine(
        "\"C:\\Down loads\\VlmraSetup.exe\" /verysilent /Dir=\"D:\\Program Files\\Vlmra280\\\" /NOICONS "
        "/log=\"C:\\logs\\setup log.txt\" /Force /closeapp /norun");
    ASSERT_EQ(parsed.error, "");
    const core::SetupOptions& o = parsed.options;
    EXPECT_EQ(o.mode, SetupMode::VerySilent);
    EXPECT_EQ(o.installDir, std::optional<std::string>("D:\\Program Files\\Vlmra280\\"));
    EXPECT_EQ(o.logFile, std::optional<std::string>("C:\\logs\\setup log.txt"));
    EXPECT_TRUE(o.noIcons && o.force && o.closeApp && o.noRun);
    EXPECT_FALSE(o.run || o.showHelp);
}

TEST(CommandLine, ModesAndGbkValues) {
    EXPECT_EQ(core::ParseCommandLine("s.exe /SILENT").options.mode, SetupMode::Silent);
    EXPECT_EQ(core::ParseCommandLine("s.exe /SILENT /VERYSILENT").options.mode, SetupMode::VerySilent);
    EXPECT_TRUE(core::ParseCommandLine("s.exe /?").options.showHelp);
    EXPECT_TRUE(core::ParseCommandLine("s.exe /SILENT /RUN").options.run);
    // A folder whose name has a character ending in 0x5C, and one with a blank, unquoted and quoted.
    const auto gbk = core::ParseCommandLine("s.exe /DIR=\"C:\\\x81\x5c\\\xca\xb3 \xc6\xd7\\\"");
    EXPECT_EQ(gbk.options.installDir, std::optional<std::string>("C:\\\x81\x5c\\\xca\xb3 \xc6\xd7\\"));
}

TEST(CommandLine, BadCommandLinesAreNamed) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"s.exe /QUIET", "Unknown switch: /QUIET"},
        {"s.exe C:\\folder", "Not a switch: C:\\folder"},
        {"s.exe /DIR", "The switch /DIR needs a value, as in /DIR=\"...\": /DIR"},
        {"s.exe /DIR=", "The switch /DIR needs a value, as in /DIR=\"...\": /DIR="},
        {"s.exe /SILENT=yes", "The switch /SILENT takes no value: /SILENT=yes"},
        {"s.exe /RUN /NORUN", "The switches /RUN and /NORUN contradict each other"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::ParseCommandLine(c.line).error, c.error) << c.line;
    // A folder the folder page would refuse: not absolute, or a drive without its backslash.
    for (const char* folder : {"Velmora", "C:Velmora", "\\\\server", "\\Velmora"}) {
        const std::string error = core::ParseCommandLine(std::string("s.exe /DIR=") + folder).error;
        EXPECT_EQ(error.rfind(std::string("/DIR=") + folder + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(core::InstallFolderProblem(folder)), std::string::npos) << error;
    }
}

TEST(CommandLine, ABadLineStillSaysItsModeAndLog) {
    // A deployment tool sees no box: the mode must be known wherever on the line it stands, and the
    // log must be known to take the problem.
    const struct {
        const char* line;
        SetupMode mode;
    } cases[] = {
        {"s.exe /QUIET /VERYSILENT /LOG=C:\\l.txt", SetupMode::VerySilent},
        {"s.exe /LOG=C:\\l.txt /DIR=relative /SILENT", SetupMode::Silent},
        {"s.exe /SILENT=yes /LOG=C:\\l.txt", SetupMode::Silent},
        {"s.exe /RUN /NORUN /LOG=C:\\l.txt", SetupMode::Interactive},
    };
    for (const auto& c : cases) {
        const auto parsed = core::ParseCommandLine(c.line);
        EXPECT_NE(parsed.error, "") << c.line;
        EXPECT_EQ(parsed.options.mode, c.mode) << c.line;
        EXPECT_EQ(parsed.options.logFile, std::optional<std::string>("C:\\l.txt")) << c.line;
    }
    // The first problem is the one named.
    EXPECT_EQ(core::ParseCommandLine("s.exe /A /B").error, "Unknown switch: /A");
}

TEST(CommandLine, HabitualSwitchesOfOtherInstallersAreAccepted) {
    const auto parsed = core::ParseCommandLine("s.exe /VERYSILENT /SUPPRESSMSGBOXES /NORESTART /SP- "
                                               "/nocancel /NOCLOSEAPPLICATIONS /NORESTARTAPPLICATIONS");
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.mode, SetupMode::VerySilent);
    EXPECT_EQ(core::ParseCommandLine("s.exe /NORESTART=1").error,
              "The switch /NORESTART takes no value: /NORESTART=1");
    // /LOG without a file asks for a log in the temporary folder.
    for (const char* line : {"s.exe /LOG", "s.exe /log=", "s.exe /LOG=\"\""})
        EXPECT_EQ(core::ParseCommandLine(line).options.logFile, std::optional<std::string>("")) << line;
    EXPECT_FALSE(core::ParseCommandLine("s.exe /SILENT").options.logFile);
}

TEST(CommandLine, HelpListsEverySwitchAndExitCode) {
    const std::string help = core::CommandLineHelp("Unknown switch: /X");
    EXPECT_EQ(help.rfind("Unknown switch: /X\r\n\r\n", 0), 0u);
    for (const char* s : {"/SILENT", "/VERYSILENT", "/DIR=", "/NOICONS", "/NORUN", "/RUN", "/LOG=", "/FORCE",
                          "/CLOSEAPP", "/?", "0 ", "6 "})
        EXPECT_NE(help.find(s), std::string::npos) << s;
}

} // namespace
