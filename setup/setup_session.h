#pragma once
// One run of the setup from start to end. It owns the windows and what they share (the temporary
// folder, the installation folder, whether setup may go on and whether the installation has
// started), makes the hand-overs between them, decides the exit code and writes the log.
// Interactive: the backdrop, then the wizard, the installation in the progress window, the wizard's
// completion page, the end. Unattended: the decisions a user would make are taken from the command
// line, and the installation runs in the progress window without Cancel (/SILENT) or with no window
// at all (/VERYSILENT).
#include "core/command_line.h"
#include "core/payload_store.h"
#include "engine/installation.h"
#include "engine/installation_log.h"
#include "toolkit/worker_thread.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace ui {
class App;
}
class BackdropWindow;
class WizardWindow;
class ProgressWindow;

class SetupSession {
  public:
    // Interactive: makes the backdrop, prepares the setup (the temporary folder, a running
    // application, the temporary files) and makes the wizard. Unattended: nothing yet.
    SetupSession(ui::App& app, const core::PayloadStore& payload, const core::SetupOptions& options,
                 install::InstallationLog& log);
    ~SetupSession();
    SetupSession(const SetupSession&) = delete;
    SetupSession& operator=(const SetupSession&) = delete;

    // Serves the program until the setup ends.
    void Run();
    // What the process returns: installed, failed, cancelled, ... (the first outcome decided).
    core::ExitCode ExitCode() const { return exitCode_ ? *exitCode_ : core::kExitCancelled; }

    const core::SetupOptions& Options() const { return options_; }
    bool Unattended() const { return options_.mode != core::SetupMode::Interactive; }
    // A value of the setup configuration, read from its temporary file anew on every call.
    std::string ConfigValue(const std::string& section, const std::string& key) const;
    // The licence agreement as setup wrote it to the temporary folder.
    std::string AgreementText() const;

    // False once the user chose to leave a running application alone: the backdrop then closes
    // as soon as it shows.
    bool MayProceed() const { return mayProceed_; }
    // The wizard is about to be shown over the backdrop.
    bool WizardComing() const { return wizardShower_.Running(); }
    // The installation was started and has not been cancelled.
    bool InstallationStarted() const { return installationStarted_; }

    // From the wizard: the installation starts into `installDir` (with its trailing backslash).
    void BeginInstallation(const std::string& installDir, bool saveDesktopLink);
    // Runs the installation in the progress window, then ends the setup.
    void RunInstallation();
    // For the progress window: the installation sequence over the real system, logged. An outcome
    // other than the end is dealt with here (a box owned by `owner`, the setup's end).
    install::Outcome Install(install::ProgressView& view, HWND owner);
    // From the progress window: the installation has run to its end; the wizard shows its
    // completion page, or an unattended setup ends.
    void InstallationFinished();
    // The installation stops where it is (cancelled, its main executable could not be written, its
    // folder could not be made), and the setup ends with `exitCode`.
    void StopInstallation(core::ExitCode exitCode);
    // An error the user is told of in a box (or that an unattended setup would have shown): it is
    // logged, and the setup fails unless it has already ended otherwise.
    void ReportError(const std::string& message, const std::string& reason = "");
    // From the completion page's finish button: the application's settings file, the application
    // started when `runApplication` is set and an installation was made, then the end.
    void Finish(HWND owner, bool runApplication);
    // Ends the setup; `exitCode` counts unless an outcome was decided before.
    void End(core::ExitCode exitCode = core::kExitCancelled);
    // From the backdrop as it closes: the temporary files go.
    void BackdropClosing();

  private:
    void Prepare();
    void ShowWizard();
    bool ErrorRaised(const std::string& message, const std::string& reason);
    void Decide(core::ExitCode exitCode);
    // Unattended: the checks and choices the wizard would ask the user for. False when they end
    // the setup.
    bool PrepareUnattended();
    std::string UnattendedInstallFolder();
    void RunUnattended();
    void StartApplication(HWND owner);

    ui::App& app_;
    const core::PayloadStore& payload_;
    const core::SetupOptions& options_;
    install::InstallationLog& log_;
    std::optional<core::ExitCode> exitCode_;
    std::string tempDir_; // with its trailing backslash
    std::string installDir_;
    bool saveDesktopLink_ = true;
    bool mayProceed_ = true;
    bool installationStarted_ = false;
    std::unique_ptr<BackdropWindow> backdrop_;
    std::unique_ptr<WizardWindow> wizard_;
    ProgressWindow* progress_ = nullptr; // the unattended progress window while it runs
    // Hands the showing of the wizard to the message loop, so that the backdrop is up first.
    ui::WorkerThread wizardShower_;
};
