#include "folder_browser.h"

#include "system/com_api.h"
#include "system/file_io.h"
#include "system/shell_api.h"
#include "system/wide.h"

#include <vector>

namespace ui {
namespace {

int CALLBACK PreselectFolder(HWND browser, UINT message, LPARAM, LPARAM start) noexcept {
    if (message == BFFM_INITIALIZED && start) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

BOOL CALLBACK DisableOther(HWND window, LPARAM param) noexcept {
    auto* disabled = reinterpret_cast<std::vector<HWND>*>(param);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start) {
    sys::com::UseOnThisThread();
    const std::wstring wideTitle = sys::Wide(title);
    const std::wstring wideStart = sys::Wide(start);
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = PreselectFolder;
    info.lParam = sys::DirectoryExists(start) ? reinterpret_cast<LPARAM>(wideStart.c_str()) : 0;

    // The owner stays enabled (it is hidden, so it is not among the windows disabled here); once
    // the browser is gone, the window that opened it is active again, not some other program's.
    const HWND opener = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    PIDLIST_ABSOLUTE item = sys::shell::BrowseForFolder(&info);
    SetErrorMode(oldMode);
    for (HWND window : disabled)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    if (opener && IsWindow(opener)) SetForegroundWindow(opener);
    if (!item) return std::nullopt;

    wchar_t path[MAX_PATH] = {};
    const BOOL ok = sys::shell::GetPathFromIDList(item, path);
    sys::com::TaskMemFree(item);
    if (!ok) return std::nullopt;
    return sys::Gbk(path);
}

} // namespace ui
