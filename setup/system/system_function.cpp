#include "system_function.h"

namespace sys {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryW(dll); // a DLL already loaded is only counted once more
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace sys
