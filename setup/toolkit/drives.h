#pragma once
// The system's drives and folder browser, with GBK paths.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The drive roots (such as "C:\") in the system's order, every drive type included.
std::vector<std::string> LogicalDriveRoots();

struct DiskSpace {
    std::int64_t total = -1; // negative when the query failed (a drive without medium)
    std::int64_t freeForUser = -1;
};
DiskSpace QueryDiskSpace(const std::string& root);

// The shell's folder browser, owned by `owner`, only file-system folders, starting at `start`
// when that folder exists. The program's other windows are disabled and critical-error boxes are
// suppressed while it is open. Nothing when the user cancels.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start);

} // namespace ui
