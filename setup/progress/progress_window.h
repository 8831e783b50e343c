#pragma once
// The progress window (registered as "TFormsec"): runs the installation on its first activation,
// names each step, moves its bar, lets the user cancel between files, and one second after the end
// hands over to the wizard's completion page.
#include "engine/installation.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

#include <string>

class SetupSession;

class ProgressWindow : public ui::Form, private install::ProgressView {
  public:
    ProgressWindow(ui::App& app, SetupSession& session, HWND owner);

  private:
    SetupSession& session_;
    ui::Animation* copyAnimation_ = nullptr;
    ui::Label* stepLabel_ = nullptr;
    ui::ProgressBar* progressBar_ = nullptr;
    ui::Button* cancelButton_ = nullptr;
    static constexpr UINT_PTR kHandOverTimer = 1;

    bool activated_ = false;
    bool finished_ = false;  // every step ran: the hand-over follows
    bool cancelled_ = false; // the user confirmed cancelling: the sequence must touch nothing more
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
    bool CanClose() override { return MayClose(); }
    void OnPaint(HDC dc, const RECT& client) override;

    // The sequence's view of this window.
    void SetLabel(const std::string& text) override;
    void HideLabel() override;
    void SetBar(int position) override;
    void Pause() override;
    bool HandleMessages() override;
    void ShowFolderError(const std::string& message) override;
};
