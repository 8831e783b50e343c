#include "system_function.h"

#include <string>

namespace sys {

std::wstring SystemDllPath(const wchar_t* dll) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return dll; // no system folder to name: as it was
    return std::wstring(folder, length) + L"\\" + dll;
}

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    // By its full path in the system folder, its own imports searched from there: on a system
    // without SetDefaultDllDirectories a DLL loaded by name could still come from the download
    // folder. The common controls alone are loaded by name: the manifest's side-by-side version
    // (6) is found only so, and side-by-side lookups never search the program's folder.
    const bool sideBySide = lstrcmpiW(dll, L"comctl32.dll") == 0;
    HMODULE module = sideBySide
                         ? LoadLibraryW(dll)
                         : LoadLibraryExW(SystemDllPath(dll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module ? GetProcAddress(module, name) : nullptr; // a DLL already loaded is counted once more
}

} // namespace sys
