#include "win_file_system.h"

#include "core/gbk.h"
#include "system/file_io.h"

#include <windows.h>

namespace sys {

bool WinFileSystem::DirectoryExists(const std::string& path) {
    return sys::DirectoryExists(path);
}
bool WinFileSystem::MakeFolder(const std::string& path) {
    // Nothing is made through a link either: not the installation folder below a linked level.
    const size_t separator = core::FindLastSeparator(path, "\\");
    if (separator != std::string::npos)
        sys::RequireNoLinkBelow(path.substr(0, separator + 1), path, &checkedFolders_);
    if (sys::CreateOneDirectory(path)) return true;
    folderFailure_ = sys::SystemErrorText(GetLastError());
    return false;
}
void WinFileSystem::WriteFile(const std::string& path, const Content& content) {
    sys::WriteFileBelow(installFolder_, path, content, &checkedFolders_);
}
std::string WinFileSystem::ReadFile(const std::string& path) {
    return sys::ReadWholeFile(path);
}

} // namespace sys
