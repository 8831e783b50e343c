#pragma once
// The one window procedure of the program's own window classes (forms and panels). Each window is
// served by the object that made it: the object is given as the creation parameter, found again at
// each message and forgotten when the window goes.
#include <windows.h>

namespace ui {

class MessageTarget {
  public:
    // No exception leaves it: with this compiler, one that leaves into the system ends the program.
    // An error is shown in the standard error box instead.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  protected:
    MessageTarget() = default;
    ~MessageTarget() = default;
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    // The window exists, at its first message; messages follow.
    virtual void WindowMade(HWND window) = 0;
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone: no more messages reach the object.
    virtual void WindowGone() = 0;
    // Messages of the window no longer reach the object; for an object that goes before its window.
    static void Detach(HWND window);
};

} // namespace ui
