#include "backdrop_window.h"

#include "core/footer.h"
#include "core/gradient.h"
#include "core/product.h"
#include "setup_session.h"
#include "toolkit/app.h"
#include "toolkit/gdi.h"

namespace {

constexpr COLORREF kWindowColour = RGB(0, 128, 192);
constexpr COLORREF kBannerColour = RGB(0, 128, 255);
constexpr int kBannerHeight = 117;
constexpr int kFooterHeight = 29;
const char kSongTi[] = "宋体";

} // namespace

BackdropWindow::BackdropWindow(ui::App& app, SetupSession& session) : ui::Form(app), session_(session) {
    isMain_ = true;
    colour_ = kWindowColour;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CreateForm(L"TFormain", app.Title(), WS_POPUP | WS_CLIPCHILDREN | WS_MAXIMIZE, 0, work.left, work.top,
               work.right - work.left, work.bottom - work.top, nullptr);
}

void BackdropWindow::CreateBannerAndFooter() {
    if (banner_) return;
    banner_ = Add<ui::Label>(
        Handle(), std::string("  ") + core::kProductName + "v" + core::kProductVersion + "安装程序 ", 0, 0, 0,
        kBannerHeight, SS_LEFT | SS_CENTERIMAGE);
    banner_->align = ui::Align::Top;
    banner_->SetBackground(kBannerColour);
    banner_->SetTextColor(RGB(255, 255, 255));
    banner_->SetFont({kSongTi, 56, false, true, GB2312_CHARSET});

    footer_ = Add<ui::Panel>(*this, Handle(), 0, 0, 0, kFooterHeight);
    footer_->align = ui::Align::Bottom;
    footer_->SetBackground(kWindowColour);
    const ui::FontSpec footerFont{kSongTi, 14, false, false, GB2312_CHARSET};
    websiteLabel_ = Add<ui::Label>(
        footer_->Handle(), std::string(core::kProductName) + "官方网站 " + core::kWebAddress, 36, 8, 0, 0);
    makerLabel_ = Add<ui::Label>(footer_->Handle(), core::kMakerCredit, 0, 8, 0, 0);
    for (ui::Label* label : {websiteLabel_, makerLabel_}) {
        label->SetFont(footerFont);
        label->SetTextColor(RGB(255, 255, 0));
        label->SetBackground(kWindowColour);
        label->AutoSize();
    }
    footer_->onResize = [this] { FooterResized(); };
    Realign();
}

void BackdropWindow::Shown() {
    if (!session_.MayProceed()) Close();
}

void BackdropWindow::Closing() {
    session_.BackdropClosing();
}

void BackdropWindow::Paint(HDC dc, const RECT& client) {
    for (const core::GradientBand& band : core::GradientBands(client.bottom))
        ui::gdi::FillSolid(dc, RECT{0, band.top, client.right, band.bottom}, RGB(0, 0, band.blue));
    CreateBannerAndFooter(); // at the first painting, which comes once the wizard shows
}

void BackdropWindow::FooterResized() {
    makerLabel_->SetLeft(core::FooterRightLabelLeft(footer_->Width(), makerLabel_->Width()));
}

void BackdropWindow::ShowAsMain() {
    // Painted by the loop like any other window: waiting for it here would only hold back the wizard.
    // When the wizard is on its way it takes the activation, so the backdrop is not activated first,
    // and the banner and footer are built at the backdrop's first painting, which comes once the
    // wizard shows; without the wizard the backdrop is built whole and must be active, or nothing
    // could close it.
    const bool wizardComing = session_.WizardComing();
    if (!wizardComing) CreateBannerAndFooter();
    ShowWindow(Handle(), wizardComing ? SW_SHOWNA : SW_SHOWMAXIMIZED);
    OnShow();
}
