#pragma once
// One run of the setup from start to end. It owns the three windows and what they share (the
// temporary folder, the installation folder, whether setup may go on and whether the installation
// has started), and it makes the hand-overs between them: the backdrop, then the wizard, the
// installation in the progress window, the wizard's completion page, the end.
#include "core/payload_store.h"
#include "engine/installation.h"
#include "toolkit/worker_thread.h"

#include <windows.h>

#include <memory>
#include <string>

namespace ui {
class App;
}
class BackdropWindow;
class WizardWindow;

class SetupSession {
  public:
    // Makes the backdrop, prepares the setup (the temporary folder, a running application, the
    // temporary files) and makes the wizard.
    SetupSession(ui::App& app, const core::PayloadStore& payload);
    ~SetupSession();
    SetupSession(const SetupSession&) = delete;
    SetupSession& operator=(const SetupSession&) = delete;

    // Shows the backdrop, with the wizard on its way, and serves the program until the setup ends.
    void Run();

    const core::PayloadStore& Payload() const { return payload_; }
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
    // For the progress window: what the installation needs, read when it starts.
    install::InstallSettings InstallationSettings() const;
    // From the progress window: the installation has run to its end; the wizard shows its
    // completion page.
    void InstallationFinished();
    // From the progress window: the installation stops where it is (cancelled, or its main
    // executable could not be written), and the setup ends.
    void StopInstallation();
    // From the completion page's finish button: the application's settings file, the application
    // started when `runApplication` is set and an installation was made, then the end.
    void Finish(HWND owner, bool runApplication);
    // Closes the backdrop, which ends the setup.
    void End();
    // From the backdrop as it closes: the temporary files go.
    void BackdropClosing();

  private:
    void Prepare();
    void ShowWizard();

    ui::App& app_;
    const core::PayloadStore& payload_;
    std::string tempDir_; // with its trailing backslash
    std::string installDir_;
    bool saveDesktopLink_ = true;
    bool mayProceed_ = true;
    bool installationStarted_ = false;
    std::unique_ptr<BackdropWindow> backdrop_;
    std::unique_ptr<WizardWindow> wizard_;
    // Hands the showing of the wizard to the message loop, so that the backdrop is up first.
    ui::WorkerThread wizardShower_;
};
