#pragma once
// The setup wizard (registered as "TFormSchedule"): welcome, agreement, installation folder,
// confirmation, and after the installation the completion page. The page flow lives in
// core::WizardFlow; this window shows it and carries out what it asks.
#include "core/wizard_flow.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

#include <string>

class SetupSession;

class WizardWindow : public ui::Form {
  public:
    WizardWindow(ui::App& app, SetupSession& session, HWND owner);

    // The installation has run to its end: shows the completion page.
    void ShowCompletionPage();

  private:
    SetupSession& session_;
    std::string installDir_; // as the folder page has it
    std::string serial_;     // the configuration's version serial, read at the first activation
    bool saveDesktopLink_ = true;
    bool runApplication_ = true;
    core::WizardFlow flow_;
    bool firstActivationDone_ = false; // the serial, the earlier installation, the default folder

    // Header strip, side picture, the pages and the button bar.
    ui::Panel* header_ = nullptr;
    ui::Bitmap headerPicture_{L"IMAGTOP"};
    ui::Label* headerTitle_ = nullptr;
    ui::Label* headerSubtitle_ = nullptr;
    ui::Bitmap sidePicture_{L"IMAGLEFT"}; // drawn by the window while it is shown
    bool sidePictureShown_ = true;
    ui::Panel* pages_[6] = {};
    ui::Button* backButton_ = nullptr;
    ui::Button* nextButton_ = nullptr;
    ui::Button* exitButton_ = nullptr;
    // welcome page
    ui::Label* welcomeTitle_ = nullptr;
    ui::Label* welcomeText_ = nullptr;
    // agreement page
    ui::Edit* agreementText_ = nullptr;
    ui::Button* acceptButton_ = nullptr;
    ui::Button* declineButton_ = nullptr;
    // installation folder page
    ui::Edit* folderEdit_ = nullptr;
    ui::Button* browseButton_ = nullptr;
    ui::ListView* driveGrid_ = nullptr;
    ui::Button* desktopLinkBox_ = nullptr;
    // confirmation page
    ui::Label* confirmationText_ = nullptr;
    // completion page
    ui::Label* completionTitle_ = nullptr;
    ui::Label* completionText_ = nullptr;
    ui::Button* runApplicationBox_ = nullptr;

    void Activated();
    void NextClicked();
    void BackClicked();
    void ExitClicked();
    void AcceptClicked();
    void DeclineClicked();
    void DesktopLinkClicked();
    void RunApplicationClicked();
    bool MayClose();
    // Closing the completion page ends the setup as the finish button does, without starting the
    // application.
    void Closing();
    // The installation-folder page.
    void FillDriveGrid(bool chooseDefault);
    void BrowseClicked();
    void FolderEdited();
    void DriveDoubleClicked();

    void CheckEarlierInstallation();
    void LoadAgreement();
    void StartInstallation();
    // Shows the flow's state in the controls.
    void ShowFlow();
    // The welcome page and what stays around it are built with the window, the rest here, once.
    void CreateLaterPages();
    bool LaterPagesBuilt() const { return pages_[core::kCompletionPage] != nullptr; }
    void CreateFolderPage(HWND page);
    ui::Panel* AddPage(COLORREF background);
    ui::Label* AddLabel(HWND parent, const std::string& text, int x, int y, int width, int height,
                        COLORREF background, const ui::FontSpec& font, DWORD style = SS_LEFT);

    void OnActivate() override { Activated(); }
    void OnPaint(HDC dc, const RECT& client) override;
    bool CanClose() override { return MayClose(); }
    void OnClose() override { Closing(); }
};
