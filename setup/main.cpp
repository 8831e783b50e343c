// Program entry: the shared flag, the command line, the log, the single-instance guard, then the
// setup session, which owns the windows and serves the program until the setup ends.
#include "core/command_line.h"
#include "core/profile.h"
#include "setup_session.h"
#include "system/host_description.h"
#include "system/log_file.h"
#include "system/resource_store.h"
#include "system/shared_flag.h"
#include "system/temp_files.h"
#include "system/wide.h"
#include "toolkit/app.h"

#include <windows.h>

#include <memory>

namespace {

// A setup is started from download folders where anyone may have left a DLL: before anything else
// loads one, only the system folder is searched.
void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

const char* ModeName(core::SetupMode mode) {
    switch (mode) {
    case core::SetupMode::Silent:
        return "silent (/SILENT)";
    case core::SetupMode::VerySilent:
        return "very silent (/VERYSILENT)";
    case core::SetupMode::Interactive:
        break;
    }
    return "interactive";
}

// The first entries: what runs, and how it was started.
void LogStart(install::InstallationLog& log, const core::PayloadStore& payload,
              const std::string& commandLine, core::SetupMode mode) {
    std::string configuration;
    try {
        configuration = payload.GetUnpacked(sys::kConfigFile.resName, sys::kConfigFile.resType);
    } catch (const std::exception& e) {
        log.Write(std::string("Error: ") + e.what());
    }
    log.Write("Setup of " + core::ProfileString(configuration, "Form", "Caption") + ", version " +
              core::ProfileString(configuration, "Form", "Version") + " (serial " +
              core::ProfileString(configuration, "Form", "Serial") + ")");
    log.Write("System: " + sys::HostDescription());
    log.Write("Command line: " + commandLine);
    log.Write(std::string("Mode: ") + ModeName(mode));
}

// True when another setup runs, in this session or in any other (a deployment as SYSTEM while a
// user runs the setup). The mutexes are held until the process ends: the system frees them.
// The command line after the program's own path, as the system splits it off: up to the closing
// quote when the path is quoted, else up to the first blank.
std::wstring_view Arguments(std::wstring_view commandLine) {
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring_view::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

bool AnotherSetupRuns() {
    (void)CreateMutexW(nullptr, TRUE, L"VLmraSetup_27805");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return true;
    // Made by a setup of another account, the global one may be closed to this one: it exists.
    if (!CreateMutexW(nullptr, TRUE, L"Global\\VLmraSetup_27805"))
        return GetLastError() == ERROR_ACCESS_DENIED;
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearchToSystemFolder();
    ui::App app;
    // Made after the application object and so released before it, first of all at exit.
    sys::SharedFlag sharedFlag;
    app.SetTitle("vlmraSetup");

    const std::wstring_view wideCommandLine = GetCommandLineW();
    const std::string commandLine = sys::Gbk(wideCommandLine);
    core::ParsedCommandLine parsed = core::ParseCommandLine(commandLine);
    // A folder or file name is taken exactly or not at all: a character without a GBK form would
    // otherwise become a look-alike or a question mark, and the setup write somewhere else.
    std::string exactArguments;
    if (parsed.error.empty() && !sys::GbkExactly(Arguments(wideCommandLine), exactArguments))
        parsed.error = core::UnrepresentableCommandLineText();
    const core::SetupOptions& options = parsed.options;
    const bool unattended = options.mode != core::SetupMode::Interactive;
    // Started without arguments, the setup returns 0 whatever happens, as it always has; the exit
    // codes are for those who start it with a command line.
    const auto exitWith = [&parsed](core::ExitCode code) { return parsed.hasArguments ? code : 0; };

    // Opened before the guard: a second setup given the same file cannot open it, and so leaves the
    // running setup's log alone.
    const std::unique_ptr<sys::LogFile> log = sys::LogFile::OpenRequested(options.logFile);
    sys::ResourceStore payload;
    if (log->Opened()) LogStart(*log, payload, commandLine, options.mode);

    if (!parsed.error.empty()) {
        // Under a deployment tool nobody could see a box, let alone answer it: a silent setup only
        // logs what is wrong.
        log->Write("Bad command line: " + parsed.error);
        log->Write("Exit code: " + std::to_string(core::kExitBadCommandLine));
        if (!unattended)
            app.ShowMessage(nullptr, core::CommandLineHelp(parsed.error), app.Title(), MB_OK | MB_ICONERROR);
        return core::kExitBadCommandLine;
    }
    if (options.showHelp) {
        // Asked for in a silent mode, the list goes to the log: a box would wait for nobody.
        log->Write("The switches, as /? asked:\r\n" + core::CommandLineHelp());
        log->Write("Exit code: " + std::to_string(core::kExitInstalled));
        if (!unattended)
            app.ShowMessage(nullptr, core::CommandLineHelp(), app.Title(), MB_OK | MB_ICONINFORMATION);
        return core::kExitInstalled;
    }

    if (AnotherSetupRuns()) {
        log->Write("Another setup is running: this one ends");
        log->Write("Exit code: " + std::to_string(core::kExitAnotherSetupRunning));
        if (!unattended) app.ShowMessage(nullptr, "安装程序已经运行", "运行提示", MB_OK | MB_ICONINFORMATION);
        return exitWith(core::kExitAnotherSetupRunning);
    }

    core::ExitCode exitCode;
    {
        SetupSession session(app, payload, options, *log);
        session.Run();
        exitCode = session.ExitCode();
    }
    log->Write("Exit code: " + std::to_string(exitCode));
    return exitWith(exitCode);
}
