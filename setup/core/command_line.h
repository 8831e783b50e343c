#pragma once
// The setup's command line, for unattended installation. Without arguments the setup is the
// interactive one. Switches are matched ignoring ASCII case; a value may be quoted, and quotes only
// group (a backslash is always a backslash, so /DIR="C:\Program Files\Velmora\" means what it
// shows).
#include <optional>
#include <string>
#include <string_view>

namespace core {

enum class SetupMode { Interactive, Silent, VerySilent };

// What the setup's process returns, in every mode.
enum ExitCode : int {
    kExitInstalled = 0,
    kExitFailed = 1,
    kExitBadCommandLine = 2,
    kExitApplicationRunning = 3,
    kExitNewerVersionInstalled = 4,
    kExitCancelled = 5,
    kExitAnotherSetupRunning = 6,
};

struct SetupOptions {
    SetupMode mode = SetupMode::Interactive;
    std::optional<std::string> installDir; // /DIR=, as given (GBK): absolute, as on the folder page
    bool noIcons = false;                  // /NOICONS: no desktop link and no program group
    bool noRun = false;                    // /NORUN: nothing started at the end
    bool run = false;                      // /RUN: start the application after a silent installation
    bool force = false;                    // /FORCE: install over a newer version
    bool closeApp = false;                 // /CLOSEAPP: end a running application
    // /LOG=file; empty when /LOG came without a file: a log of its own in the user's temporary folder.
    std::optional<std::string> logFile;
    bool showHelp = false; // /?
};

struct ParsedCommandLine {
    // On a bad command line too, the mode and the log are those the line asks for, so that a silent
    // setup reports its bad command line to its log and shows nothing.
    SetupOptions options;
    bool hasArguments = false; // anything after the program's path: the exit codes then tell outcomes
    std::string error;         // empty when the command line is good; else the first thing wrong with it
};

// `commandLine` is the whole line as the system gives it, the program's own path first (GBK).
ParsedCommandLine ParseCommandLine(std::string_view commandLine);

// Why a command line with a character that has no GBK form is refused.
std::string UnrepresentableCommandLineText();

// The message box text listing the switches; `problem`, when given, comes first.
std::string CommandLineHelp(const std::string& problem = "");

} // namespace core
