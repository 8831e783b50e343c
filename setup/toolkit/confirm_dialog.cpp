#include "confirm_dialog.h"

#include "app.h"
#include "wide.h"

#include <vector>

namespace ui {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 420;

// A dialog template without items: the controls are made at WM_INITDIALOG, sized to the text.
std::vector<WORD> EmptyDialogTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
    header->style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.push_back(0); // no menu
    t.push_back(0); // standard dialog class
    for (const wchar_t* p = L"Confirm";; ++p) {
        t.push_back(static_cast<WORD>(*p));
        if (!*p) break;
    }
    t.push_back(8); // point size, then the face name
    for (const wchar_t* p = L"MS Shell Dlg";; ++p) {
        t.push_back(static_cast<WORD>(*p));
        if (!*p) break;
    }
    return t;
}

HWND AddControl(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, int id, int x,
                int y, int width, int height) {
    HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return control;
}

void Layout(HWND dialog, const std::wstring& question) {
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    RECT text{0, 0, kMaxTextWidth, 0};
    DrawTextW(dc, question.c_str(), static_cast<int>(question.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    const int textLeft = kMargin + kIconSize + kMargin;
    const int textHeight = text.bottom > kIconSize ? text.bottom : kIconSize;
    const int buttonsWidth = 2 * kButtonWidth + kButtonGap;
    int clientWidth = textLeft + text.right + kMargin;
    if (clientWidth < buttonsWidth + 2 * kMargin) clientWidth = buttonsWidth + 2 * kMargin;
    const int buttonTop = kMargin + textHeight + kMargin;
    const int clientHeight = buttonTop + kButtonHeight + kMargin;

    HWND icon = AddControl(dialog, L"STATIC", L"", SS_ICON, -1, kMargin, kMargin, kIconSize, kIconSize);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_QUESTION)), 0);
    AddControl(dialog, L"STATIC", question, SS_LEFT | SS_NOPREFIX, 0xFFFF, textLeft, kMargin, text.right,
               text.bottom);
    const int buttonsLeft = (clientWidth - buttonsWidth) / 2;
    HWND yes = AddControl(dialog, L"BUTTON", L"&Yes", BS_DEFPUSHBUTTON | WS_TABSTOP, IDYES, buttonsLeft,
                          buttonTop, kButtonWidth, kButtonHeight);
    AddControl(dialog, L"BUTTON", L"&No", BS_PUSHBUTTON | WS_TABSTOP, IDNO,
               buttonsLeft + kButtonWidth + kButtonGap, buttonTop, kButtonWidth, kButtonHeight);

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
    SetFocus(yes);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        switch (message) {
        case WM_INITDIALOG:
            Layout(dialog, *reinterpret_cast<const std::wstring*>(lParam));
            MessageBeep(MB_ICONQUESTION);
            return FALSE; // the focus is set already
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case IDYES:
                EndDialog(dialog, IDYES);
                return TRUE;
            case IDNO:
            case IDCANCEL: // Escape and the close button
                EndDialog(dialog, IDNO);
                return TRUE;
            default:
                return FALSE;
            }
        default:
            return FALSE;
        }
    } catch (...) {
        App::ReportException(std::current_exception());
        return FALSE;
    }
}

} // namespace

bool Confirm(HWND owner, const std::string& question) {
    const std::vector<WORD> dialogTemplate = EmptyDialogTemplate();
    const std::wstring text = Wide(question);
    const INT_PTR answer = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
        DialogProc, reinterpret_cast<LPARAM>(&text));
    return answer == IDYES;
}

} // namespace ui
