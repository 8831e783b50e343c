#include "shell_api.h"
#include "drives.h"

#include "app.h"
#include "com_api.h"
#include "file_io.h"
#include "wide.h"

#include <shlobj.h>

namespace ui {

std::vector<std::string> LogicalDriveRoots() {
    char buffer[105] = {}; // 26 roots of 4 bytes and the closing NUL
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > sizeof buffer) return roots;
    for (const char* p = buffer; *p; p += roots.back().size() + 1)
        roots.emplace_back(p);
    return roots;
}

DiskSpace QueryDiskSpace(const std::string& root) {
    ULARGE_INTEGER freeForUser{}, total{};
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetDiskFreeSpaceExW(Wide(root).c_str(), &freeForUser, &total, nullptr);
    SetErrorMode(oldMode);
    if (!ok) return {};
    return {static_cast<std::int64_t>(total.QuadPart), static_cast<std::int64_t>(freeForUser.QuadPart)};
}

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
    App::Instance().UseCom();
    const std::wstring wideTitle = Wide(title);
    const std::wstring wideStart = Wide(start);
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = PreselectFolder;
    info.lParam = DirectoryExists(start) ? reinterpret_cast<LPARAM>(wideStart.c_str()) : 0;

    // The owner stays enabled (it is hidden, so it is not among the windows disabled here); once
    // the browser is gone, the window that opened it is active again, not some other program's.
    const HWND opener = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    PIDLIST_ABSOLUTE item = shell::BrowseForFolder(&info);
    SetErrorMode(oldMode);
    for (HWND window : disabled)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    if (opener && IsWindow(opener)) SetForegroundWindow(opener);
    if (!item) return std::nullopt;

    wchar_t path[MAX_PATH] = {};
    const BOOL ok = shell::GetPathFromIDList(item, path);
    com::TaskMemFree(item);
    if (!ok) return std::nullopt;
    return Gbk(path);
}

} // namespace ui
