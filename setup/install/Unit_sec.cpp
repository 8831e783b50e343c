#include "Unit_sec.h"

#include "backdrop/Unit_main.h"
#include "pause_setting.h"
#include "system_registration.h"
#include "toolkit/app.h"
#include "win_file_system.h"
#include "wizard/Unit_Schedule.h"

namespace {

constexpr int kClientWidth = 359;
constexpr int kClientHeight = 205;
constexpr COLORREF kFrameColour = RGB(16, 83, 194);
constexpr int kFrameWidth = 3;
const ui::FontSpec kFont{"MS Sans Serif", 11};
constexpr DWORD kMessagesInterval = 16; // milliseconds: one frame of a 60 Hz display

} // namespace

TFormsec::TFormsec(ui::App& app, HWND owner, const core::PayloadStore& payload)
    : ui::Form(app), payload_(payload), pauseMs_(install::PauseMilliseconds()) {
    colour_ = RGB(255, 255, 255);
    CreateForm(L"TFormsec", "安装", WS_POPUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
               (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2, kClientWidth, kClientHeight, owner);
    ams = Add<ui::Animation>(Handle(), 40, 12, 272, 60);
    lbls = Add<ui::Label>(Handle(), "正在安装...", 40, 92, 269, 13);
    lbls->SetFont(kFont);
    lbls->SetTransparent();
    // With the usual pause each file's name is drawn; without it names change faster than anyone
    // can read, and drawing each would cost more than writing the file.
    lbls->LimitRedraws(30);
    pgbs = Add<ui::ProgressBar>(Handle(), 40, 112, 277, 17);
    btncel = Add<ui::Button>(Handle(), "取消", 132, 156, 89, 25);
    btncel->SetFont(kFont);
    btncel->onClick = [this] { btncelClick(); };
    FormCreate();
}

void TFormsec::FormCreate() {
    ams->PlayFileCopy();
    FFinished = false;
}

void TFormsec::FormActivate() {
    if (activated_) return; // only the first activation runs the installation
    activated_ = true;
    FExeName = Formain->ReadSetupIni("Run", "FileName");
    RunInstallation();
}

void TFormsec::RunInstallation() {
    install::WinFileSystem files(Formain->FSetupDir);
    install::SystemRegistration registration(payload_, FExeName);
    const install::InstallSettings settings{Formain->FSetupDir, Formain->FTempDir, FExeName,
                                            FormSchedule->Caption()};
    switch (install::RunInstallation(payload_, files, *this, registration, settings)) {
    case install::Outcome::Finished:
        FFinished = true;
        StartTimer(Timer1, 1000, [this] { Timer1Timer(); });
        break;
    case install::Outcome::ExecutableLocked:
        Application().ShowMessage(Handle(), "所要安装的程序正在运行中,请退出后再安装!", Application().Title(),
                                  MB_OK);
        FormSchedule->FStarted = false;
        Formain->Close();
        break;
    case install::Outcome::Stopped:   // the folder's box has been shown; cancel is the way on
    case install::Outcome::Cancelled: // the program is ending already
        break;
    }
}

void TFormsec::btncelClick() {
    if (Application().ShowMessage(Handle(), "安装程序进行中,确定要退出安装吗?", "退出安装", MB_OKCANCEL) !=
        IDOK)
        return;
    cancelled_ = true;
    FormSchedule->FStarted = false;
    Formain->Close();
}

bool TFormsec::FormCloseQuery() {
    if (!cancelled_) btncelClick();
    return false;
}

void TFormsec::Timer1Timer() {
    StopTimer(Timer1); // it fires once
    if (!FFinished) return;
    FormSchedule->ShowCompletionPage();
}

void TFormsec::OnPaint(HDC dc, const RECT& client) {
    ui::Form::OnPaint(dc, client);
    HBRUSH frame = CreateSolidBrush(kFrameColour);
    for (int i = 0; i < kFrameWidth; ++i) {
        const RECT r{client.left + i, client.top + i, client.right - i, client.bottom - i};
        FrameRect(dc, &r, frame);
    }
    DeleteObject(frame);
}

void TFormsec::SetLabel(const std::string& text) {
    lbls->SetText(text);
}
void TFormsec::HideLabel() {
    lbls->SetVisible(false);
}
void TFormsec::SetBar(int position) {
    pgbs->SetPosition(position);
}
void TFormsec::Pause() {
    if (pauseMs_ == 0) return; // not even a yield: the thread would give its turn to the animation
    // The user looks at this state for the whole pause: show it as it is.
    lbls->MakeHeldChange();
    pgbs->MakeHeldChange();
    Sleep(pauseMs_);
}

bool TFormsec::HandleMessages() {
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

void TFormsec::ShowFolderError(const std::string& message) {
    Application().ShowMessage(Handle(), message, Application().Title(), MB_OK | MB_ICONERROR);
}
