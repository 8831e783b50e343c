#pragma once
// A top-level window with its controls. The object outlives its window: closing destroys the
// window, never the object, so a handler that closes its own form can still unwind safely.
#include "controls.h"
#include "message_target.h"

#include <windows.h>

#include <functional>
#include <utility>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class App;

class Form : private MessageTarget {
  public:
    explicit Form(App& app) : app_(app) {}
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_; }
    App& Application() const { return app_; }

    void SetCaption(const std::string& gbk);
    std::string Caption() const;
    void Show();
    void Hide();
    bool Visible() const;

    // Asks CanClose, runs OnClose, then destroys the window. Closing an already closed form runs
    // OnClose again and is otherwise harmless.
    void Close();
    // Shows the form with every other window of the program disabled and serves messages until
    // EndModal is called or the program ends.
    int ShowModal();
    void EndModal(int result) { modalResult_ = result; }
    // The main form's way of being shown by the message loop.
    virtual void ShowAsMain();

    // Routes WM_COMMAND and WM_CTLCOLOR* of a child to the control it concerns.
    bool HandleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Keyboard navigation between controls of the active form.
    static bool PreTranslate(MSG& msg);

  protected:
    void CreateForm(const wchar_t* className, const std::string& caption, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND owner);
    template <typename T, typename... Args> T* Add(Args&&... args) {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = control.get();
        controls_.push_back(std::move(control));
        return raw;
    }
    // Lays out the controls aligned to the top and bottom edges.
    void Realign();

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnPaint(HDC dc, const RECT& client);
    // One-shot or periodic timers on the user-interface thread.
    void StartTimer(UINT_PTR id, UINT milliseconds, std::function<void()> onTimer);
    void StopTimer(UINT_PTR id);

    // The form becomes the active window, coming from another window of the program; coming back
    // from a message box or the folder browser does not count.
    virtual void OnActivate() {}
    virtual bool CanClose() { return true; }
    virtual void OnClose() {}
    virtual void OnShow() {}

    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
    bool isMain_ = false;

  private:
    void WindowMade(HWND window) override { hwnd_ = window; }
    LRESULT HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) override {
        return OnMessage(message, wParam, lParam);
    }
    void WindowGone() override { hwnd_ = nullptr; }
    Control* FindControl(HWND hwnd) const;
    static bool IsMessageBoxOrDialog(HWND window);

    App& app_;
    HWND hwnd_ = nullptr;
    int modalResult_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    RECT alignedTo_{}; // the client area the aligned controls were last laid out in
    std::function<void()>* FindTimer(UINT_PTR id);
    std::vector<std::pair<UINT_PTR, std::function<void()>>> timers_; // a form has one or two
};

} // namespace ui
