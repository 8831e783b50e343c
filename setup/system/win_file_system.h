#pragma once
// The installation's file system: the real one, through the wide API.
#include "engine/installation.h"

#include <set>
#include <string>

namespace sys {

class WinFileSystem : public install::FileSystem {
  public:
    // Files are written at or below `installFolder`, never through a link someone made there.
    explicit WinFileSystem(std::string installFolder) : installFolder_(std::move(installFolder)) {}
    bool DirectoryExists(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    std::string FolderFailure() const override { return folderFailure_; }
    using install::FileSystem::WriteFile;
    void WriteFile(const std::string& path, const Content& content) override;
    std::string ReadFile(const std::string& path) override;

  private:
    std::string installFolder_;
    std::string folderFailure_;
    std::set<std::string> checkedFolders_; // found to be no link: a folder is looked at once
    std::wstring folderFinalPath_;         // the folder's own final path, once its levels were looked at
};

} // namespace sys
