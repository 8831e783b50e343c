#pragma once
// The backdrop: the program's main window (registered as "TFormain"), a full-screen blue gradient
// with a title banner and a footer, behind the wizard and the progress window. Closing it ends
// the setup.
#include "toolkit/controls.h"
#include "toolkit/form.h"

class SetupSession;

class BackdropWindow : public ui::Form {
  public:
    BackdropWindow(ui::App& app, SetupSession& session);

    void ShowAsMain() override;

  private:
    SetupSession& session_;
    ui::Label* banner_ = nullptr;
    ui::Panel* footer_ = nullptr;
    ui::Label* websiteLabel_ = nullptr;
    ui::Label* makerLabel_ = nullptr;

    // The title banner and the footer with its two labels; built once.
    void CreateBannerAndFooter();
    void Shown();
    void Closing();
    void Paint(HDC dc, const RECT& client);
    void FooterResized();

    void OnShow() override { Shown(); }
    void OnClose() override { Closing(); }
    void OnPaint(HDC dc, const RECT& client) override { Paint(dc, client); }
};
