#pragma once
// The installation log as the installation sees it, and the file system that tells it each file
// written, with its size, and each folder made.
#include "engine/installation.h"

#include <string>

namespace install {

class InstallationLog {
  public:
    virtual ~InstallationLog() = default;
    // One entry (GBK). Never raises: a log that cannot be written does not stop the installation.
    virtual void Write(const std::string& text) = 0;
};

// Passes everything on to the file system it wraps and logs what that did.
class LoggedFileSystem : public FileSystem {
  public:
    LoggedFileSystem(FileSystem& files, InstallationLog& log) : files_(files), log_(log) {}
    bool DirectoryExists(const std::string& path) override { return files_.DirectoryExists(path); }
    bool MakeFolder(const std::string& path) override;
    std::string FolderFailure() const override { return files_.FolderFailure(); }
    using FileSystem::WriteFile;
    void WriteFile(const std::string& path, const Content& content) override;
    std::string ReadFile(const std::string& path) override { return files_.ReadFile(path); }

  private:
    FileSystem& files_;
    InstallationLog& log_;
};

} // namespace install
