#include "log_file.h"

#include "core/log_line.h"
#include "system/file_io.h"
#include "system/wide.h"

namespace sys {

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
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const core::LogTime time{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                             now.wMinute, now.wSecond, now.wMilliseconds};
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
