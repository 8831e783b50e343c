#include "controls.h"

#include "app.h"
#include "form.h"
#include "gdi.h"
#include "system/system_function.h"
#include "system/wide.h"

#include <commctrl.h>

namespace ui {

void Control::CreateChild(const wchar_t* className, const std::string& text, DWORD style, int x, int y,
                          int width, int height, HWND parent, DWORD exStyle, MessageTarget* target) {
    hwnd_ = CreateWindowExW(exStyle, className, sys::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                            width, height, parent, nullptr, GetModuleHandleW(nullptr), target);
}

void Control::SetBounds(int x, int y, int width, int height) {
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Control::Width() const {
    const RECT r = Bounds();
    return r.right - r.left;
}

int Control::Height() const {
    const RECT r = Bounds();
    return r.bottom - r.top;
}

void Control::SetLeft(int x) {
    const RECT r = Bounds();
    SetWindowPos(hwnd_, nullptr, x, r.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Control::ChangeLimited(std::function<void()> change) {
    const DWORD now = GetTickCount();
    if (redrawInterval_ == 0 || now - lastChanged_ >= redrawInterval_) {
        if (held_) { // superseded
            KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
            held_ = nullptr;
        }
        change();
        lastChanged_ = now;
        return;
    }
    // Held without touching the window: the window calls that would hold back its drawing cost
    // about as much as the drawing.
    if (!held_)
        SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this), redrawInterval_, &Control::OnHeldChangeTimer);
    held_ = std::move(change);
}

void CALLBACK Control::OnHeldChangeTimer(HWND hwnd, UINT, UINT_PTR timer, DWORD) noexcept {
    KillTimer(hwnd, timer);
    try {
        reinterpret_cast<Control*>(timer)->MakeHeldChange();
    } catch (...) {
        App::ReportCurrentException();
    }
}

void Control::MakeHeldChange() {
    if (!held_) return;
    KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
    const std::function<void()> change = std::move(held_);
    held_ = nullptr;
    lastChanged_ = GetTickCount();
    change();
}

Control::~Control() {
    if (held_ && hwnd_) KillTimer(hwnd_, reinterpret_cast<UINT_PTR>(this));
}

void Control::LimitRedraws(unsigned milliseconds) {
    redrawInterval_ = milliseconds;
    lastChanged_ = GetTickCount(); // its first painting is on the way
}

void Control::SetText(const std::string& gbk) {
    ChangeLimited([this, text = sys::Wide(gbk)] {
        SetWindowTextW(hwnd_, text.c_str());
        if (transparent_) { // the old text is gone only once the parent has drawn over it again
            RECT r = Bounds();
            RedrawWindow(GetParent(hwnd_), &r, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    });
}

void Control::SetHint(const std::string& gbk) {
    if (!hint_)
        hint_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                GetAncestor(hwnd_, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    std::wstring text = sys::Wide(gbk);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd_);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = text.data();
    SendMessageW(hint_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Control::SetTransparent() {
    transparent_ = true;
    background_.reset();
}

std::string Control::Text() const {
    return sys::WindowTextGbk(hwnd_);
}

void Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}
bool Control::Visible() const {
    return IsWindowVisible(hwnd_) != 0;
}
void Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled);
}

void Control::SetFont(const FontSpec& font) {
    font_ = CreateFontFrom(font);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Control::SetBackground(COLORREF colour) {
    background_ = colour;
    brush_.reset(CreateSolidBrush(colour));
}

HBRUSH Control::CtlColor(HDC dc) {
    if (textColour_) ::SetTextColor(dc, *textColour_);
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    if (background_) {
        SetBkColor(dc, *background_);
        return static_cast<HBRUSH>(brush_.get());
    }
    return nullptr;
}

Label::Label(HWND parent, const std::string& text, int x, int y, int width, int height, DWORD style) {
    CreateChild(L"STATIC", text, style | SS_NOPREFIX, x, y, width, height, parent);
}

SIZE Label::TextExtent() const {
    const std::wstring text = sys::Wide(Text());
    const gdi::WindowDc dc(hwnd_);
    const gdi::Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void Label::AutoSize() {
    const SIZE size = TextExtent();
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

Button::Button(HWND parent, const std::string& text, int x, int y, int width, int height, DWORD style) {
    CreateChild(L"BUTTON", text, style | WS_TABSTOP, x, y, width, height, parent);
}

bool Button::Checked() const {
    return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void Button::SetChecked(bool checked) {
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

Edit::Edit(HWND parent, int x, int y, int width, int height, DWORD style, DWORD exStyle) {
    CreateChild(L"EDIT", "", style | WS_TABSTOP, x, y, width, height, parent, exStyle);
}

ProgressBar::ProgressBar(HWND parent, int x, int y, int width, int height) {
    CreateChild(PROGRESS_CLASSW, "", 0, x, y, width, height, parent);
    SendMessageW(hwnd_, PBM_SETRANGE32, 0, 100);
    // The control draws itself inside PBM_SETPOS, which costs more than writing a small file (a
    // themed bar takes milliseconds under wine): an installation of many small files would spend its
    // time drawing a bar no eye can follow. Four times a second is enough to see it move; with a
    // pause after each file, every position is shown anyway before the pause.
    LimitRedraws(250);
}

void ProgressBar::SetPosition(int position) {
    ChangeLimited([this, position] { SendMessageW(hwnd_, PBM_SETPOS, position > 100 ? 100 : position, 0); });
}

Animation::Animation(HWND parent, int x, int y, int width, int height) {
    // Played by a timer on this window's thread, not by a thread of its own: under wine the clip's
    // thread, drawing a frame, and this thread, changing the label or the bar during an installation
    // step, could each wait for the other, and the setup then hung for good. During an installation
    // the frames advance each time it looks at its messages, between files.
    CreateChild(ANIMATE_CLASSW, "", ACS_TRANSPARENT | ACS_CENTER | ACS_TIMER, x, y, width, height, parent);
}

void Animation::PlayFileCopy() {
    // The shell's own file-copy clip; where the system has none the control stays empty.
    constexpr int kFileCopyClip = 161;
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (!shell)
        shell = LoadLibraryExW(sys::SystemDllPath(L"shell32.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // Frames 0 to 30 over and over: the loop ends on the 31st frame. A clip of fewer frames, which
    // refuses that range, plays whole.
    constexpr WORD kLastFrame = 30;
    if (shell && SendMessageW(hwnd_, ACM_OPENW, reinterpret_cast<WPARAM>(shell), kFileCopyClip) &&
        !SendMessageW(hwnd_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, kLastFrame)))
        SendMessageW(hwnd_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
}

Bitmap::Bitmap(const wchar_t* resourceName)
    : bitmap_(LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_BITMAP, 0, 0, 0)) {}

void Bitmap::Draw(HDC dc, int x, int y) const {
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_.get(), sizeof info, &info)) return;
    const gdi::MemoryDc memory(dc);
    const gdi::Selection picture(memory.get(), bitmap_.get());
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

ListView::ListView(HWND parent, int x, int y, int width, int height) {
    CreateChild(WC_LISTVIEWW, "",
                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | WS_VSCROLL, x, y, width,
                height, parent);
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListView::SetColumns(const std::vector<int>& widths) {
    while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (size_t i = 0; i < widths.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = widths[i] ? widths[i] : 64;
        column.iSubItem = static_cast<int>(i);
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ListView::SetColumnWidth(int column, int width) {
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, width);
}
void ListView::Clear() {
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}
int ListView::RowCount() const {
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::AddRow() {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(L"");
    return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCell(int row, int column, const std::string& gbk) {
    std::wstring text = sys::Wide(gbk);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Cell(int row, int column) const {
    wchar_t buffer[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 260;
    SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return sys::Gbk(buffer);
}

void ListView::SetRowHeight(int pixels) {
    rowHeight_ = pixels;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | LVS_OWNERDRAWFIXED);
    // The list view asks its parent for the row height again when its size has changed: one pixel
    // taller and back.
    const int width = Width(), height = Height();
    for (int h : {height + 1, height})
        SetWindowPos(hwnd_, nullptr, 0, 0, width, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ListView::MeasureItem(MEASUREITEMSTRUCT& item) {
    if (rowHeight_ == 0 || item.CtlType != ODT_LISTVIEW || item.CtlID != UINT(GetDlgCtrlID(hwnd_)))
        return false;
    item.itemHeight = static_cast<UINT>(rowHeight_);
    return true;
}

bool ListView::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != hwnd_ || item.CtlType != ODT_LISTVIEW) return false;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = GetFocus() == hwnd_;
    FillRect(item.hDC, &item.rcItem,
             GetSysColorBrush(!selected ? COLOR_WINDOW
                              : focused ? COLOR_HIGHLIGHT
                                        : COLOR_BTNFACE));
    ::SetTextColor(item.hDC, GetSysColor(selected && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    const gdi::Selection font(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    for (int column = 0; column < columns; ++column) {
        RECT cell{LVIR_LABEL, column, 0, 0};
        if (!SendMessageW(hwnd_, LVM_GETSUBITEMRECT, item.itemID, reinterpret_cast<LPARAM>(&cell))) continue;
        wchar_t text[260] = {};
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = text;
        request.cchTextMax = 260;
        SendMessageW(hwnd_, LVM_GETITEMTEXTW, item.itemID, reinterpret_cast<LPARAM>(&request));
        cell.left += 2; // the list view's own margin
        DrawTextW(item.hDC, text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) && focused) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

void ListView::SelectRow(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
}

int ListView::SelectedRow() const {
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace {
constexpr wchar_t kPanelClass[] = L"TPanel";
}

Panel::Panel(Form& form, HWND parent, int x, int y, int width, int height, bool clipChildren) : form_(form) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WindowProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPanelClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    CreateChild(kPanelClass, "", clipChildren ? WS_CLIPCHILDREN : 0, x, y, width, height, parent, 0, this);
}

LRESULT Panel::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (onResize) onResize();
        break;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH brush = CtlColor(reinterpret_cast<HDC>(wParam));
        FillRect(reinterpret_cast<HDC>(wParam), &r,
                 brush ? brush : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return 1;
    }
    case WM_PAINT:
        if (!onPaint) break;
        {
            const gdi::PaintSession paint(window);
            onPaint(paint.dc(), paint.client());
        }
        return 0;
    default:
        if (LRESULT result = 0; form_.HandleChildNotification(message, wParam, lParam, result)) return result;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace ui
