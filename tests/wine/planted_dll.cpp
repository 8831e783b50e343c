// A DLL that someone planted beside the setup: when a process loads it, it writes the process's
// name and its own into C:\planted-dll-loaded.txt.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t process[MAX_PATH * 2 + 4] = {};
    GetModuleFileNameW(nullptr, process, MAX_PATH);
    lstrcatW(process, L" <- ");
    GetModuleFileNameW(self, process + lstrlenW(process), MAX_PATH);
    HANDLE marker =
        CreateFileW(L"C:\\planted-dll-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        char line[MAX_PATH * 6] = {};
        const int n = WideCharToMultiByte(CP_UTF8, 0, process, -1, line, sizeof line - 2, nullptr, nullptr);
        line[n - 1] = '\n';
        DWORD written;
        WriteFile(marker, line, static_cast<DWORD>(n), &written, nullptr);
        CloseHandle(marker);
    }
    return TRUE;
}
