// Program entry: the shared flag, the single-instance guard, then the setup session, which owns
// the windows and serves the program until the setup ends.
#include "setup_session.h"
#include "system/resource_store.h"
#include "system/shared_flag.h"
#include "toolkit/app.h"

#include <windows.h>

namespace {

// A setup is started from download folders where anyone may have left a DLL: before anything else
// loads one, only the system folder is searched.
void RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearchToSystemFolder();
    ui::App app;
    // Made after the application object and so released before it, first of all at exit.
    sys::SharedFlag sharedFlag;

    // Held until the process ends and never closed here: the system frees it at exit.
    HANDLE instanceMutex = CreateMutexW(nullptr, TRUE, L"VLmraSetup_27805");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        app.ShowMessage(nullptr, "安装程序已经运行", "运行提示", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    (void)instanceMutex;
    app.SetTitle("vlmraSetup");

    sys::ResourceStore payload;
    SetupSession session(app, payload);
    session.Run();
    return 0;
}
