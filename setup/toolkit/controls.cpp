#include "controls.h"

#include "app.h"
#include "form.h"
#include "wide.h"

namespace ui {

void Control::CreateChild(const wchar_t* className, const std::string& text, DWORD style, int x, int y,
                          int width, int height, HWND parent, DWORD exStyle) {
    hwnd_ = CreateWindowExW(exStyle, className, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                            width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
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

void Control::SetText(const std::string& gbk) {
    SetWindowTextW(hwnd_, Wide(gbk).c_str());
}

std::string Control::Text() const {
    return WindowTextGbk(hwnd_);
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

void Control::SetFont(const FontSpec& spec) {
    font_ = CreateFontFrom(spec);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Control::SetBackground(COLORREF colour) {
    background_ = colour;
    brush_.reset(CreateSolidBrush(colour));
}

HBRUSH Control::CtlColor(HDC dc) {
    if (textColour_) ::SetTextColor(dc, *textColour_);
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
    const std::wstring text = Wide(Text());
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size;
}

void Label::AutoSize() {
    const SIZE size = TextExtent();
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

namespace {
constexpr wchar_t kPanelClass[] = L"TPanel";
}

Panel::Panel(Form& form, HWND parent, int x, int y, int width, int height) : form_(form) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPanelClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    CreateChild(kPanelClass, "", WS_CLIPCHILDREN, x, y, width, height, parent);
}

LRESULT CALLBACK Panel::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Panel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self) {
            if (message == WM_NCDESTROY) {
                self->hwnd_ = nullptr;
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            } else if (message == WM_SIZE && self->onResize) {
                self->onResize();
            } else if (message == WM_ERASEBKGND) {
                RECT r;
                GetClientRect(hwnd, &r);
                HBRUSH brush = self->CtlColor(reinterpret_cast<HDC>(wParam));
                FillRect(reinterpret_cast<HDC>(wParam), &r,
                         brush ? brush : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
                return 1;
            } else if (LRESULT result = 0;
                       self->form_.HandleChildNotification(message, wParam, lParam, result)) {
                return result;
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    } catch (...) {
        App::ReportException(std::current_exception());
        return 0;
    }
}

} // namespace ui
