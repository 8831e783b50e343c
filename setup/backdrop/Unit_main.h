#pragma once
// The backdrop: the program's main window, a full-screen blue gradient with a title banner and a
// footer behind the wizard and the progress window. It holds the state those windows share.
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/worker_thread.h"
#include "core/payload_store.h"

#include <string>

class TFormain : public ui::Form {
  public:
    TFormain(ui::App& app, const core::PayloadStore& payload);

    bool FProceed = true;  // setup may go on
    std::string FTempDir;  // temporary folder, with trailing backslash
    std::string FSetupDir; // installation folder; the wizard and the installation set and read it
    std::string FSerial;   // version serial of the configuration

    // A value of the temporary setup configuration, read from the file anew on every call.
    std::string ReadSetupIni(const std::string& section, const std::string& key) const;
    // The Windows folder followed by "\Temp\", created when missing.
    void GetTempFolder(std::string& path) const;
    // Shows the wizard modally; runs on the user-interface thread.
    void ShowChedule();
    // Runs the installation in the progress window, then ends setup.
    void showsec();

    // Whether a process of the application's executable runs, by its file name.
    bool IsApplicationRunning() const;
    // Ends the process owning the first window of the class that is not a setup window.
    void EndRunningApplication(const std::string& className) const;

    void ShowAsMain() override;

    // The resources the program carries.
    const core::PayloadStore& Payload() const { return payload_; }

  private:
    ui::Label* Panel_Title = nullptr;
    ui::Panel* Panel1 = nullptr;
    ui::Label* Label1 = nullptr;
    ui::Label* Label2 = nullptr;
    ui::WorkerThread Thread1;

    const core::PayloadStore& payload_;

    // The title banner and the footer with its two labels; built once.
    void CreateBannerAndFooter();
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormPaint(HDC dc, const RECT& client);
    void Panel1Resize();
    void Thread1Execute(ui::WorkerThread& thread);

    void OnShow() override { FormShow(); }
    void OnClose() override { FormClose(); }
    void OnPaint(HDC dc, const RECT& client) override { FormPaint(dc, client); }
};

extern TFormain* Formain;
