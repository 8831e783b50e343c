#include "log_file.h"

#include "core/gbk.h"
#include "core/log_line.h"
#include "core/setup_error.h"
#include "system/file_io.h"
#include "system/wide.h"

namespace sys {
namespace {

core::LogTime LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

// A log of its own in the user's temporary folder (%TEMP%), named after the time. Two setups
// started in the same second (a second one is refused, and must say so somewhere) take the next
// free name: "...-055229-2.log".
std::unique_ptr<LogFile> LogInTemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    const std::string base = (length > 0 && length <= MAX_PATH ? Gbk(folder) : std::string()) +
                             core::DefaultLogFileName(LocalTime());
    const std::string stem = base.substr(0, base.size() - 4); // without ".log"
    auto log = std::make_unique<LogFile>(base, LogFile::Opening::New);
    for (int attempt = 2; !log->Opened() && attempt <= 9; ++attempt)
        log = std::make_unique<LogFile>(stem + "-" + std::to_string(attempt) + ".log", LogFile::Opening::New);
    return log;
}

// The path as the system would resolve it: a relative one against the current folder, whose levels
// are then looked at as well.
std::string FullPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return Gbk(full);
}

} // namespace

std::unique_ptr<LogFile> LogFile::OpenRequested(const std::optional<std::string>& requested) {
    if (!requested) return std::make_unique<LogFile>();
    if (requested->empty()) return LogInTemporaryFolder();
    auto log = std::make_unique<LogFile>(*requested);
    if (log->Opened()) return log;
    auto replacement = LogInTemporaryFolder();
    replacement->Write("The log file asked for (/LOG) could not be opened: " + log->OpenError() +
                       " This log is written in its place.");
    return replacement;
}

LogFile::LogFile(const std::string& path, Opening opening) {
    if (opening == Opening::New) {
        // Made anew only: nothing that stands under the name, a link included, is ever opened.
        file_.reset(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) openError_ = "Cannot create file \"" + path + "\". " + SystemErrorText(GetLastError());
    } else {
        // Opened as the installation's own files are: never through a link on its path or a link
        // planted under its name, and a file with other names gets a file of its own.
        const std::string fullPath = FullPath(path);
        const size_t separator = core::FindLastSeparator(fullPath, "\\/");
        try {
            file_ = OpenEmptiedBelow(fullPath.substr(0, separator == std::string::npos ? 0 : separator + 1),
                                     fullPath, nullptr, FILE_SHARE_READ);
        } catch (const core::SetupError& e) {
            openError_ = e.what();
        }
    }
    if (file_ && !WriteBytes("\xEF\xBB\xBF")) ++lostEntries_;
}

void LogFile::Write(const std::string& text) {
    if (!file_) return;
    const core::LogTime time = LocalTime();
    std::string entry;
    if (lostEntries_ > 0)
        entry = core::LogLines(time, std::to_string(lostEntries_) + " log entries could not be written");
    entry += core::LogLines(time, text);
    if (WriteBytes(Utf8(Wide(entry))))
        lostEntries_ = 0;
    else
        ++lostEntries_;
}

bool LogFile::WriteBytes(const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace sys
