#include "wizard_window.h"

#include "core/ascii.h"
#include "core/earlier_installation.h"
#include "core/gbk.h"
#include "core/install_location.h"
#include "core/manifest.h"
#include "core/profile.h"
#include "core/running_application.h"
#include "core/setup_error.h"
#include "setup_session.h"
#include "system/drives.h"
#include "system/file_io.h"
#include "system/installed_copy.h"
#include "toolkit/app.h"
#include "toolkit/folder_browser.h"
#include "toolkit/gdi.h"
#include "toolkit/message_dialog.h"

#include <string>

namespace {

constexpr int kClientWidth = 547;
constexpr int kClientHeight = 397;
constexpr int kHeaderHeight = 57;
constexpr int kSidePictureWidth = 156;
constexpr int kButtonBarHeight = 54;
constexpr int kSeparatorTop = kClientHeight - kButtonBarHeight - 2;
constexpr int kButtonBarTop = kSeparatorTop + 2;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr COLORREF kWhite = RGB(255, 255, 255);

const char kSongTi[] = "宋体";
const ui::FontSpec kWindowFont{"Tahoma", 12};
const ui::FontSpec kTitleFont{kSongTi, 14, true, false, GB2312_CHARSET};
constexpr UINT_PTR kLaterPagesTimer = 1;

} // namespace

WizardWindow::WizardWindow(ui::App& app, SetupSession& session, HWND owner)
    : ui::Form(app), session_(session) {
    // The command line's choices are the wizard's defaults; the user may still change them.
    saveDesktopLink_ = !session_.Options().noIcons;
    runApplication_ = !session_.Options().noRun;
    colour_ = kWhite;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CreateForm(L"TFormSchedule", "", kStyle, kExStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner);

    // page1, welcome
    pages_[core::kWelcomePage] = AddPage(kWhite);
    welcomeTitle_ = AddLabel(pages_[0]->Handle(), "", 24, 22, 360, 17, kWhite, kTitleFont);
    welcomeText_ = AddLabel(pages_[0]->Handle(), "", 24, 66, 288, 80, kWhite, kWindowFont);

    // The button bar; it and the separator above it are painted by the window itself.
    backButton_ = Add<ui::Button>(Handle(), "< 返回", 252, kButtonBarTop + 13, 77, 23);
    nextButton_ = Add<ui::Button>(Handle(), "下一步 >", 340, kButtonBarTop + 13, 77, 23, BS_DEFPUSHBUTTON);
    exitButton_ = Add<ui::Button>(Handle(), "退出", 428, kButtonBarTop + 13, 77, 23);
    for (ui::Button* b : {backButton_, nextButton_, exitButton_}) {
        b->SetFont(kWindowFont);
        b->handCursor = true;
    }
    nextButton_->onClick = [this] { NextClicked(); };
    backButton_->onClick = [this] { BackClicked(); };
    exitButton_->onClick = [this] { ExitClicked(); };

    try {
        SetCaption(session_.ConfigValue("Form", "Caption"));
        ShowFlow(); // header hidden, side picture shown, page 0
    } catch (...) {
        // A configuration changed under the setup: the wizard shows without its caption.
        ui::App::ReportCurrentException();
    }
}

void WizardWindow::CreateLaterPages() {
    if (LaterPagesBuilt()) return;
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);

    // Header strip; the welcome page has the side picture instead.
    header_ = Add<ui::Panel>(*this, Handle(), 0, 0, kClientWidth, kHeaderHeight, false);
    header_->SetBackground(kWhite);
    header_->onPaint = [this](HDC dc, const RECT&) { headerPicture_.Draw(dc, -9, 3); };
    headerTitle_ = AddLabel(header_->Handle(), "", 16, 12, 500, 17, kWhite, kTitleFont);
    headerSubtitle_ = AddLabel(header_->Handle(), "", 16, 32, 500, 16, kWhite, kWindowFont);
    headerTitle_->SetTransparent();
    headerSubtitle_->SetTransparent();

    // page2, agreement
    pages_[core::kAgreementPage] = AddPage(buttonFace);
    HWND agreement = pages_[1]->Handle();
    agreementText_ = Add<ui::Edit>(agreement, 13, 16, 488, 169,
                                   ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0);
    agreementText_->SetFont(kWindowFont);
    agreementText_->SetText("\r\n授权许可须知\r\n-----------------");
    acceptButton_ =
        Add<ui::Button>(agreement, "我同意以上条款", 24, 198, 121, 17, BS_AUTORADIOBUTTON | WS_GROUP);
    declineButton_ = Add<ui::Button>(agreement, "我不同意以上条款", 24, 220, 121, 17, BS_AUTORADIOBUTTON);

    // page3, installation folder
    pages_[core::kFolderPage] = AddPage(buttonFace);
    CreateFolderPage(pages_[2]->Handle());

    // page4, confirmation; page5, passed through
    pages_[core::kConfirmPage] = AddPage(buttonFace);
    confirmationText_ = AddLabel(pages_[3]->Handle(), "", 40, 56, 440, 40, buttonFace, kWindowFont);
    pages_[core::kPassPage] = AddPage(buttonFace);

    // page6, completion
    pages_[core::kCompletionPage] = AddPage(kWhite);
    completionTitle_ = AddLabel(pages_[5]->Handle(), "", 88, 22, 420, 17, kWhite, kTitleFont);
    completionText_ =
        AddLabel(pages_[5]->Handle(), "请点击“完毕”按钮退出安装程序。", 88, 54, 300, 32, kWhite, kWindowFont);
    runApplicationBox_ = Add<ui::Button>(pages_[5]->Handle(), "运行软件", 92, 106, 81, 17, BS_AUTOCHECKBOX);
    runApplicationBox_->SetChecked(runApplication_);

    for (ui::Button* b : {acceptButton_, declineButton_, runApplicationBox_})
        b->SetFont(kWindowFont);
    for (ui::Button* b : {acceptButton_, declineButton_})
        b->SetBackground(buttonFace);
    runApplicationBox_->SetBackground(kWhite);
    acceptButton_->onClick = [this] { AcceptClicked(); };
    declineButton_->onClick = [this] { DeclineClicked(); };
    runApplicationBox_->onClick = [this] { RunApplicationClicked(); };

    // In their places among the controls, so that Tab goes through a page before the buttons.
    SetWindowPos(header_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = core::kAgreementPage; i <= core::kCompletionPage; ++i)
        SetWindowPos(pages_[i]->Handle(), pages_[i - 1]->Handle(), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowFlow();
}

ui::Panel* WizardWindow::AddPage(COLORREF background) {
    ui::Panel* page = Add<ui::Panel>(*this, Handle(), 0, 0, 0, 0);
    page->SetBackground(background);
    return page;
}

ui::Label* WizardWindow::AddLabel(HWND parent, const std::string& text, int x, int y, int width, int height,
                                  COLORREF background, const ui::FontSpec& font, DWORD style) {
    ui::Label* label = Add<ui::Label>(parent, text, x, y, width, height, style);
    label->SetFont(font);
    label->SetBackground(background);
    return label;
}

void WizardWindow::CreateFolderPage(HWND page) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto label = [&](const std::string& text, int x, int y, int w, int h, DWORD style = SS_LEFT,
                           const ui::FontSpec& font = kWindowFont) {
        return AddLabel(page, text, x, y, w, h, face, font, style);
    };
    ui::FontSpec bold = kWindowFont;
    bold.bold = true;
    label("请选择安装路径及文件夹，然后点击“下一步”", 28, 14, 470, 16, SS_LEFT, bold);
    label("默认路径", 28, 48, 200, 16);
    folderEdit_ = Add<ui::Edit>(page, 28, 68, 385, 22);
    folderEdit_->SetFont(kWindowFont);
    folderEdit_->SetText(installDir_);
    browseButton_ = Add<ui::Button>(page, "浏览", 424, 65, 73, 25);
    browseButton_->SetFont(kWindowFont);
    label("选择改变安装路径（双击鼠标快速改变路径）", 28, 106, 400, 16);

    ui::Panel* separator = Add<ui::Panel>(*this, page, 12, 125, 400, 2);
    separator->onPaint = [](HDC dc, const RECT& r) {
        for (int x = r.left; x < r.right; ++x) { // from the window's blue into the page colour
            const int t = 255 * x / (r.right > 1 ? r.right - 1 : 1);
            ui::gdi::FillSolid(dc, RECT{x, r.top, x + 1, r.bottom},
                               RGB(t * 236 / 255, 128 + t * (233 - 128) / 255, 192 + t * (216 - 192) / 255));
        }
    };

    const struct {
        const char* caption;
        int left, width;
    } headers[] = {{"卷标", 26, 51},
                   {"磁盘大小", 76, 81},
                   {"可用空间", 156, 81},
                   {"使用", 236, 68},
                   {" 剩余空间", 303, 111}};
    for (const auto& h : headers)
        label(h.caption, h.left, 130, h.width, 20, SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE);

    label("", 26, 151, 388, 92, SS_ETCHEDFRAME);
    driveGrid_ = Add<ui::ListView>(page, 27, 153, 386, 89);
    driveGrid_->SetFont({kSongTi, 12, false, false, GB2312_CHARSET});
    driveGrid_->SetRowHeight(14);
    driveGrid_->SetHint("双击鼠标选择磁盘名称（卷标）");
    SetWindowLongPtrW(driveGrid_->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(driveGrid_->Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);

    desktopLinkBox_ = Add<ui::Button>(page, "创建桌面快捷方式", 30, 256, 160, 17, BS_AUTOCHECKBOX);
    desktopLinkBox_->SetFont(kWindowFont);
    desktopLinkBox_->SetBackground(face);
    desktopLinkBox_->SetChecked(saveDesktopLink_);

    browseButton_->onClick = [this] { BrowseClicked(); };
    folderEdit_->onChange = [this] { FolderEdited(); };
    driveGrid_->onDoubleClick = [this] { DriveDoubleClicked(); };
    desktopLinkBox_->onClick = [this] { DesktopLinkClicked(); };
}

void WizardWindow::OnPaint(HDC dc, const RECT& client) {
    ui::Form::OnPaint(dc, client);
    if (sidePictureShown_) { // in its natural size from the top left, cut to its width
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, 0, 0, kSidePictureWidth, kSeparatorTop);
        sidePicture_.Draw(dc, 0, 0);
        RestoreDC(dc, saved);
    }
    RECT separator{0, kSeparatorTop, client.right, kButtonBarTop};
    DrawEdge(dc, &separator, EDGE_ETCHED, BF_TOP | BF_BOTTOM); // a lowered bevel, 2 high
    const RECT bar{0, kButtonBarTop, client.right, client.bottom};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
}

void WizardWindow::Activated() {
    flow_.Activate(Caption());
    ShowFlow();
    if (session_.InstallationStarted()) return;
    // The rest happens once. The window is activated again whenever the user comes back to it from
    // another program, the task bar or the folder browser; that must neither put the default
    // folder back in place of the one chosen nor ask about the earlier installation again.
    if (firstActivationDone_) return;
    firstActivationDone_ = true;
    // The other pages are built once the first one has been drawn; Next builds them sooner.
    if (!LaterPagesBuilt())
        StartTimer(kLaterPagesTimer, 0, [this] {
            StopTimer(kLaterPagesTimer);
            CreateLaterPages();
        });
    serial_ = session_.ConfigValue("Form", "Serial");
    CheckEarlierInstallation();
    installDir_ = session_.ConfigValue("SetupDir", "SetupPath") + "\\";
    if (LaterPagesBuilt()) folderEdit_->SetText(installDir_); // else taken when it is made
}

void WizardWindow::CheckEarlierInstallation() {
    const std::optional<sys::InstalledCopy> installed = sys::FindInstalledCopy();
    if (!installed) return;
    std::string question;
    core::ExitCode declined = core::kExitCancelled;
    switch (sys::CompareWithInstalled(serial_, installed->serial)) {
    case core::SerialOrder::Equal:
        question = core::ReinstallQuestion(Caption());
        break;
    case core::SerialOrder::ConfiguredOlder:
        question = core::OlderVersionQuestion();
        declined = core::kExitNewerVersionInstalled;
        break;
    case core::SerialOrder::ConfiguredNewer:
        return;
    }
    if (!ui::Confirm(Handle(), question)) session_.End(declined);
}

void WizardWindow::NextClicked() {
    CreateLaterPages();
    if (flow_.State().page == core::kFolderPage && flow_.State().nextCaption != core::kFinishCaption) {
        if (const std::string problem = core::InstallFolderProblem(installDir_); !problem.empty()) {
            Application().ShowMessage(Handle(), problem, Application().Title(), MB_OK | MB_ICONWARNING);
            return;
        }
    }
    switch (flow_.Next(Caption())) {
    case core::NextAction::Finish:
        session_.Finish(Handle(), runApplication_);
        return;
    case core::NextAction::LoadAgreement:
        LoadAgreement();
        break;
    case core::NextAction::FillDriveGrid:
        ShowFlow();
        FillDriveGrid(true);
        break;
    case core::NextAction::StartInstallation:
        StartInstallation();
        return;
    case core::NextAction::None:
        break;
    }
    ShowFlow();
}

void WizardWindow::LoadAgreement() {
    ShowFlow(); // the page shows even when its text cannot be read
    std::string text;
    for (const std::string& line : core::SplitLines(session_.AgreementText()))
        text += line + "\r\n";
    agreementText_->SetText(text);
    flow_.AgreementLoaded(session_.ConfigValue("Form", "SQXY"));
}

void WizardWindow::StartInstallation() {
    installDir_ = core::CompletedInstallFolder(installDir_);
    session_.BeginInstallation(installDir_, saveDesktopLink_);
    flow_.StartInstallation();
    ShowFlow();
    Hide();
    Application().ProcessMessages();
    session_.RunInstallation();
}

void WizardWindow::ShowCompletionPage() {
    CreateLaterPages();
    Show();
    flow_.HandOver(Caption());
    ShowFlow();
}

void WizardWindow::BackClicked() {
    flow_.Back();
    ShowFlow();
}

void WizardWindow::ExitClicked() {
    if (ui::Confirm(Handle(), "确定要退出安装程序吗?")) session_.End();
}

void WizardWindow::AcceptClicked() {
    flow_.ChooseAgreement(true);
    ShowFlow();
}

void WizardWindow::DeclineClicked() {
    flow_.ChooseAgreement(false);
    ShowFlow();
}

void WizardWindow::DesktopLinkClicked() {
    saveDesktopLink_ = desktopLinkBox_->Checked();
}
void WizardWindow::RunApplicationClicked() {
    runApplication_ = runApplicationBox_->Checked();
}

bool WizardWindow::MayClose() {
    if (session_.InstallationStarted()) return true;
    if (Application().ShowMessage(Handle(), "确定要退出安装程序吗?", "退出安装", MB_OKCANCEL) != IDOK)
        return false;
    session_.End();
    return true;
}

void WizardWindow::Closing() {
    if (session_.InstallationStarted()) session_.End();
}

void WizardWindow::ShowFlow() {
    const core::WizardState& s = flow_.State();
    if (sidePictureShown_ != !s.headerVisible) {
        sidePictureShown_ = !s.headerVisible;
        const RECT picture{0, 0, kSidePictureWidth, kSeparatorTop};
        InvalidateRect(Handle(), &picture, FALSE);
    }
    const int left = s.headerVisible ? 0 : kSidePictureWidth;
    const int top = s.headerVisible ? kHeaderHeight : 0;
    for (int i = 0; i < 6; ++i) {
        if (!pages_[i]) continue; // not built yet
        pages_[i]->SetBounds(left, top, kClientWidth - left, kSeparatorTop - top);
        pages_[i]->SetVisible(i == s.page);
    }
    backButton_->SetEnabled(s.backEnabled);
    nextButton_->SetEnabled(s.nextEnabled);
    nextButton_->SetText(s.nextCaption);
    exitButton_->SetEnabled(s.exitEnabled);
    exitButton_->SetText(s.exitCaption);
    welcomeTitle_->SetText(s.welcomeTitle);
    welcomeText_->SetText(s.welcomeText);
    if (!LaterPagesBuilt()) return; // the rest is not shown yet
    header_->SetVisible(s.headerVisible);
    headerTitle_->SetText(s.headerTitle);
    headerTitle_->SetVisible(s.headerTitleVisible);
    headerSubtitle_->SetText(s.headerSubtitle);
    headerSubtitle_->SetVisible(s.headerSubtitleVisible);
    headerSubtitle_->SetLeft(s.headerSubtitleLeft);
    confirmationText_->SetText(s.confirmationText);
    completionTitle_->SetText(s.completionTitle);
    acceptButton_->SetChecked(s.acceptSelected);
    declineButton_->SetChecked(!s.acceptSelected);
}

void WizardWindow::FillDriveGrid(bool chooseDefault) {
    driveGrid_->SetColumns({50, 80, 80, 0, 0});
    const std::vector<std::string> roots = sys::LogicalDriveRoots();
    if (chooseDefault && session_.Options().installDir) {
        installDir_ = core::CompletedInstallFolder(*session_.Options().installDir);
    } else if (chooseDefault) {
        if (auto folder = core::DefaultSetupDir(roots, session_.ConfigValue("SetupDir", "DirName")))
            installDir_ = *folder;
        else
            Application().ShowMessage(Handle(), core::NoDefaultDriveNotice(), Application().Title(), MB_OK);
    }
    folderEdit_->SetText(installDir_);

    driveGrid_->Clear();
    for (const std::string& root : roots) {
        const int row = driveGrid_->AddRow();
        driveGrid_->SetCell(row, 0, root.substr(0, 3));
        const sys::DiskSpace space = sys::QueryDiskSpace(root);
        if (space.total > 0) driveGrid_->SetCell(row, 1, core::FormatGb(core::BytesToGb(space.total)));
        driveGrid_->SetCell(row, 3, "");
        if (space.freeForUser > 0)
            driveGrid_->SetCell(row, 2, core::FormatGb(core::BytesToGb(space.freeForUser)));
        driveGrid_->SetCell(row, 4, "");
    }

    const std::string installRoot = installDir_.substr(0, 3);
    for (int row = 0; row < driveGrid_->RowCount(); ++row) {
        if (!core::EqualsIgnoringAsciiCase(driveGrid_->Cell(row, 0), installRoot)) continue;
        driveGrid_->SelectRow(row);
        driveGrid_->SetCell(row, 3, " " + session_.ConfigValue("Run", "RJSize") + " MB");
        if (const std::string free = driveGrid_->Cell(row, 2); !free.empty())
            if (const std::string remaining = core::RemainingSpaceText(free); !remaining.empty())
                driveGrid_->SetCell(row, 4, remaining);
        break;
    }
}

void WizardWindow::BrowseClicked() {
    const std::optional<std::string> chosen =
        ui::BrowseForFolder(Application().Window(), "选择安装路径", installDir_);
    if (!chosen) return;
    const core::BrowsedFolder folder = core::FolderFromBrowser(
        *chosen, session_.ConfigValue("SetupDir", "DirName"), sys::LogicalDriveRoots().size());
    if (folder.refused) ui::Warn(Handle(), core::DesktopFolderWarning());
    folderEdit_->SetText(folder.editPath);
    installDir_ = folderEdit_->Text();
    FillDriveGrid(false);
}

void WizardWindow::FolderEdited() {
    installDir_ = folderEdit_->Text();
}

void WizardWindow::DriveDoubleClicked() {
    const int row = driveGrid_->SelectedRow();
    if (row < 0) return;
    const std::string root = driveGrid_->Cell(row, 0);
    if (root.size() < 2 || root[1] != ':') return; // only a row with a drive root moves the folder
    std::string path = folderEdit_->Text();
    if (path.empty())
        path = root.substr(0, 1);
    else
        path[0] = root[0];
    folderEdit_->SetText(path);
    installDir_ = path;
    FillDriveGrid(false);
}
