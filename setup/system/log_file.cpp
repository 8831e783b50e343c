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

// A log of its own in the user's temporary folder (%TEMP%), named after the time.
std::string LogInTemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    const std::string base = length > 0 && length <= MAX_PATH ? Gbk(folder) : std::string();
    return base + core::DefaultLogFileName(LocalTime());
}

} // namespace

std::unique_ptr<LogFile> LogFile::OpenRequested(const std::optional<std::string>& requested) {
    if (!requested) return std::make_unique<LogFile>();
    if (requested->empty()) return std::make_unique<LogFile>(LogInTemporaryFolder());
    auto log = std::make_unique<LogFile>(*requested);
    if (log->Opened()) return log;
    auto replacement = std::make_unique<LogFile>(LogInTemporaryFolder());
    replacement->Write("The log file asked for (/LOG) could not be opened: " + log->OpenError() +
                       " This log is written in its place.");
    return replacement;
}

LogFile::LogFile(const std::string& path)
    : file_(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
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
