#include "shell_api.h"

#include "com_api.h"
#include "com_ptr.h"
#include "system_function.h"

#include <exdisp.h>
#include <shldisp.h>
#include <servprov.h>

namespace sys::shell {
namespace {

template <typename Fn> Fn Bind(const char* name) {
    return BindSystemFunction<Fn>(L"shell32.dll", name);
}

} // namespace

HINSTANCE Execute(HWND owner, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
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

namespace {

// The desktop shell's dispatch object. `desktopShell` says whether the system has a desktop shell
// window at all; the dispatch object may still be out of reach where it has.
ComPtr<IShellDispatch2> DesktopShellDispatch(bool& desktopShell) {
    desktopShell = false;
    ComPtr<IShellWindows> windows;
    if (FAILED(
            com::CreateInstance(CLSID_ShellWindows, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.put())))
        return {};
    VARIANT desktop{}; // VT_EMPTY
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT empty{};
    long hwnd = 0;
    ComPtr<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(found.put())) != S_OK)
        return {};
    desktopShell = true;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(found->QueryInterface(IID_IServiceProvider, services.put())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.put()))) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.put())) ||
        FAILED(folderView->get_Application(reinterpret_cast<IDispatch**>(application.put()))) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.put())))
        return {};
    return shell;
}

} // namespace

bool OpenAsDesktopUser(HWND owner, const std::wstring& file, bool mayStartDirectly) {
    com::UseOnThisThread();
    bool desktopShell = false;
    if (ComPtr<IShellDispatch2> shell = DesktopShellDispatch(desktopShell)) {
        BSTR path = com::AllocString(file.c_str());
        VARIANT none{}; // VT_EMPTY
        VARIANT open{};
        open.vt = VT_BSTR;
        open.bstrVal = com::AllocString(L"open");
        VARIANT show{};
        show.vt = VT_I4;
        show.lVal = SW_SHOW;
        const HRESULT hr = shell->ShellExecute(path, none, none, open, show);
        com::FreeString(path);
        com::FreeString(open.bstrVal);
        if (SUCCEEDED(hr)) return true;
    }
    // Started from here, the program would run with setup's elevated rights: only where there is
    // no desktop shell to start it through at all.
    if (desktopShell || !mayStartDirectly) return false;
    (void)Execute(owner, L"open", file.c_str(), L"", L"", SW_SHOW);
    return true;
}

} // namespace sys::shell
