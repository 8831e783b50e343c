#include "app.h"

#include "form.h"
#include "system/system_function.h"
#include "system/wide.h"
#include "core/error_text.h"
#include "core/setup_error.h"

#include <commctrl.h>

namespace ui {
namespace {

App* instance = nullptr;

// comctl32 is no system-folder-only DLL, so it is not imported at load time: it is loaded here,
// after the search path has been restricted, through the manifest's version 6 assembly.
void RegisterCommonControls() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = sys::BindSystemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_ANIMATE_CLASS | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES};
    if (init) init(&controls);
}

} // namespace

App::App() {
    instance = this;
    RegisterCommonControls();
}

App::~App() {
    if (window_) DestroyWindow(window_);
    instance = nullptr;
}

App& App::Instance() {
    return *instance;
}

HWND App::Window() {
    if (!window_) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SetupApplication";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, sys::Wide(title_).c_str(), WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    }
    return window_;
}

void App::Run(Form& mainForm) {
    mainForm.ShowAsMain();
    while (!terminated_ && HandleOneMessage(true)) {
    }
}

bool App::HandleOneMessage(bool wait) {
    MSG msg;
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) == -1) msg = MSG{nullptr, WM_QUIT, 0, 0, 0, {}};
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!Form::PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void App::ProcessMessages() {
    while (HandleOneMessage(false)) {
    }
}

int App::ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxW(owner, sys::Wide(text).c_str(), sys::Wide(caption).c_str(), flags);
}

HWND App::ErrorBoxOwner() const {
    if (HWND active = GetActiveWindow()) return active;
    return postTarget_ && IsWindow(postTarget_) ? GetLastActivePopup(postTarget_) : nullptr;
}

void App::ShowError(const std::string& message, const std::string& reason) {
    if (errorHandler_ && errorHandler_(core::WithFullStop(message), reason)) return;
    ShowMessage(ErrorBoxOwner(), core::WithFullStop(message), title_, MB_OK | MB_ICONERROR);
}

void App::ReportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const core::SetupError& e) {
            if (instance) instance->ShowError(e.what(), e.Reason());
        } catch (const std::exception& e) {
            if (instance) instance->ShowError(e.what());
        } catch (...) {
            // Not one of ours, but an error all the same: the user is told that something failed.
            if (instance) instance->ShowError("Unknown error");
        }
    } catch (...) {
        // Nothing may leave a callback into the system.
    }
}

void App::PostToUiThread(std::function<void()> call) {
    auto* posted = new std::function<void()>(std::move(call));
    if (!PostMessageW(postTarget_, kRunPostedCall, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

void App::RunPostedCall(LPARAM lParam) noexcept {
    std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
    try {
        (*call)();
    } catch (...) {
        ReportCurrentException();
    }
}

} // namespace ui
