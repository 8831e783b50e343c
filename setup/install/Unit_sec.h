#pragma once
// The progress window: runs the installation sequence on its first activation, names each step,
// moves its bar, lets the user cancel between files, and one second after the end hands over to
// the wizard's last page.
#include "installation.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

#include <memory>
#include <string>

class TFormsec : public ui::Form, private install::ProgressView {
  public:
    TFormsec(ui::App& app, HWND owner, const core::PayloadStore& payload);

  private:
    ui::Animation* ams = nullptr;
    ui::Label* lbls = nullptr;
    ui::ProgressBar* pgbs = nullptr;
    ui::Button* btncel = nullptr;
    static constexpr UINT_PTR Timer1 = 1;

    std::string FExeName;
    bool FFinished = false;

    void FormCreate();
    void FormActivate();
    void btncelClick();
    // A close of the window (Alt+F4) is a click on the cancel button: the question, then its
    // outcome. The window itself goes only when the setup ends.
    bool FormCloseQuery();
    void Timer1Timer();
    void RunInstallation();

    void OnActivate() override { FormActivate(); }
    bool CanClose() override { return FormCloseQuery(); }
    void OnPaint(HDC dc, const RECT& client) override;

    // The sequence's view of this window.
    void SetLabel(const std::string& text) override;
    void HideLabel() override;
    void SetBar(int position) override;
    void Pause() override;
    bool HandleMessages() override;
    void ShowFolderError(const std::string& message) override;

    const core::PayloadStore& payload_;
    bool activated_ = false;
    bool cancelled_ = false; // the user confirmed cancelling: the sequence must touch nothing more
    DWORD lastMessagesHandled_ = GetTickCount() - 1000; // the first call always looks
    unsigned pauseMs_;
};
