// The manifest reader and line parser, the folder part, the relative-path rule and the label rule
// on arbitrary bytes: no crash, the parts of a line always come from the line, and every path the
// relative-path rule accepts stays inside the installation folder as Windows resolves it.
#include "core/gbk.h"
#include "core/manifest.h"
#include "engine/installation.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// How deep below the installation folder the path ends up, resolved the way Windows resolves it
// once the bytes are characters: "\" and "/" both separate, blanks at the end of a part are
// dropped, "." stays and ".." climbs. -1 once it has left the folder at any point.
int ResolvedDepth(const std::string& relPath) {
    int depth = 0;
    for (std::string part : core::SplitAtSeparators(relPath, "\\/")) {
        while (!part.empty() && part.back() == ' ')
            part.pop_back();
        if (part == "..") {
            if (--depth < 0) return -1;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
    }
    return depth;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : core::ReadManifestLines(text)) {
        const core::ManifestEntry entry = core::ParseManifestLine(line);
        if (entry.ResName.size() + entry.ResType.size() + entry.RelPath.size() > line.size()) std::abort();
        const std::string folder = core::FolderPart(entry.RelPath);
        if (folder.size() > entry.RelPath.size()) std::abort();
        if (core::RelativePathProblem(entry.RelPath).empty()) {
            const std::string& path = entry.RelPath;
            if (!path.empty() && (path[0] == '\\' || path[0] == '/')) std::abort();
            if (path.find(':') != std::string::npos &&
                core::FindLastSeparator(path, ":") != std::string::npos)
                std::abort();
            if (ResolvedDepth(path) < 0) std::abort(); // accepted, yet it leaves the folder
        }
        (void)install::TargetLabel(folder, entry.RelPath);
    }
    return 0;
}
