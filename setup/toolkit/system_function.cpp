#include "system_function.h"

namespace ui {

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryW(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace ui
