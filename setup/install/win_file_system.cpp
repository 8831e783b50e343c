#include "win_file_system.h"

#include "toolkit/file_io.h"

namespace install {

bool WinFileSystem::DirectoryExists(const std::string& path) {
    return ui::DirectoryExists(path);
}
bool WinFileSystem::MakeFolder(const std::string& path) {
    return ui::CreateOneDirectory(path);
}
void WinFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    ui::WriteFileBelow(installFolder_, path, bytes, &checkedFolders_);
}
std::string WinFileSystem::ReadFile(const std::string& path) {
    return ui::ReadWholeFile(path);
}

} // namespace install
