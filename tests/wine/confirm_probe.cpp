// Shows the toolkit's boxes as the setup shows them. Without arguments: the confirmation question,
// exiting with the answer (6 for Yes, 7 for No). With "unknown-error": the standard error box for an
// exception that is no std::exception, as a callback's catch-all reports it; exits with 0.
#include "toolkit/app.h"
#include "toolkit/message_dialog.h"

#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    ui::App app;
    app.SetTitle("vlmraSetup");
    if (commandLine && std::wcsstr(commandLine, L"unknown-error")) {
        try {
            throw 42;
        } catch (...) {
            ui::App::ReportCurrentException();
        }
        return 0;
    }
    return ui::Confirm(
               nullptr,
               "您正在安装的是一个旧版本，要继续安装吗？\r\r    按 [Yes] 按钮继续安装；按 [No] 结束\r")
               ? IDYES
               : IDNO;
}
