#include "setup_session.h"

#include "backdrop/backdrop_window.h"
#include "core/install_location.h"
#include "core/product.h"
#include "core/profile.h"
#include "core/running_application.h"
#include "core/unattended_folder.h"
#include "core/setup_error.h"
#include "progress/progress_window.h"
#include "system/drives.h"
#include "system/file_io.h"
#include "system/host_description.h"
#include "system/installed_copy.h"
#include "system/running_application_process.h"
#include "system/scope_exit.h"
#include "system/shell_api.h"
#include "system/system_registration.h"
#include "system/temp_files.h"
#include "system/wide.h"
#include "system/win_file_system.h"
#include "toolkit/app.h"
#include "wizard/wizard_window.h"

#include <set>

namespace {

constexpr char kExecutableRunningMessage[] = "所要安装的程序正在运行中,请退出后再安装!";

// For the log, when a copy is installed into another folder than the earlier installation's: the
// registration names one folder, so the earlier copy stays on disk but is no longer registered.
std::string CopyBesideText(const std::string& earlierFolder, const std::string& newFolder) {
    return "This copy goes beside it, into " + newFolder + "; the registration then names this copy, and " +
           earlierFolder + " is no longer registered";
}

// /VERYSILENT: the installation with nothing shown. Messages are still handled, for the hidden
// windows of the shell link and the program group's conversation.
class QuietProgressView : public install::ProgressView {
  public:
    QuietProgressView(ui::App& app, SetupSession& session) : app_(app), session_(session) {}
    void SetLabel(const std::string&) override {}
    void HideLabel() override {}
    void SetBar(int) override {}
    void Pause() override {} // the pause is for someone watching
    bool HandleMessages() override {
        app_.ProcessMessages();
        return !app_.Terminated();
    }
    void ShowFolderError(const std::string& message, const std::string& reason) override {
        session_.ReportError(message, reason);
    }

  private:
    ui::App& app_;
    SetupSession& session_;
};

} // namespace

SetupSession::SetupSession(ui::App& app, const core::PayloadStore& payload, const core::SetupOptions& options,
                           install::InstallationLog& log)
    : app_(app), payload_(payload), options_(options), log_(log) {
    app_.SetErrorHandler([this](const std::string& message, const std::string& reason) {
        return ErrorRaised(message, reason);
    });
    if (Unattended()) return;
    backdrop_ = std::make_unique<BackdropWindow>(app, *this);
    try {
        Prepare();
    } catch (...) {
        // The backdrop stays and is shown without the wizard; only Alt+F4 ends it.
        ui::App::ReportCurrentException();
        return;
    }
    // Only a setup that goes on has a wizard: the wizard reads the temporary files, and a setup
    // that ends here (or could not write them) would read what an earlier run left there.
    if (mayProceed_) wizard_ = std::make_unique<WizardWindow>(app, *this, backdrop_->Handle());
}

SetupSession::~SetupSession() {
    app_.SetErrorHandler(nullptr);
}

void SetupSession::Prepare() {
    mayProceed_ = true;
    // A damaged download is found before anything is written, the temporary files included.
    payload_.CheckAll();
    tempDir_ = sys::TempFolder();
    if (sys::IsApplicationRunning()) {
        if (app_.ShowMessage(backdrop_->Handle(), core::EndApplicationQuestion(), "运行提示",
                             MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL) == IDYES) {
            sys::EndRunningApplication(core::kApplicationWindowClass, app_.Title());
            log_.Write("The running application was ended, as the user chose");
        } else {
            mayProceed_ = false;
            log_.Write("The application is running and the user chose to leave it: setup ends");
            Decide(core::kExitApplicationRunning);
        }
    }
    if (!mayProceed_) return;
    sys::WriteTempFiles(payload_, tempDir_);
    wizardShower_.onExecute = [this](ui::WorkerThread& thread) {
        thread.Synchronize([this] { ShowWizard(); });
    };
    wizardShower_.Start();
}

void SetupSession::Run() {
    if (Unattended())
        RunUnattended();
    else
        app_.Run(*backdrop_);
}

void SetupSession::ShowWizard() {
    (void)wizard_->ShowModal();
}

std::string SetupSession::ConfigValue(const std::string& section, const std::string& key) const {
    return sys::ReadConfigValue(payload_, tempDir_, section, key);
}

std::string SetupSession::AgreementText() const {
    return sys::ReadTempFile(payload_, tempDir_, sys::kAgreementFile);
}

void SetupSession::BeginInstallation(const std::string& installDir, bool saveDesktopLink) {
    installDir_ = installDir;
    saveDesktopLink_ = saveDesktopLink;
    installationStarted_ = true;
    const bool fromCommandLine = options_.installDir && core::SameFolder(installDir_, *options_.installDir);
    log_.Write(
        "Installation folder: " + installDir_ +
        (fromCommandLine ? " (given by /DIR, kept on the folder page)" : " (chosen on the folder page)"));
    const std::optional<sys::InstalledCopy> installed = sys::FindInstalledCopy();
    if (installed && !core::SameFolder(installDir_, installed->folder))
        log_.Write("An earlier installation is in " + installed->folder + ". " +
                   CopyBesideText(installed->folder, installDir_));
}

void SetupSession::RunInstallation() {
    {
        // Destroyed when the modal run ends, however it ends; only then is the backdrop closed,
        // so nothing the installation still has on its stack is freed under it.
        ProgressWindow progress(app_, *this, backdrop_->Handle());
        (void)progress.ShowModal();
    }
    End();
}

install::Outcome SetupSession::Install(install::ProgressView& view, HWND owner) {
    install::InstallSettings settings;
    settings.setupDir = installDir_;
    settings.tempDir = tempDir_;
    settings.exeName = ConfigValue("Run", "FileName");
    settings.wizardCaption = wizard_ ? wizard_->Caption() : ConfigValue("Form", "Caption");
    settings.desktopLinkName = ConfigValue("Form", "desKtopLink");
    settings.saveDesktopLink = saveDesktopLink_;
    using ProgramGroup = install::InstallSettings::ProgramGroup;
    settings.programGroup = options_.noIcons ? ProgramGroup::None
                            : Unattended()   ? ProgramGroup::AsLinkFiles
                                             : ProgramGroup::ThroughProgramManager;
    settings.serial = ConfigValue("Form", "Serial");
    settings.version = ConfigValue("Form", "Version");

    sys::WinFileSystem systemFiles(settings.setupDir);
    install::LoggedFileSystem files(systemFiles, log_);
    sys::SystemRegistration registration(payload_, settings, log_);
    std::string lockedReason;
    const install::Outcome outcome =
        install::RunInstallation(payload_, files, view, registration, settings, &lockedReason);
    switch (outcome) {
    case install::Outcome::Finished:
        log_.Write("Installation finished");
        break;
    case install::Outcome::ExecutableLocked:
        ReportError(kExecutableRunningMessage, lockedReason);
        if (!Unattended()) app_.ShowMessage(owner, kExecutableRunningMessage, app_.Title(), MB_OK);
        StopInstallation(core::kExitFailed);
        break;
    case install::Outcome::Stopped:
        // The folder's error has been shown (and logged); the user cancels from there, while an
        // unattended setup stops here.
        if (Unattended()) StopInstallation(core::kExitFailed);
        break;
    case install::Outcome::Cancelled: // the program is ending already
        break;
    }
    return outcome;
}

void SetupSession::InstallationFinished() {
    Decide(core::kExitInstalled);
    if (!Unattended()) {
        wizard_->ShowCompletionPage();
        return;
    }
    if (options_.run) {
        try {
            StartApplication(nullptr);
        } catch (...) {
            ui::App::ReportCurrentException(); // logged; the installation stands
        }
    }
    End();
}

void SetupSession::StopInstallation(core::ExitCode exitCode) {
    installationStarted_ = false;
    if (exitCode == core::kExitCancelled) log_.Write("The installation was cancelled by the user");
    End(exitCode);
}

void SetupSession::ReportError(const std::string& message, const std::string& reason) {
    // The message is what the user reads; the system's reason, where it adds anything, follows.
    const bool reasonAdds = !reason.empty() && message.find(reason) == std::string::npos;
    log_.Write("Error: " + message + (reasonAdds ? "\r\nReason: " + reason : std::string()));
    Decide(core::kExitFailed);
}

bool SetupSession::ErrorRaised(const std::string& message, const std::string& reason) {
    ReportError(message, reason);
    if (!Unattended()) return false;
    End(core::kExitFailed); // where the interactive setup shows the box and goes no further
    return true;
}

void SetupSession::Decide(core::ExitCode exitCode) {
    if (!exitCode_) exitCode_ = exitCode;
}

void SetupSession::Finish(HWND owner, bool runApplication) {
    if (runApplication && !options_.noRun && installationStarted_) StartApplication(owner);
    End();
}

void SetupSession::StartApplication(HWND owner) {
    const std::string settings = installDir_ + "Options.ini";
    bool written = true;
    try {
        // The application's settings file, read and written as every installed file is: never
        // through a link, and no larger than a text file can be.
        std::set<std::string> checkedFolders; // looked at before the read, not again for the write
        sys::RequireNoLinkBelow(installDir_, settings, &checkedFolders);
        const std::string old = sys::FileExists(settings) ? sys::ReadWholeFile(settings) : std::string();
        sys::WriteFileBelow(installDir_, settings, core::ProfileWithValue(old, "Option", "Reset", "88"),
                            &checkedFolders);
    } catch (const core::SetupError&) {
        written = false;
    }
    const std::string program = installDir_ + ConfigValue("Run", "FileName");
    // Unattended, under SYSTEM or a deployment account, no one signed in asked for it: the program
    // is never started with setup's own elevated rights there.
    const bool mayStartDirectly = !Unattended() || !sys::RunsElevated();
    if (sys::shell::OpenAsDesktopUser(owner, sys::Wide(program), mayStartDirectly)) {
        log_.Write("Application started: " + program);
    } else if (!mayStartDirectly) {
        log_.Write("The application was not started: no desktop shell could start it as the signed-in user, "
                   "and an unattended setup does not start it with its own elevated rights");
    } else {
        log_.Write(core::StartFromDesktopLinkNotice());
        if (!Unattended())
            app_.ShowMessage(owner, core::StartFromDesktopLinkNotice(), app_.Title(),
                             MB_OK | MB_ICONINFORMATION);
    }
    if (!written) throw core::SetupError("Unable to write to " + settings);
}

void SetupSession::End(core::ExitCode exitCode) {
    Decide(exitCode);
    if (backdrop_)
        backdrop_->Close();
    else if (progress_)
        progress_->CloseAtEnd();
}

void SetupSession::BackdropClosing() {
    sys::DeleteTempFiles(tempDir_);
}

void SetupSession::RunUnattended() {
    try {
        if (PrepareUnattended()) {
            installationStarted_ = true;
            if (options_.mode == core::SetupMode::Silent) {
                ProgressWindow progress(app_, *this, nullptr);
                progress_ = &progress;
                // Forgotten before the window object goes, however the run ends: an error reported
                // after it must not reach a window that is no more.
                const sys::ScopeExit forgetProgress([this] { progress_ = nullptr; });
                app_.Run(progress);
            } else {
                QuietProgressView view(app_, *this);
                if (Install(view, nullptr) == install::Outcome::Finished) InstallationFinished();
            }
        }
    } catch (...) {
        ui::App::ReportCurrentException(); // logged, and the setup fails
    }
    if (!tempDir_.empty()) sys::DeleteTempFiles(tempDir_);
}

bool SetupSession::PrepareUnattended() {
    payload_.CheckAll(); // before anything is written
    tempDir_ = sys::TempFolder();
    if (sys::IsApplicationRunning()) {
        if (!options_.closeApp) {
            log_.Write("The application is running: setup ends (/CLOSEAPP would end the application)");
            Decide(core::kExitApplicationRunning);
            return false;
        }
        // Every process of it, whoever runs it; and the setup goes on only when none is left.
        const std::vector<unsigned long> ended = sys::EndApplicationProcesses();
        std::string ids;
        for (const unsigned long id : ended)
            ids += (ids.empty() ? "" : ", ") + std::to_string(id);
        if (sys::IsApplicationRunning()) {
            log_.Write("The application still runs after /CLOSEAPP" +
                       (ended.empty() ? std::string(" could end none of its processes")
                                      : " ended its process(es) " + ids) +
                       ": setup ends");
            Decide(core::kExitApplicationRunning);
            return false;
        }
        log_.Write("The running application was ended (/CLOSEAPP): process(es) " + ids);
    }
    sys::WriteTempFiles(payload_, tempDir_);

    const std::optional<sys::InstalledCopy> installed = sys::FindInstalledCopy();
    if (installed) {
        const std::string serial = ConfigValue("Form", "Serial");
        const core::SerialOrder order = sys::CompareWithInstalled(serial, installed->serial);
        const std::string found = "An earlier installation (serial " + installed->serial + ") is in " +
                                  installed->folder + "; this setup's serial is " + serial;
        if (order == core::SerialOrder::ConfiguredOlder && !options_.force) {
            log_.Write(found + ". A newer version is installed: setup ends (/FORCE would install over it)");
            Decide(core::kExitNewerVersionInstalled);
            return false;
        }
        if (!options_.installDir || core::SameFolder(*options_.installDir, installed->folder))
            log_.Write(found + ". It is installed over");
        else
            log_.Write(found + ". " + CopyBesideText(installed->folder, *options_.installDir));
    }

    std::optional<std::string> folderPageDefault;
    if (!options_.installDir && !installed) {
        folderPageDefault =
            core::DefaultSetupDir(sys::LogicalDriveRoots(), ConfigValue("SetupDir", "DirName"));
        if (!folderPageDefault) log_.Write(core::NoDefaultDriveNotice()); // as the folder page tells the user
    }
    const core::UnattendedFolder chosen = core::ChooseUnattendedFolder(
        options_.installDir, installed ? std::optional<std::string>(installed->folder) : std::nullopt,
        folderPageDefault, ConfigValue("SetupDir", "SetupPath"));
    installDir_ = chosen.folder;
    log_.Write("Installation folder: " + installDir_ + " (" + core::FolderOriginText(chosen.origin) + ")");
    saveDesktopLink_ = !options_.noIcons;
    return true;
}
