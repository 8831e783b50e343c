// Shows the toolkit's confirmation question and exits with the answer: 6 for Yes, 7 for No.
#include "toolkit/app.h"
#include "toolkit/message_dialog.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ui::App app;
    app.SetTitle("vlmraSetup");
    return ui::Confirm(
               nullptr,
               "您正在安装的是一个旧版本，要继续安装吗？\r\r    按 [Yes] 按钮继续安装；按 [No] 结束\r")
               ? IDYES
               : IDNO;
}
