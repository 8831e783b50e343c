#include "setup_session.h"

#include "backdrop/backdrop_window.h"
#include "core/product.h"
#include "core/profile.h"
#include "core/running_application.h"
#include "core/setup_error.h"
#include "progress/progress_window.h"
#include "system/file_io.h"
#include "system/running_application_process.h"
#include "system/shell_api.h"
#include "system/temp_files.h"
#include "system/wide.h"
#include "toolkit/app.h"
#include "wizard/wizard_window.h"

#include <set>

SetupSession::SetupSession(ui::App& app, const core::PayloadStore& payload) : app_(app), payload_(payload) {
    backdrop_ = std::make_unique<BackdropWindow>(app, *this);
    try {
        Prepare();
    } catch (...) {
        // The backdrop stays and is shown without the wizard; only Alt+F4 ends it.
        ui::App::ReportCurrentException();
    }
    wizard_ = std::make_unique<WizardWindow>(app, *this, backdrop_->Handle());
}

SetupSession::~SetupSession() = default;

void SetupSession::Prepare() {
    mayProceed_ = true;
    tempDir_ = sys::TempFolder();
    if (sys::IsApplicationRunning()) {
        if (app_.ShowMessage(backdrop_->Handle(), core::EndApplicationQuestion(), "运行提示",
                             MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL) == IDYES)
            sys::EndRunningApplication(core::kApplicationWindowClass, app_.Title());
        else
            mayProceed_ = false;
    }
    if (!mayProceed_) return;
    sys::WriteTempFiles(payload_, tempDir_);
    wizardShower_.onExecute = [this](ui::WorkerThread& thread) {
        thread.Synchronize([this] { ShowWizard(); });
    };
    wizardShower_.Start();
}

void SetupSession::Run() {
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

install::InstallSettings SetupSession::InstallationSettings() const {
    install::InstallSettings settings;
    settings.setupDir = installDir_;
    settings.tempDir = tempDir_;
    settings.exeName = ConfigValue("Run", "FileName");
    settings.wizardCaption = wizard_->Caption();
    settings.desktopLinkName = ConfigValue("Form", "desKtopLink");
    settings.saveDesktopLink = saveDesktopLink_;
    settings.serial = ConfigValue("Form", "Serial");
    settings.version = ConfigValue("Form", "Version");
    return settings;
}

void SetupSession::InstallationFinished() {
    wizard_->ShowCompletionPage();
}

void SetupSession::StopInstallation() {
    installationStarted_ = false;
    End();
}

void SetupSession::Finish(HWND owner, bool runApplication) {
    if (runApplication && installationStarted_) {
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
        const std::wstring program = sys::Wide(installDir_ + ConfigValue("Run", "FileName"));
        if (!sys::shell::OpenAsDesktopUser(owner, program))
            app_.ShowMessage(owner, core::StartFromDesktopLinkNotice(), app_.Title(),
                             MB_OK | MB_ICONINFORMATION);
        if (!written) throw core::SetupError("Unable to write to " + settings);
    }
    End();
}

void SetupSession::End() {
    backdrop_->Close();
}

void SetupSession::BackdropClosing() {
    sys::DeleteTempFiles(tempDir_);
}
