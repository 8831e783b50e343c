#include "temp_files.h"

#include "toolkit/file_io.h"

#include <array>

namespace backdrop {

void WriteTempFiles(const core::PayloadStore& payload, const std::string& tempDir) {
    std::array<std::string_view, std::size(kTempFiles)> contents;
    for (size_t i = 0; i < contents.size(); ++i)
        contents[i] = payload.Get(kTempFiles[i].resName, kTempFiles[i].resType);
    for (size_t i = 0; i < contents.size(); ++i)
        ui::WriteNewFile(tempDir + kTempFiles[i].fileName, contents[i]);
}

void DeleteTempFiles(const std::string& tempDir) {
    for (const TempFile& file : kTempFiles) {
        const std::string path = tempDir + file.fileName;
        if (ui::FileExists(path)) (void)ui::DeleteOneFile(path);
    }
}

} // namespace backdrop
