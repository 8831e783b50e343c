#include "installation_log.h"

namespace install {

bool LoggedFileSystem::MakeFolder(const std::string& path) {
    const bool made = files_.MakeFolder(path);
    if (made) log_.Write("Folder made: " + path);
    return made;
}

void LoggedFileSystem::WriteFile(const std::string& path, const Content& content) {
    unsigned long long size = 0;
    files_.WriteFile(path, [&](const ByteSink& sink) {
        content([&](std::string_view piece) {
            size += piece.size();
            sink(piece);
        });
    });
    log_.Write("File written: " + path + " (" + std::to_string(size) + " bytes)");
}

} // namespace install
