#include "form.h"

#include "app.h"
#include "gdi.h"
#include "system/wide.h"

#include <commctrl.h>

namespace ui {

Form::~Form() {
    if (hwnd_) {
        Detach(hwnd_);
        DestroyWindow(hwnd_);
    }
}

void Form::CreateForm(const wchar_t* className, const std::string& caption, DWORD style, DWORD exStyle, int x,
                      int y, int width, int height, HWND owner) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &wc)) {
        wc.lpfnWndProc = WindowProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = className;
        RegisterClassW(&wc);
    }
    CreateWindowExW(exStyle, className, sys::Wide(caption).c_str(), style, x, y, width, height, owner,
                    nullptr, GetModuleHandleW(nullptr), static_cast<MessageTarget*>(this));
    if (isMain_) app_.SetPostTarget(hwnd_);
}

void Form::SetCaption(const std::string& gbk) {
    SetWindowTextW(hwnd_, sys::Wide(gbk).c_str());
}

std::string Form::Caption() const {
    return sys::WindowTextGbk(hwnd_);
}

void Form::Show() {
    ShowWindow(hwnd_, SW_SHOW);
}
void Form::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}
bool Form::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

void Form::ShowAsMain() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    OnShow();
}

void Form::Close() {
    if (hwnd_ && !CanClose()) return;
    OnClose();
    if (hwnd_) DestroyWindow(hwnd_);
}

namespace {

struct DisabledWindows {
    std::vector<HWND> windows;
    HWND keep;
};

BOOL CALLBACK DisableOne(HWND w, LPARAM param) noexcept {
    auto* disabled = reinterpret_cast<DisabledWindows*>(param);
    if (w != disabled->keep && IsWindowVisible(w) && IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        disabled->windows.push_back(w);
    }
    return TRUE;
}

} // namespace

int Form::ShowModal() {
    DisabledWindows disabled{{}, hwnd_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));

    modalResult_ = 0;
    ShowWindow(hwnd_, SW_SHOW);
    SetActiveWindow(hwnd_);
    while (modalResult_ == 0 && !app_.Terminated() && app_.HandleOneMessage(true)) {
    }
    for (HWND w : disabled.windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    return modalResult_;
}

void Form::StartTimer(UINT_PTR id, UINT milliseconds, std::function<void()> onTimer) {
    if (auto* timer = FindTimer(id))
        *timer = std::move(onTimer);
    else
        timers_.emplace_back(id, std::move(onTimer));
    SetTimer(hwnd_, id, milliseconds, nullptr);
}

void Form::StopTimer(UINT_PTR id) {
    if (hwnd_) KillTimer(hwnd_, id);
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (it->first == id) {
            timers_.erase(it);
            break;
        }
}

std::function<void()>* Form::FindTimer(UINT_PTR id) {
    for (auto& [timerId, onTimer] : timers_)
        if (timerId == id) return &onTimer;
    return nullptr;
}

bool Form::IsMessageBoxOrDialog(HWND window) {
    wchar_t className[16] = {};
    return window && GetClassNameW(window, className, 16) && wcscmp(className, L"#32770") == 0;
}

void Form::Realign() {
    RECT client;
    GetClientRect(hwnd_, &client);
    alignedTo_ = client;
    for (const auto& control : controls_) {
        if (control->align == Align::None || GetParent(control->Handle()) != hwnd_) continue;
        const int height = control->Height();
        const int top = control->align == Align::Top ? client.top : client.bottom - height;
        control->SetBounds(0, top, client.right, height);
    }
}

Control* Form::FindControl(HWND hwnd) const {
    for (const auto& control : controls_)
        if (control->Handle() == hwnd) return control.get();
    return nullptr;
}

bool Form::HandleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = control->CtlColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
        }
        return false;
    case WM_COMMAND: {
        Control* control = FindControl(reinterpret_cast<HWND>(lParam));
        if (!control) return false;
        const std::function<void()>& handler = HIWORD(wParam) == BN_CLICKED  ? control->onClick
                                               : HIWORD(wParam) == EN_CHANGE ? control->onChange
                                                                             : std::function<void()>();
        if (!handler) return false;
        handler();
        result = 0;
        return true;
    }
    case WM_MEASUREITEM:
        for (const auto& control : controls_)
            if (control->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
                result = TRUE;
                return true;
            }
        return false;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        Control* control = FindControl(item->hwndItem);
        if (!control || !control->DrawItem(*item)) return false;
        result = TRUE;
        return true;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        Control* control = FindControl(header->hwndFrom);
        if (!control || header->code != NM_DBLCLK || !control->onDoubleClick) return false;
        control->onDoubleClick();
        result = 0;
        return true;
    }
    case WM_SETCURSOR:
        if (Control* control = FindControl(reinterpret_cast<HWND>(wParam)); control && control->handCursor) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool Form::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (!top || !(GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    return IsDialogMessageW(top, &msg) != 0;
}

void Form::OnPaint(HDC dc, const RECT& client) {
    gdi::FillSolid(dc, client, colour_);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; HandleChildNotification(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const gdi::PaintSession paint(hwnd_);
        OnPaint(paint.dc(), paint.client());
        return 0;
    }
    case WM_SIZE: {
        RECT client;
        GetClientRect(hwnd_, &client);
        if (!EqualRect(&client, &alignedTo_)) Realign();
        break;
    }
    case WM_TIMER:
        if (const auto* timer = FindTimer(wParam)) {
            const std::function<void()> onTimer = *timer; // the handler may stop its own timer
            onTimer();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !IsMessageBoxOrDialog(reinterpret_cast<HWND>(lParam)))
            OnActivate();
        break;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        if (isMain_) PostQuitMessage(0);
        break;
    case App::kRunPostedCall:
        if (!isMain_) break;
        App::RunPostedCall(lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

} // namespace ui
