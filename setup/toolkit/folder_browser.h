#pragma once
// The shell's folder browser, with GBK paths.
#include <windows.h>

#include <optional>
#include <string>

namespace ui {

// The shell's folder browser, owned by `owner`, only file-system folders, starting at `start`
// when that folder exists. The program's other windows are disabled and critical-error boxes are
// suppressed while it is open. Nothing when the user cancels.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start);

} // namespace ui
