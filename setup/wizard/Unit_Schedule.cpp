#include "toolkit/shell_api.h"
#include "Unit_Schedule.h"

#include "backdrop/Unit_main.h"
#include "install/installation.h"
#include "core/ascii.h"
#include "core/earlier_installation.h"
#include "core/gbk.h"
#include "core/install_location.h"
#include "core/manifest.h"
#include "core/profile.h"
#include "core/running_application.h"
#include "core/setup_error.h"
#include "toolkit/app.h"
#include "toolkit/drives.h"
#include "toolkit/file_io.h"
#include "toolkit/message_dialog.h"
#include "toolkit/wide.h"

#include <shellapi.h>

#include <set>
#include <string>

TFormSchedule* FormSchedule = nullptr;
bool RunAppFlag = true;
bool DesktopLinkFlag = true;

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

TFormSchedule::TFormSchedule(ui::App& app) : ui::Form(app) {
    colour_ = kWhite;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CreateForm(L"TFormSchedule", "", kStyle, kExStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, Formain->Handle());

    // page1, welcome
    ScheBook[core::kWelcomePage] = AddPage(kWhite);
    Label6 = AddLabel(ScheBook[0]->Handle(), "", 24, 22, 360, 17, kWhite, kTitleFont);
    Label7 = AddLabel(ScheBook[0]->Handle(), "", 24, 66, 288, 80, kWhite, kWindowFont);

    // The button bar; it and the separator above it are painted by the window itself.
    btnpri = Add<ui::Button>(Handle(), "< 返回", 252, kButtonBarTop + 13, 77, 23);
    BtnNext = Add<ui::Button>(Handle(), "下一步 >", 340, kButtonBarTop + 13, 77, 23, BS_DEFPUSHBUTTON);
    btnexit = Add<ui::Button>(Handle(), "退出", 428, kButtonBarTop + 13, 77, 23);
    for (ui::Button* b : {btnpri, BtnNext, btnexit}) {
        b->SetFont(kWindowFont);
        b->handCursor = true;
    }
    BtnNext->onClick = [this] { BtnNextClick(); };
    btnpri->onClick = [this] { btnpriClick(); };
    btnexit->onClick = [this] { btnexitClick(); };

    try {
        FormCreate();
    } catch (...) {
        // A configuration changed under the setup: the wizard shows without its caption.
        ui::App::ReportCurrentException();
    }
}

void TFormSchedule::CreateLaterPages() {
    if (LaterPagesBuilt()) return;
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);

    // Header strip; the welcome page has the side picture instead.
    Panel_Top = Add<ui::Panel>(*this, Handle(), 0, 0, kClientWidth, kHeaderHeight, false);
    Panel_Top->SetBackground(kWhite);
    Panel_Top->onPaint = [this](HDC dc, const RECT&) { Imagtop.Draw(dc, -9, 3); };
    Label4 = AddLabel(Panel_Top->Handle(), "", 16, 12, 500, 17, kWhite, kTitleFont);
    Label5 = AddLabel(Panel_Top->Handle(), "", 16, 32, 500, 16, kWhite, kWindowFont);
    Label4->SetTransparent();
    Label5->SetTransparent();

    // page2, agreement
    ScheBook[core::kAgreementPage] = AddPage(buttonFace);
    HWND agreement = ScheBook[1]->Handle();
    Memo1 = Add<ui::Edit>(agreement, 13, 16, 488, 169,
                          ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0);
    Memo1->SetFont(kWindowFont);
    Memo1->SetText("\r\n授权许可须知\r\n-----------------");
    RadioButton1 =
        Add<ui::Button>(agreement, "我同意以上条款", 24, 198, 121, 17, BS_AUTORADIOBUTTON | WS_GROUP);
    RadioButton2 = Add<ui::Button>(agreement, "我不同意以上条款", 24, 220, 121, 17, BS_AUTORADIOBUTTON);

    // page3, installation folder
    ScheBook[core::kFolderPage] = AddPage(buttonFace);
    CreateFolderPage(ScheBook[2]->Handle());

    // page4, confirmation; page5, passed through
    ScheBook[core::kConfirmPage] = AddPage(buttonFace);
    Label2 = AddLabel(ScheBook[3]->Handle(), "", 40, 56, 440, 40, buttonFace, kWindowFont);
    ScheBook[core::kPassPage] = AddPage(buttonFace);

    // page6, completion
    ScheBook[core::kCompletionPage] = AddPage(kWhite);
    Label8 = AddLabel(ScheBook[5]->Handle(), "", 88, 22, 420, 17, kWhite, kTitleFont);
    Label9 = AddLabel(ScheBook[5]->Handle(), "请点击“完毕”按钮退出安装程序。", 88, 54, 300, 32, kWhite,
                      kWindowFont);
    chbrun = Add<ui::Button>(ScheBook[5]->Handle(), "运行软件", 92, 106, 81, 17, BS_AUTOCHECKBOX);
    chbrun->SetChecked(RunAppFlag);

    for (ui::Button* b : {RadioButton1, RadioButton2, chbrun})
        b->SetFont(kWindowFont);
    for (ui::Button* b : {RadioButton1, RadioButton2})
        b->SetBackground(buttonFace);
    chbrun->SetBackground(kWhite);
    RadioButton1->onClick = [this] { RadioButton1Click(); };
    RadioButton2->onClick = [this] { RadioButton2Click(); };
    chbrun->onClick = [this] { chbrunClick(); };

    // In their places among the controls, so that Tab goes through a page before the buttons.
    SetWindowPos(Panel_Top->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = core::kAgreementPage; i <= core::kCompletionPage; ++i)
        SetWindowPos(ScheBook[i]->Handle(), ScheBook[i - 1]->Handle(), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowFlow();
}

ui::Panel* TFormSchedule::AddPage(COLORREF background) {
    ui::Panel* page = Add<ui::Panel>(*this, Handle(), 0, 0, 0, 0);
    page->SetBackground(background);
    return page;
}

ui::Label* TFormSchedule::AddLabel(HWND parent, const std::string& text, int x, int y, int width, int height,
                                   COLORREF background, const ui::FontSpec& font, DWORD style) {
    ui::Label* label = Add<ui::Label>(parent, text, x, y, width, height, style);
    label->SetFont(font);
    label->SetBackground(background);
    return label;
}

void TFormSchedule::CreateFolderPage(HWND page) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto label = [&](const std::string& text, int x, int y, int w, int h, DWORD style = SS_LEFT,
                           const ui::FontSpec& font = kWindowFont) {
        return AddLabel(page, text, x, y, w, h, face, font, style);
    };
    ui::FontSpec bold = kWindowFont;
    bold.bold = true;
    label("请选择安装路径及文件夹，然后点击“下一步”", 28, 14, 470, 16, SS_LEFT, bold);
    label("默认路径", 28, 48, 200, 16);
    Edit_Path = Add<ui::Edit>(page, 28, 68, 385, 22);
    Edit_Path->SetFont(kWindowFont);
    Edit_Path->SetText(Formain->FSetupDir);
    Button1 = Add<ui::Button>(page, "浏览", 424, 65, 73, 25);
    Button1->SetFont(kWindowFont);
    label("选择改变安装路径（双击鼠标快速改变路径）", 28, 106, 400, 16);

    ui::Panel* separator = Add<ui::Panel>(*this, page, 12, 125, 400, 2);
    separator->onPaint = [](HDC dc, const RECT& r) {
        for (int x = r.left; x < r.right; ++x) { // from the window's blue into the page colour
            const int t = 255 * x / (r.right > 1 ? r.right - 1 : 1);
            HBRUSH brush = CreateSolidBrush(
                RGB(t * 236 / 255, 128 + t * (233 - 128) / 255, 192 + t * (216 - 192) / 255));
            const RECT column{x, r.top, x + 1, r.bottom};
            FillRect(dc, &column, brush);
            DeleteObject(brush);
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
    DiskGrid = Add<ui::ListView>(page, 27, 153, 386, 89);
    DiskGrid->SetFont({kSongTi, 12, false, false, GB2312_CHARSET});
    DiskGrid->SetRowHeight(14);
    DiskGrid->SetHint("双击鼠标选择磁盘名称（卷标）");
    SetWindowLongPtrW(DiskGrid->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(DiskGrid->Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);

    chbdesktop = Add<ui::Button>(page, "创建桌面快捷方式", 30, 256, 160, 17, BS_AUTOCHECKBOX);
    chbdesktop->SetFont(kWindowFont);
    chbdesktop->SetBackground(face);
    chbdesktop->SetChecked(true);

    Button1->onClick = [this] { Button1Click(); };
    Edit_Path->onChange = [this] { Edit_PathChange(); };
    DiskGrid->onDoubleClick = [this] { DiskGridDblClick(); };
    chbdesktop->onClick = [this] { chbdesktopClick(); };
}

void TFormSchedule::FormCreate() {
    FStarted = false;
    RunAppFlag = true;
    DesktopLinkFlag = true;
    SetCaption(Formain->ReadSetupIni("Form", "Caption"));
    ShowFlow(); // header hidden, side picture shown, page 0
}

void TFormSchedule::OnPaint(HDC dc, const RECT& client) {
    ui::Form::OnPaint(dc, client);
    if (sidePictureShown_) { // in its natural size from the top left, cut to its width
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, 0, 0, kSidePictureWidth, kSeparatorTop);
        ImagLeft.Draw(dc, 0, 0);
        RestoreDC(dc, saved);
    }
    RECT separator{0, kSeparatorTop, client.right, kButtonBarTop};
    DrawEdge(dc, &separator, EDGE_ETCHED, BF_TOP | BF_BOTTOM); // a lowered bevel, 2 high
    const RECT bar{0, kButtonBarTop, client.right, client.bottom};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
}

void TFormSchedule::FormActivate() {
    flow_.Activate(Caption());
    ShowFlow();
    if (FStarted) return;
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
    Formain->FSerial = Formain->ReadSetupIni("Form", "Serial");
    CheckEarlierInstallation();
    Formain->FSetupDir = Formain->ReadSetupIni("SetupDir", "SetupPath") + "\\";
    if (LaterPagesBuilt()) Edit_Path->SetText(Formain->FSetupDir); // else taken when it is made
}

void TFormSchedule::CheckEarlierInstallation() {
    std::string installedSerial, installedPath;
    {
        ui::Registry registry;
        (void)registry.OpenKey("Software\\VLMRA\\Shell\\Serial");
        installedSerial = registry.ReadString("Serial");
        registry.CloseKey();
        (void)registry.OpenKey("Software\\VLMRA\\Shell\\PathName");
        installedPath = registry.ReadString("Path");
    }
    if (installedSerial.empty() || installedPath.empty()) return;
    // The name is fixed: an earlier installation is recognised by its main executable.
    if (!ui::FileExists(installedPath + "VLMR.exe")) return;

    wchar_t separator[4] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    std::string question;
    switch (core::CompareSerials(Formain->FSerial, installedSerial,
                                 separator[0] < 128 ? char(separator[0]) : '.')) {
    case core::SerialOrder::Equal:
        question = core::ReinstallQuestion(Caption());
        break;
    case core::SerialOrder::ConfiguredOlder:
        question = core::OlderVersionQuestion();
        break;
    case core::SerialOrder::ConfiguredNewer:
        return;
    }
    if (!ui::Confirm(Handle(), question)) Formain->Close();
}

void TFormSchedule::BtnNextClick() {
    CreateLaterPages();
    if (flow_.State().page == core::kFolderPage && flow_.State().nextCaption != core::kFinishCaption) {
        if (const std::string problem = core::InstallFolderProblem(Formain->FSetupDir); !problem.empty()) {
            Application().ShowMessage(Handle(), problem, Application().Title(), MB_OK | MB_ICONWARNING);
            return;
        }
    }
    switch (flow_.Next(Caption())) {
    case core::NextAction::Finish:
        Finish();
        return;
    case core::NextAction::LoadAgreement: {
        ShowFlow(); // the page shows even when its text cannot be read
        const std::string agreementPath = Formain->FTempDir + "SQXY.txt";
        const std::string agreement = ui::ReadWholeFile(agreementPath);
        install::RequireUnchanged(agreementPath, agreement, Formain->Payload().Get("FileTxt4", "txtname"));
        std::string text;
        for (const std::string& line : core::SplitLines(agreement))
            text += line + "\r\n";
        Memo1->SetText(text);
        flow_.AgreementLoaded(Formain->ReadSetupIni("Form", "SQXY"));
        break;
    }
    case core::NextAction::FillDiskGrid:
        ShowFlow();
        FillDiskGrid(true);
        break;
    case core::NextAction::StartInstallation:
        StartInstallation();
        return;
    case core::NextAction::None:
        break;
    }
    ShowFlow();
}

void TFormSchedule::StartInstallation() {
    Formain->FSetupDir = core::CompletedInstallFolder(Formain->FSetupDir);
    FStarted = true;
    flow_.StartInstallation();
    ShowFlow();
    Hide();
    Application().ProcessMessages();
    Formain->showsec();
}

void TFormSchedule::ShowCompletionPage() {
    CreateLaterPages();
    FStarted = true;
    Show();
    flow_.HandOver(Caption());
    ShowFlow();
}

void TFormSchedule::Finish() {
    if (RunAppFlag && FStarted) {
        const std::string settings = Formain->FSetupDir + "Options.ini";
        bool written = true;
        try {
            // The application's settings file, read and written as every installed file is: never
            // through a link, and no larger than a text file can be.
            std::set<std::string> checkedFolders; // looked at before the read, not again for the write
            ui::RequireNoLinkBelow(Formain->FSetupDir, settings, &checkedFolders);
            const std::string old = ui::FileExists(settings) ? ui::ReadWholeFile(settings) : std::string();
            ui::WriteFileBelow(Formain->FSetupDir, settings,
                               core::ProfileWithValue(old, "Option", "Reset", "88"), &checkedFolders);
        } catch (const core::SetupError&) {
            written = false;
        }
        const std::wstring program = ui::Wide(Formain->FSetupDir + Formain->ReadSetupIni("Run", "FileName"));
        if (!ui::shell::OpenAsDesktopUser(Handle(), program))
            Application().ShowMessage(Handle(), core::StartFromDesktopLinkNotice(), Application().Title(),
                                      MB_OK | MB_ICONINFORMATION);
        if (!written) throw core::SetupError("Unable to write to " + settings);
    }
    Formain->Close();
}

void TFormSchedule::btnpriClick() {
    flow_.Back();
    ShowFlow();
}

void TFormSchedule::btnexitClick() {
    if (ui::Confirm(Handle(), "确定要退出安装程序吗?")) Formain->Close();
}

void TFormSchedule::RadioButton1Click() {
    flow_.ChooseAgreement(true);
    ShowFlow();
}

void TFormSchedule::RadioButton2Click() {
    flow_.ChooseAgreement(false);
    ShowFlow();
}

void TFormSchedule::chbdesktopClick() {
    DesktopLinkFlag = chbdesktop->Checked();
}
void TFormSchedule::chbrunClick() {
    RunAppFlag = chbrun->Checked();
}

bool TFormSchedule::FormCloseQuery() {
    if (FStarted) return true;
    if (Application().ShowMessage(Handle(), "确定要退出安装程序吗?", "退出安装", MB_OKCANCEL) != IDOK)
        return false;
    Formain->Close();
    return true;
}

void TFormSchedule::FormClose() {
    if (FStarted) Formain->Close();
}

void TFormSchedule::ShowFlow() {
    const core::WizardState& s = flow_.State();
    if (sidePictureShown_ != !s.headerVisible) {
        sidePictureShown_ = !s.headerVisible;
        const RECT picture{0, 0, kSidePictureWidth, kSeparatorTop};
        InvalidateRect(Handle(), &picture, FALSE);
    }
    const int left = s.headerVisible ? 0 : kSidePictureWidth;
    const int top = s.headerVisible ? kHeaderHeight : 0;
    for (int i = 0; i < 6; ++i) {
        if (!ScheBook[i]) continue; // not built yet
        ScheBook[i]->SetBounds(left, top, kClientWidth - left, kSeparatorTop - top);
        ScheBook[i]->SetVisible(i == s.page);
    }
    btnpri->SetEnabled(s.backEnabled);
    BtnNext->SetEnabled(s.nextEnabled);
    BtnNext->SetText(s.nextCaption);
    btnexit->SetEnabled(s.exitEnabled);
    btnexit->SetText(s.exitCaption);
    Label6->SetText(s.label6);
    Label7->SetText(s.label7);
    if (!LaterPagesBuilt()) return; // the rest is not shown yet
    Panel_Top->SetVisible(s.headerVisible);
    Label4->SetText(s.label4);
    Label4->SetVisible(s.label4Visible);
    Label5->SetText(s.label5);
    Label5->SetVisible(s.label5Visible);
    Label5->SetLeft(s.label5Left);
    Label2->SetText(s.label2);
    Label8->SetText(s.label8);
    RadioButton1->SetChecked(s.acceptSelected);
    RadioButton2->SetChecked(!s.acceptSelected);
}

void TFormSchedule::FillDiskGrid(bool chooseDefault) {
    DiskGrid->SetColumns({50, 80, 80, 0, 0});
    const std::vector<std::string> roots = ui::LogicalDriveRoots();
    if (chooseDefault) {
        if (auto folder = core::DefaultSetupDir(roots, Formain->ReadSetupIni("SetupDir", "DirName")))
            Formain->FSetupDir = *folder;
        else
            Application().ShowMessage(Handle(), "硬盘分区异常，无法安装软件。", Application().Title(), MB_OK);
    }
    Edit_Path->SetText(Formain->FSetupDir);

    DiskGrid->Clear();
    for (const std::string& root : roots) {
        const int row = DiskGrid->AddRow();
        DiskGrid->SetCell(row, 0, root.substr(0, 3));
        const ui::DiskSpace space = ui::QueryDiskSpace(root);
        if (space.total > 0) DiskGrid->SetCell(row, 1, core::FormatGb(core::BytesToGb(space.total)));
        DiskGrid->SetCell(row, 3, "");
        if (space.freeForUser > 0)
            DiskGrid->SetCell(row, 2, core::FormatGb(core::BytesToGb(space.freeForUser)));
        DiskGrid->SetCell(row, 4, "");
    }

    const std::string installRoot = Formain->FSetupDir.substr(0, 3);
    for (int row = 0; row < DiskGrid->RowCount(); ++row) {
        if (!core::EqualsIgnoringAsciiCase(DiskGrid->Cell(row, 0), installRoot)) continue;
        DiskGrid->SelectRow(row);
        DiskGrid->SetCell(row, 3, " " + Formain->ReadSetupIni("Run", "RJSize") + " MB");
        if (const std::string free = DiskGrid->Cell(row, 2); !free.empty())
            if (const std::string remaining = core::RemainingSpaceText(free); !remaining.empty())
                DiskGrid->SetCell(row, 4, remaining);
        break;
    }
}

void TFormSchedule::Button1Click() {
    const std::optional<std::string> chosen =
        ui::BrowseForFolder(Application().Window(), "选择安装路径", Formain->FSetupDir);
    if (!chosen) return;
    const core::BrowsedFolder folder = core::FolderFromBrowser(
        *chosen, Formain->ReadSetupIni("SetupDir", "DirName"), ui::LogicalDriveRoots().size());
    if (folder.refused) ui::Warn(Handle(), core::DesktopFolderWarning());
    Edit_Path->SetText(folder.editPath);
    Formain->FSetupDir = Edit_Path->Text();
    FillDiskGrid(false);
}

void TFormSchedule::Edit_PathChange() {
    Formain->FSetupDir = Edit_Path->Text();
}

void TFormSchedule::DiskGridDblClick() {
    const int row = DiskGrid->SelectedRow();
    if (row < 0) return;
    const std::string root = DiskGrid->Cell(row, 0);
    if (root.size() < 2 || root[1] != ':') return; // only a row with a drive root moves the folder
    std::string path = Edit_Path->Text();
    if (path.empty())
        path = root.substr(0, 1);
    else
        path[0] = root[0];
    Edit_Path->SetText(path);
    Formain->FSetupDir = path;
    FillDiskGrid(false);
}
