#pragma once
// The setup wizard: welcome, agreement, installation folder, confirmation, and after the
// installation the completion page. The page flow lives in core::WizardFlow; this window shows it
// and carries out what it asks.
#include "core/wizard_flow.h"
#include "toolkit/controls.h"
#include "toolkit/dde_conversation.h"
#include "toolkit/form.h"
#include "toolkit/registry.h"

#include <string>

class TFormSchedule : public ui::Form {
  public:
    explicit TFormSchedule(ui::App& app);

    bool FStarted = false; // the installation was started and handed back
    ui::Registry SetupRegistry;
    ui::DdeConversation DdeClientConv1; // the program group's conversation

    // The installation has run to its end: shows the completion page.
    void ShowCompletionPage();

  private:
    // Header strip, side picture, notebook pages and button bar.
    ui::Panel* Panel_Top = nullptr;
    ui::Bitmap Imagtop{L"IMAGTOP"};
    ui::Label* Label4 = nullptr;
    ui::Label* Label5 = nullptr;
    ui::Bitmap ImagLeft{L"IMAGLEFT"}; // drawn by the window while the side picture is shown
    bool sidePictureShown_ = true;
    ui::Panel* ScheBook[6] = {};
    ui::Button* btnpri = nullptr;
    ui::Button* BtnNext = nullptr;
    ui::Button* btnexit = nullptr;
    // page1, welcome
    ui::Label* Label6 = nullptr;
    ui::Label* Label7 = nullptr;
    // page2, agreement
    ui::Edit* Memo1 = nullptr;
    ui::Button* RadioButton1 = nullptr;
    ui::Button* RadioButton2 = nullptr;
    // page3, installation folder
    ui::Edit* Edit_Path = nullptr;
    ui::Button* Button1 = nullptr;
    ui::ListView* DiskGrid = nullptr;
    ui::Button* chbdesktop = nullptr;
    // page4, confirmation
    ui::Label* Label2 = nullptr;
    // page6, completion
    ui::Label* Label8 = nullptr;
    ui::Label* Label9 = nullptr;
    ui::Button* chbrun = nullptr;

    core::WizardFlow flow_;
    bool firstActivationDone_ = false; // the serial, the earlier installation, the default folder

    void FormCreate();
    void FormActivate();
    void BtnNextClick();
    void btnpriClick();
    void btnexitClick();
    void RadioButton1Click();
    void RadioButton2Click();
    void chbdesktopClick();
    void chbrunClick();
    bool FormCloseQuery();
    // Closing the completion page ends the setup as the finish button does, without starting the
    // application.
    void FormClose();
    // The installation-folder page.
    void FillDiskGrid(bool chooseDefault);
    void Button1Click();
    void Edit_PathChange();
    void DiskGridDblClick();

    void CheckEarlierInstallation();
    void StartInstallation();
    void Finish();
    // Shows the flow's state in the controls.
    void ShowFlow();
    // The welcome page and what stays around it are built with the window, the rest here, once.
    void CreateLaterPages();
    bool LaterPagesBuilt() const { return ScheBook[core::kCompletionPage] != nullptr; }
    void CreateFolderPage(HWND page);
    ui::Panel* AddPage(COLORREF background);
    ui::Label* AddLabel(HWND parent, const std::string& text, int x, int y, int width, int height,
                        COLORREF background, const ui::FontSpec& font, DWORD style = SS_LEFT);

    void OnActivate() override { FormActivate(); }
    void OnPaint(HDC dc, const RECT& client) override;
    bool CanClose() override { return FormCloseQuery(); }
    void OnClose() override { FormClose(); }
};

extern TFormSchedule* FormSchedule;
extern bool RunAppFlag;
extern bool DesktopLinkFlag;
