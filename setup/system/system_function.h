#pragma once
// Functions of system DLLs that the program needs only at some moments, bound by name at first use
// rather than imported at load time: such a DLL, and what it brings along, then loads only when it
// is needed (not on the way to the first window) and only after the DLL search has been restricted
// to the system folder. A DLL once loaded stays for the life of the process.
#include <windows.h>

namespace sys {

// The function, or nullptr when the DLL or the function is missing.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Fn> Fn BindSystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

} // namespace sys
