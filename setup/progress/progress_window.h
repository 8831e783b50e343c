#pragma once
// The progress window (registered as "TFormsec"): runs the installation on its first activation,
// names each step, moves its bar, lets the user cancel between files, and one second after the end
// hands over to the wizard's completion page. An unattended setup (/SILENT) shows it as its only
// window, without the cancel button.
#include "engine/installation.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

#include <string>

class SetupSession;

class ProgressWindow : public ui::Form, private install::ProgressView {
  public:
    // Without an owner it is the unattended setup's main window.
    ProgressWindow(ui::App& app, SetupSession& session, HWND owner);
    // The setup ends: the window goes, which it otherwise does not while the installation runs.
    void CloseAtEnd();

  private:
    SetupSession& session_;
    ui::Animation* copyAnimation_ = nullptr;
    ui::Label* stepLabel_ = nullptr;
    ui::ProgressBar* progressBar_ = nullptr;
    ui::Button* cancelButton_ = nullptr;
    static constexpr UINT_PTR kHandOverTimer = 1;
    static constexpr UINT_PTR kStartTimer = 2;

    bool activated_ = false;
    bool finished_ = false;  // every step ran: the hand-over follows
    bool cancelled_ = false; // the user confirmed cancelling: the sequence must touch nothing more
    bool closing_ = false;   // the setup ends
    DWORD lastMessagesHandled_ = GetTickCount() - 1000; // the first call always looks
    unsigned pauseMs_;

    void Activated();
    void CancelClicked();
    // A close of the window (Alt+F4) is a click on the cancel button: the question, then its
    // outcome. The window itself goes only when the setup ends.
    bool MayClose();
    void HandOver();
    void RunInstallation();

    void OnActivate() override { Activated(); }
    void OnShow() override;
    bool CanClose() override { return MayClose(); }
    void OnPaint(HDC dc, const RECT& client) override;

    // The sequence's view of this window.
    void SetLabel(const std::string& text) override;
    void HideLabel() override;
    void SetBar(int position) override;
    void Pause() override;
    bool HandleMessages() override;
    void ShowFolderError(const std::string& message, const std::string& reason) override;
};
