#include "shell_api.h"

namespace ui::shell {
namespace {

template <typename Fn> Fn Bind(const char* name) {
    static HMODULE shell32 = LoadLibraryW(L"shell32.dll");
    return shell32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell32, name))) : nullptr;
}

} // namespace

HINSTANCE ShellExecute(HWND owner, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                       const wchar_t* folder, int show) {
    using Fn = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int);
    static const Fn fn = Bind<Fn>("ShellExecuteW");
    return fn ? fn(owner, operation, file, parameters, folder, show)
              : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
}

PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* info) {
    using Fn = PIDLIST_ABSOLUTE(WINAPI*)(BROWSEINFOW*);
    static const Fn fn = Bind<Fn>("SHBrowseForFolderW");
    return fn ? fn(info) : nullptr;
}

BOOL GetPathFromIDList(PCIDLIST_ABSOLUTE item, wchar_t* path) {
    using Fn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, wchar_t*);
    static const Fn fn = Bind<Fn>("SHGetPathFromIDListW");
    return fn ? fn(item, path) : FALSE;
}

HRESULT GetSpecialFolderLocation(int folder, PIDLIST_ABSOLUTE* item) {
    using Fn = HRESULT(WINAPI*)(HWND, int, PIDLIST_ABSOLUTE*);
    static const Fn fn = Bind<Fn>("SHGetSpecialFolderLocation");
    return fn ? fn(nullptr, folder, item) : E_NOTIMPL;
}

void ChangeNotify(LONG event, UINT flags, const void* item1, const void* item2) {
    using Fn = void(WINAPI*)(LONG, UINT, const void*, const void*);
    static const Fn fn = Bind<Fn>("SHChangeNotify");
    if (fn) fn(event, flags, item1, item2);
}

} // namespace ui::shell
