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
        {"s.exe /LOG=\"\"", "The switch /LOG needs a value, as in /LOG=\"...\": /LOG="},
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

TEST(CommandLine, HelpListsEverySwitchAndExitCode) {
    const std::string help = core::CommandLineHelp("Unknown switch: /X");
    EXPECT_EQ(help.rfind("Unknown switch: /X\r\n\r\n", 0), 0u);
    for (const char* s : {"/SILENT", "/VERYSILENT", "/DIR=", "/NOICONS", "/NORUN", "/RUN", "/LOG=", "/FORCE",
                          "/CLOSEAPP", "/?", "0 ", "6 "})
        EXPECT_NE(help.find(s), std::string::npos) << s;
}

} // namespace
