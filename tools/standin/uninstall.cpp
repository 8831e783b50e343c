// A stand-in for the application's uninstaller: it says what it is and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"这是 Velmora 卸载程序的示例，它不删除任何文件。", L"卸载 Velmora",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
