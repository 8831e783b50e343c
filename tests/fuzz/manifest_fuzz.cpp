// The manifest reader and line parser, the folder part, the relative-path rule and the label rule
// on arbitrary bytes: no crash, and the parts of a line always come from the line.
#include "core/manifest.h"
#include "install/installation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : core::ReadManifestLines(text)) {
        const core::ManifestEntry entry = core::ParseManifestLine(line);
        if (entry.ResName.size() + entry.ResType.size() + entry.RelPath.size() > line.size()) std::abort();
        const std::string folder = core::FolderPart(entry.RelPath);
        if (folder.size() > entry.RelPath.size()) std::abort();
        (void)core::RelativePathProblem(entry.RelPath);
        (void)install::TargetLabel(folder, entry.RelPath);
    }
    return 0;
}
