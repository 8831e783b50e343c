#pragma once
// The installation log file (/LOG=): UTF-8 with a byte-order mark, CR LF line ends, the local time
// on each line. It is written line by line and never stops the installation: an entry that cannot
// be written is counted and the count is logged with the next entry that can be.
#include "engine/installation_log.h"
#include "system/unique_handle.h"

#include <memory>
#include <optional>
#include <string>

namespace sys {

class LogFile : public install::InstallationLog {
  public:
    LogFile() = default; // no log: entries go nowhere
    // Replaces the file, or with Opening::New makes it only where none is (a log named after the
    // time never replaces another setup's). Opened for reading by others only, so that a second
    // setup given the same file cannot overwrite it. When it cannot be opened, OpenError() says why.
    enum class Opening { Replace, New };
    explicit LogFile(const std::string& path, Opening opening = Opening::Replace);
    bool Opened() const { return static_cast<bool>(file_); }
    const std::string& OpenError() const { return openError_; }
    void Write(const std::string& text) override;

    // The log a command line asks for: none without /LOG; the given file; with an empty name a
    // file of its own in the user's temporary folder. A file that cannot be opened is replaced by
    // one in the temporary folder, whose first entry says why: an administrator who asked for a
    // log always finds one.
    static std::unique_ptr<LogFile> OpenRequested(const std::optional<std::string>& requested);

  private:
    bool WriteBytes(const std::string& bytes);
    UniqueFileHandle file_;
    std::string openError_;
    unsigned lostEntries_ = 0;
};

} // namespace sys
