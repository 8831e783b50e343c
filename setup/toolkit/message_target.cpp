#include "message_target.h"

#include "app.h"

namespace ui {

LRESULT CALLBACK MessageTarget::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) noexcept {
    try {
        if (message == WM_NCCREATE) {
            auto* made =
                static_cast<MessageTarget*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
            if (made) made->WindowMade(window);
        }
        auto* target = reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!target) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            Detach(window);
            target->WindowGone();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return target->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        App::ReportCurrentException();
        return 0;
    }
}

void MessageTarget::Detach(HWND window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

} // namespace ui
