#include "manifest.h"

#include "gbk.h"

#include <algorithm>

namespace core {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

std::vector<std::string> ReadManifestLines(std::string_view text) {
    return SplitLines(text.substr(0, text.find('\0')));
}

ManifestEntry ParseManifestLine(std::string_view line) {
    ManifestEntry entry;
    const size_t firstSpace = line.find(' ');
    entry.ResName = std::string(line.substr(0, firstSpace));
    if (firstSpace != std::string_view::npos) {
        const size_t typeEnd = line.find(' ', firstSpace + 1);
        entry.ResType = std::string(
            line.substr(firstSpace + 1, typeEnd == line.npos ? line.npos : typeEnd - firstSpace - 1));
    }
    // 1-based position n + t + 3 is 0-based n + t + 2.
    const size_t pathStart = entry.ResName.size() + entry.ResType.size() + 2;
    if (pathStart < line.size()) entry.RelPath = std::string(line.substr(pathStart));
    return entry;
}

std::string FolderPart(std::string_view relPath) {
    const size_t sep = FindLastSeparator(relPath, "\\:");
    return sep == std::string_view::npos ? std::string() : std::string(relPath.substr(0, sep));
}

std::string RelativePathProblem(std::string_view relPath) {
    if (!relPath.empty() && (relPath.front() == '\\' || relPath.front() == '/'))
        return "starts with a backslash or a slash (an absolute path)";
    const auto isLetter = [](char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); };
    if (relPath.size() >= 2 && isLetter(relPath[0]) && relPath[1] == ':') return "has a drive";
    if (FindLastSeparator(relPath, ":") != std::string_view::npos) return "has a colon";
    int depth = 0;
    for (const std::string& part : SplitAtSeparators(relPath, "\\/")) {
        const bool dotsAndBlanks = !part.empty() && part.find_first_not_of(". ") == std::string::npos;
        const size_t dots = static_cast<size_t>(std::count(part.begin(), part.end(), '.'));
        if (dotsAndBlanks && dots >= 2) {
            if (--depth < 0) return "climbs out of the installation folder with \"..\"";
        } else if (!part.empty() && !dotsAndBlanks) {
            ++depth;
        }
    }
    // The setup makes folders level by level at backslashes, as the manifest separates them: a
    // slash would name a folder it never makes.
    if (relPath.find('/') != std::string_view::npos) return "separates folders with a slash, not a backslash";
    return {};
}

std::string SingleFileNameProblem(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name == "." || name == "..") return "names a folder";
    if (SplitAtSeparators(name, "\\/:").size() > 1) return "holds a backslash, a slash or a colon";
    return {};
}

std::string DesktopLinkNameProblem(std::string_view configured) {
    if (configured.empty() || configured.front() != '\\') return "does not start with a backslash";
    return SingleFileNameProblem(configured.substr(1));
}

} // namespace core
