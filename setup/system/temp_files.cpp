#include "temp_files.h"

#include "core/profile.h"
#include "core/setup_error.h"
#include "engine/installation.h"
#include "system/file_io.h"
#include "system/wide.h"

#include <array>

namespace sys {

std::string TempFolder() {
    wchar_t windowsDir[255] = {};
    GetWindowsDirectoryW(windowsDir, 255);
    std::string path = Gbk(windowsDir) + "\\Temp";
    if (!DirectoryExists(path)) (void)CreateOneDirectory(path);
    return path + "\\";
}

void WriteTempFiles(const core::PayloadStore& payload, const std::string& tempDir) {
    std::array<std::string, std::size(kTempFiles)> contents;
    for (size_t i = 0; i < contents.size(); ++i)
        contents[i] = payload.GetUnpacked(kTempFiles[i].resName, kTempFiles[i].resType);
    for (size_t i = 0; i < contents.size(); ++i)
        sys::WriteNewFile(tempDir + kTempFiles[i].fileName, contents[i]);
}

void DeleteTempFiles(const std::string& tempDir) {
    for (const TempFile& file : kTempFiles) {
        const std::string path = tempDir + file.fileName;
        if (sys::FileExists(path)) (void)sys::DeleteOneFile(path);
    }
}

std::string ReadTempFile(const core::PayloadStore& payload, const std::string& tempDir,
                         const TempFile& file) {
    const std::string path = tempDir + file.fileName;
    std::string text = ReadWholeFile(path);
    install::RequireUnchanged(path, text, payload.GetUnpacked(file.resName, file.resType));
    return text;
}

std::string ReadConfigValue(const core::PayloadStore& payload, const std::string& tempDir,
                            const std::string& section, const std::string& key) {
    const std::string path = tempDir + kConfigFile.fileName;
    if (!FileExists(path)) return {};
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const core::SetupError&) {
        return {}; // an unreadable file reads as empty, like a missing one
    }
    install::RequireUnchanged(path, text, payload.GetUnpacked(kConfigFile.resName, kConfigFile.resType));
    return core::ProfileString(text, section, key);
}

} // namespace sys
