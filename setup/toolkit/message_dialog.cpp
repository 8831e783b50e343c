#include "message_dialog.h"

#include "app.h"
#include "system/wide.h"

#include <vector>

namespace ui {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxTextWidth = 420;

struct DialogButton {
    const wchar_t* text;
    int id;
};

struct DialogSpec {
    const wchar_t* title;
    const wchar_t* icon;
    UINT sound;
    std::vector<DialogButton> buttons; // the first is the default
    int escapeAnswer;
    std::wstring text;
};

void AppendString(std::vector<WORD>& t, const wchar_t* s) {
    for (;; ++s) {
        t.push_back(static_cast<WORD>(*s));
        if (!*s) break;
    }
}

// A dialog template without items: the controls are made at WM_INITDIALOG, sized to the text.
std::vector<WORD> EmptyDialogTemplate(const wchar_t* title) {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
    header->style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.push_back(0); // no menu
    t.push_back(0); // standard dialog class
    AppendString(t, title);
    t.push_back(8); // point size, then the face name
    AppendString(t, L"MS Shell Dlg");
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

void Layout(HWND dialog, const DialogSpec& box) {
    const std::wstring& question = box.text;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    RECT text{0, 0, kMaxTextWidth, 0};
    DrawTextW(dc, question.c_str(), static_cast<int>(question.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    const int textLeft = kMargin + kIconSize + kMargin;
    const int textHeight = text.bottom > kIconSize ? text.bottom : kIconSize;
    const int count = static_cast<int>(box.buttons.size());
    const int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int clientWidth = textLeft + text.right + kMargin;
    if (clientWidth < buttonsWidth + 2 * kMargin) clientWidth = buttonsWidth + 2 * kMargin;
    const int buttonTop = kMargin + textHeight + kMargin;
    const int clientHeight = buttonTop + kButtonHeight + kMargin;

    HWND icon = AddControl(dialog, L"STATIC", L"", SS_ICON, -1, kMargin, kMargin, kIconSize, kIconSize);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, box.icon)), 0);
    AddControl(dialog, L"STATIC", question, SS_LEFT | SS_NOPREFIX, 0xFFFF, textLeft, kMargin, text.right,
               text.bottom);
    const int buttonsLeft = (clientWidth - buttonsWidth) / 2;
    HWND first = nullptr;
    for (int i = 0; i < count; ++i) {
        HWND button =
            AddControl(dialog, L"BUTTON", box.buttons[i].text,
                       (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, box.buttons[i].id,
                       buttonsLeft + i * (kButtonWidth + kButtonGap), buttonTop, kButtonWidth, kButtonHeight);
        if (!first) first = button;
    }

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
    SetFocus(first);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        auto* box = reinterpret_cast<const DialogSpec*>(GetWindowLongPtrW(dialog, DWLP_USER));
        switch (message) {
        case WM_INITDIALOG:
            box = reinterpret_cast<const DialogSpec*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Layout(dialog, *box);
            MessageBeep(box->sound);
            return FALSE; // the focus is set already
        case WM_COMMAND:
            if (!box) return FALSE;
            if (LOWORD(wParam) == IDCANCEL) { // Escape and the close button
                EndDialog(dialog, box->escapeAnswer);
                return TRUE;
            }
            for (const DialogButton& button : box->buttons) {
                if (LOWORD(wParam) == button.id) {
                    EndDialog(dialog, button.id);
                    return TRUE;
                }
            }
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        App::ReportCurrentException();
        return FALSE;
    }
}

int ShowDialog(HWND owner, const DialogSpec& box) {
    const std::vector<WORD> dialogTemplate = EmptyDialogTemplate(box.title);
    return static_cast<int>(DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
        DialogProc, reinterpret_cast<LPARAM>(&box)));
}

} // namespace

bool Confirm(HWND owner, const std::string& question) {
    const DialogSpec box{L"Confirm", IDI_QUESTION,       MB_ICONQUESTION, {{L"&Yes", IDYES}, {L"&No", IDNO}},
                         IDNO,       sys::Wide(question)};
    return ShowDialog(owner, box) == IDYES;
}

void Warn(HWND owner, const std::string& text) {
    const DialogSpec box{L"Warning", IDI_WARNING, MB_ICONWARNING, {{L"OK", IDOK}}, IDOK, sys::Wide(text)};
    (void)ShowDialog(owner, box);
}

} // namespace ui
