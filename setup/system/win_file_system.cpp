#include "win_file_system.h"

#include "system/file_io.h"

#include <windows.h>

namespace sys {

bool WinFileSystem::DirectoryExists(const std::string& path) {
    return sys::DirectoryExists(path);
}
bool WinFileSystem::MakeFolder(const std::string& path) {
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
