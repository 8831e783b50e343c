#include "progress_window.h"

#include "setup_session.h"
#include "system/pause_setting.h"
#include "toolkit/app.h"
#include "toolkit/gdi.h"

namespace {

constexpr int kClientWidth = 359;
constexpr COLORREF kWindowColour = RGB(255, 255, 255);
constexpr int kClientHeight = 205;
constexpr COLORREF kFrameColour = RGB(16, 83, 194);
constexpr int kFrameWidth = 3;
const ui::FontSpec kFont{"MS Sans Serif", 11};
constexpr DWORD kMessagesInterval = 16; // milliseconds: one frame of a 60 Hz display

} // namespace

ProgressWindow::ProgressWindow(ui::App& app, SetupSession& session, HWND owner)
    : ui::Form(app), session_(session), pauseMs_(sys::PauseMilliseconds()) {
    isMain_ = owner == nullptr;
    colour_ = kWindowColour;
    CreateForm(L"TFormsec", "安装", WS_POPUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
               (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2, kClientWidth, kClientHeight, owner);
    // The window clips its children, so its own fill never reaches a child's rectangle: each child
    // paints its background in the window's colour itself, and the label erases its last text.
    copyAnimation_ = Add<ui::Animation>(Handle(), 40, 12, 272, 60);
    copyAnimation_->SetBackground(kWindowColour);
    stepLabel_ = Add<ui::Label>(Handle(), "正在安装...", 40, 92, 269, 13);
    stepLabel_->SetFont(kFont);
    stepLabel_->SetBackground(kWindowColour);
    // With the usual pause each file's name is drawn; without it names change faster than anyone
    // can read, and drawing each would cost more than writing the file.
    stepLabel_->LimitRedraws(30);
    progressBar_ = Add<ui::ProgressBar>(Handle(), 40, 112, 277, 17);
    if (!session_.Unattended()) {
        cancelButton_ = Add<ui::Button>(Handle(), "取消", 132, 156, 89, 25);
        cancelButton_->SetFont(kFont);
        cancelButton_->onClick = [this] { CancelClicked(); };
    }
    copyAnimation_->PlayFileCopy();
}

void ProgressWindow::Activated() {
    if (activated_) return; // only the first activation runs the installation
    activated_ = true;
    RunInstallation();
}

void ProgressWindow::OnShow() {
    // Only the main window (unattended) is shown this way; the modal one is activated as it shows.
    // As the main window it may not become the active one (another program has the foreground):
    // the installation starts once the window has been drawn, activated or not.
    StartTimer(kStartTimer, 0, [this] {
        StopTimer(kStartTimer);
        Activated();
    });
}

void ProgressWindow::RunInstallation() {
    if (session_.Install(*this, Handle()) == install::Outcome::Finished) {
        finished_ = true;
        // The second's wait lets the user see the full bar before the wizard comes back; an
        // unattended setup has no wizard to come back to and ends at once.
        if (session_.Unattended())
            session_.InstallationFinished();
        else
            StartTimer(kHandOverTimer, 1000, [this] { HandOver(); });
    }
}

void ProgressWindow::CancelClicked() {
    if (Application().ShowMessage(Handle(), "安装程序进行中,确定要退出安装吗?", "退出安装", MB_OKCANCEL) !=
        IDOK)
        return;
    cancelled_ = true;
    session_.StopInstallation(core::kExitCancelled);
}

bool ProgressWindow::MayClose() {
    if (closing_) return true;
    if (!cancelled_ && cancelButton_) CancelClicked();
    return false;
}

void ProgressWindow::CloseAtEnd() {
    closing_ = true;
    Close();
}

void ProgressWindow::HandOver() {
    StopTimer(kHandOverTimer); // it fires once
    if (!finished_) return;
    session_.InstallationFinished();
}

void ProgressWindow::OnPaint(HDC dc, const RECT& client) {
    ui::Form::OnPaint(dc, client);
    for (int i = 0; i < kFrameWidth; ++i)
        ui::gdi::FrameSolid(dc, RECT{client.left + i, client.top + i, client.right - i, client.bottom - i},
                            kFrameColour);
}

void ProgressWindow::SetLabel(const std::string& text) {
    stepLabel_->SetText(text);
}
void ProgressWindow::HideLabel() {
    stepLabel_->SetVisible(false);
}
void ProgressWindow::SetBar(int position) {
    progressBar_->SetPosition(position);
}
void ProgressWindow::Pause() {
    if (pauseMs_ == 0) return; // not even a yield: the thread would give its turn to the animation
    // The user looks at this state for the whole pause: show it as it is.
    stepLabel_->MakeHeldChange();
    progressBar_->MakeHeldChange();
    Sleep(pauseMs_);
}

bool ProgressWindow::HandleMessages() {
    // Each look at the queue is a round trip to the window system (under wine it also hands the
    // drawn window to the display, ~0.15 ms); without a pause the sequence asks many times a
    // millisecond, and looking once a frame answers a click as soon as anyone could tell.
    const DWORD now = GetTickCount();
    if (!cancelled_ && (pauseMs_ > 0 || now - lastMessagesHandled_ >= kMessagesInterval)) {
        lastMessagesHandled_ = now;
        Application().ProcessMessages();
    }
    return !cancelled_ && !Application().Terminated() && Handle();
}

void ProgressWindow::ShowFolderError(const std::string& message, const std::string& reason) {
    session_.ReportError(message, reason);
    if (!session_.Unattended())
        Application().ShowMessage(Handle(), message, Application().Title(), MB_OK | MB_ICONERROR);
}
