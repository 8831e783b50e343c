#pragma once
// The payload manifest: one entry a line, "name type relative-path", GBK.
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Lines end at CR LF, a lone CR or a lone LF; a line end at the very end yields no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The manifest's lines: as SplitLines, reading stops at the first NUL.
std::vector<std::string> ReadManifestLines(std::string_view text);

struct ManifestEntry {
    std::string ResName;
    std::string ResType;
    std::string RelPath;
};

// Takes a line apart at its first two spaces. Never fails: a malformed line gives empty fields.
ManifestEntry ParseManifestLine(std::string_view line);

// The bytes of RelPath before its last backslash or colon (a 0x5C trail byte does not count).
std::string FolderPart(std::string_view relPath);

// Why a relative path could reach outside the installation folder: it starts with a backslash or a
// slash (an absolute or network path), has a drive or a colon (an alternate data stream), or climbs
// out with "..". Windows takes "/" as a separator as it takes "\", so both separate here, and a
// part made only of dots and blanks with two dots or more counts as ".." (Windows drops trailing
// dots and blanks). A path that stays inside but separates folders with a slash is refused too: the
// setup makes folders at backslashes only. Empty when it can be used. The setup and the builder
// share this rule.
std::string RelativePathProblem(std::string_view relPath);

// Why a name is not a single file name: it is empty, "." or "..", or holds a backslash, a slash or
// a colon (a drive or a stream). Empty when it is one.
std::string SingleFileNameProblem(std::string_view name);

// Why the configured desktop link name would not name a file in the desktop folder. It is appended
// to the folder's path, which has no closing backslash, so it is one backslash followed by a single
// file name ("\Velmorav2.8.0(m).lnk").
std::string DesktopLinkNameProblem(std::string_view configured);

} // namespace core
