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
    // Below the installation folder, once its levels were found to be no links: the measure for
    // every folder and file made below it, so that a level turned into a link since is found.
    if (folderFinalPath_.empty() && path.size() > installFolder_.size() &&
        path.compare(0, installFolder_.size(), installFolder_) == 0)
        folderFinalPath_ = sys::FolderFinalPath(installFolder_);
    if (sys::CreateOneDirectoryBelow(installFolder_, path, folderFinalPath_)) return true;
    folderFailure_ = sys::SystemErrorText(GetLastError());
    return false;
}
void WinFileSystem::WriteFile(const std::string& path, const Content& content) {
    sys::WriteFileBelow(installFolder_, path, content, &checkedFolders_, &folderFinalPath_);
}
std::string WinFileSystem::ReadFile(const std::string& path) {
    return sys::ReadWholeFile(path);
}

} // namespace sys
