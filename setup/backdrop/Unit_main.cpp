#include "Unit_main.h"

#include "temp_files.h"
#include "core/footer.h"
#include "core/gradient.h"
#include "core/product.h"
#include "core/profile.h"
#include "core/running_application.h"
#include "core/setup_error.h"
#include "install/Unit_sec.h"
#include "install/installation.h"
#include "toolkit/app.h"
#include "toolkit/file_io.h"
#include "toolkit/wide.h"
#include "wizard/Unit_Schedule.h"

#include <exception>

TFormain* Formain = nullptr;

namespace {

constexpr COLORREF kWindowColour = RGB(0, 128, 192);
constexpr COLORREF kBannerColour = RGB(0, 128, 255);
constexpr int kBannerHeight = 117;
constexpr int kFooterHeight = 29;
const char kSongTi[] = "宋体";

} // namespace

TFormain::TFormain(ui::App& app, const core::PayloadStore& payload) : ui::Form(app), payload_(payload) {
    isMain_ = true;
    colour_ = kWindowColour;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CreateForm(L"TFormain", app.Title(), WS_POPUP | WS_CLIPCHILDREN | WS_MAXIMIZE, 0, work.left, work.top,
               work.right - work.left, work.bottom - work.top, nullptr);
    Thread1.onExecute = [this](ui::WorkerThread& thread) { Thread1Execute(thread); };

    try {
        FormCreate();
    } catch (...) {
        // The window stays and is shown without the wizard; only Alt+F4 ends it.
        ui::App::ReportCurrentException();
    }
}

void TFormain::CreateBannerAndFooter() {
    if (Panel_Title) return;
    Panel_Title = Add<ui::Label>(
        Handle(), std::string("  ") + core::kProductName + "v" + core::kProductVersion + "安装程序 ", 0, 0, 0,
        kBannerHeight, SS_LEFT | SS_CENTERIMAGE);
    Panel_Title->align = ui::Align::Top;
    Panel_Title->SetBackground(kBannerColour);
    Panel_Title->SetTextColor(RGB(255, 255, 255));
    Panel_Title->SetFont({kSongTi, 56, false, true, GB2312_CHARSET});

    Panel1 = Add<ui::Panel>(*this, Handle(), 0, 0, 0, kFooterHeight);
    Panel1->align = ui::Align::Bottom;
    Panel1->SetBackground(kWindowColour);
    const ui::FontSpec footerFont{kSongTi, 14, false, false, GB2312_CHARSET};
    Label1 = Add<ui::Label>(Panel1->Handle(),
                            std::string(core::kProductName) + "官方网站 " + core::kWebAddress, 36, 8, 0, 0);
    Label2 = Add<ui::Label>(Panel1->Handle(), core::kMakerCredit, 0, 8, 0, 0);
    for (ui::Label* label : {Label1, Label2}) {
        label->SetFont(footerFont);
        label->SetTextColor(RGB(255, 255, 0));
        label->SetBackground(kWindowColour);
        label->AutoSize();
    }
    Panel1->onResize = [this] { Panel1Resize(); };
    Realign();
}

void TFormain::FormCreate() {
    FProceed = true;
    GetTempFolder(FTempDir);
    if (IsApplicationRunning()) {
        if (Application().ShowMessage(Handle(), core::EndApplicationQuestion(), "运行提示",
                                      MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL) == IDYES)
            EndRunningApplication(core::kApplicationWindowClass);
        else
            FProceed = false;
    }
    if (!FProceed) return;
    backdrop::WriteTempFiles(payload_, FTempDir);
    Thread1.Start();
}

void TFormain::FormShow() {
    if (!FProceed) Close();
}

void TFormain::FormClose() {
    backdrop::DeleteTempFiles(FTempDir);
}

void TFormain::FormPaint(HDC dc, const RECT& client) {
    for (const core::GradientBand& band : core::GradientBands(client.bottom)) {
        const RECT r{0, band.top, client.right, band.bottom};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, band.blue));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    CreateBannerAndFooter(); // at the first painting, which comes once the wizard shows
}

void TFormain::Panel1Resize() {
    Label2->SetLeft(core::FooterRightLabelLeft(Panel1->Width(), Label2->Width()));
}

void TFormain::ShowAsMain() {
    // Painted by the loop like any other window: waiting for it here would only hold back the wizard.
    // When the wizard is on its way it takes the activation, so the backdrop is not activated first,
    // and the banner and footer are built at the backdrop's first painting, which comes once the
    // wizard shows; without the wizard the backdrop is built whole and must be active, or nothing
    // could close it.
    const bool wizardComing = Thread1.Running();
    if (!wizardComing) CreateBannerAndFooter();
    ShowWindow(Handle(), wizardComing ? SW_SHOWNA : SW_SHOWMAXIMIZED);
    OnShow();
}

void TFormain::Thread1Execute(ui::WorkerThread& thread) {
    thread.Synchronize([this] { ShowChedule(); });
}

void TFormain::ShowChedule() {
    (void)FormSchedule->ShowModal();
}

void TFormain::showsec() {
    {
        // Destroyed when the modal run ends, however it ends; only then is the backdrop closed,
        // so nothing the installation still has on its stack is freed under it.
        TFormsec progress(Application(), Handle(), payload_);
        (void)progress.ShowModal();
    }
    Close();
}

void TFormain::GetTempFolder(std::string& path) const {
    wchar_t windowsDir[255] = {};
    GetWindowsDirectoryW(windowsDir, 255);
    path = ui::Gbk(windowsDir) + "\\Temp";
    if (!ui::DirectoryExists(path)) (void)ui::CreateOneDirectory(path);
    path += "\\";
}

std::string TFormain::ReadSetupIni(const std::string& section, const std::string& key) const {
    const std::string path = FTempDir + "lmraSetup.ini";
    if (!ui::FileExists(path)) return {};
    std::string text;
    try {
        text = ui::ReadWholeFile(path);
    } catch (const core::SetupError&) {
        return {}; // an unreadable file reads as empty, like a missing one
    }
    // It decides which program is written and started, where, and the desktop link's name: the
    // file in the shared temp folder is used only as setup wrote it.
    install::RequireUnchanged(path, text, payload_.Get("FileTxt7", "txtname"));
    return core::ProfileString(text, section, key);
}
