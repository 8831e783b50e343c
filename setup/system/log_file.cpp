#include "log_file.h"

#include "core/log_line.h"
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

LogFile::LogFile(const std::string& path, Opening opening)
    : file_(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        opening == Opening::Replace ? CREATE_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
    if (!file_) {
        openError_ = "Cannot create file \"" + path + "\". " + SystemErrorText(GetLastError());
        return;
    }
    if (!WriteBytes("\xEF\xBB\xBF")) ++lostEntries_;
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
