#pragma once
// Functions of system DLLs that the program needs only at some moments, bound by name at first use
// rather than imported at load time: such a DLL, and what it brings along, then loads only when it
// is needed (not on the way to the first window) and only after the DLL search has been restricted
// to the system folder. A DLL once loaded stays for the life of the process.
#include <windows.h>

#include <string>

namespace sys {

// The DLL's full path in the system folder.
std::wstring SystemDllPath(const wchar_t* dll);

// The function, or nullptr when the DLL or the function is missing. The DLL is loaded from the
// system folder by its full path (the common controls by name, for their side-by-side version).
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Fn> Fn BindSystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

} // namespace sys
