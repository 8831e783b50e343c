// Loads the DLLs a planted-DLL attack aims at by name, without restricting the search path: it
// shows whether this system would load a DLL lying beside the program.
#include <windows.h>

#include <initializer_list>

int wmain() {
    for (const wchar_t* name : {L"comctl32.dll", L"uxtheme.dll", L"version.dll", L"dwmapi.dll"})
        LoadLibraryW(name);
    return 0;
}
