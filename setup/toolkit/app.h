#pragma once
// The application object: COM on the user-interface thread, the title, the message loop, the
// nested pump used from inside handlers, and the standard error box.
#include "system/com_api.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace ui {

class Form;

class App {
  public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App& Instance();

    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& Title() const { return title_; }

    // Shows the main form and serves messages until the main form is destroyed.
    void Run(Form& mainForm);
    // The one message pump, for the program's loop and the loops nested in handlers alike: handles
    // one message, waiting for it when `wait` is set. False when there was none to handle or a
    // WM_QUIT came: that is posted again, so that every loop it is nested in ends too, and
    // Terminated() says so from then on.
    bool HandleOneMessage(bool wait);
    // Handles every pending message and returns.
    void ProcessMessages();
    bool Terminated() const { return terminated_; }

    // The system's message box with GBK texts shown through the wide API.
    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT flags);
    // The box for an error that leaves a handler: the title as caption, error icon, OK, the
    // message with its full stop. `reason`, the system's text for it where there is one, is not
    // shown but handed to the error handler.
    void ShowError(const std::string& message, const std::string& reason = "");
    // Sees every error (its message and the system's reason) before its box: the setup logs it, and
    // an unattended setup, which shows no box, returns true to say it has dealt with the error.
    using ErrorHandler = std::function<bool(const std::string& message, const std::string& reason)>;
    void SetErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }
    // Shows the exception being handled in the standard error box. Called only from inside every
    // callback's catch (...) block; never throws.
    static void ReportCurrentException() noexcept;

    // Runs `call` on the user-interface thread once a message loop gets to it: it is posted to the
    // main form's window, which every loop serves (its own, modal ones, the system's dialogs).
    void PostToUiThread(std::function<void()> call);
    // Set once, when the main form's window is made and before any other thread runs; a call
    // posted after that window is gone is dropped.
    void SetPostTarget(HWND mainWindow) { postTarget_ = mainWindow; }
    static constexpr UINT kRunPostedCall = WM_APP + 1;
    // The main form's window procedure hands a posted call over to this.
    static void RunPostedCall(LPARAM call) noexcept;
    // The application's own window: hidden, never disabled by a modal run, the owner of the
    // system's dialogs that belong to the program as a whole (the folder browser). Made at first use.
    HWND Window();

  private:
    sys::com::Apartment com_; // uninitialised after the application's window has gone
    std::string title_;
    bool terminated_ = false;
    HWND postTarget_ = nullptr;
    HWND window_ = nullptr;
    ErrorHandler errorHandler_;
    // The window an error box is owned by, so that it is modal to the setup even while another
    // program is active: the active window, else the main window's last active popup.
    HWND ErrorBoxOwner() const;
};

} // namespace ui
