#pragma once
// The rules of the installation-folder page: the default folder, the drive grid's numbers and the
// folder taken from the folder browser.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// "X:\Program Files\" + DirName + "\" on the first of D:, E:, C: that the drive roots hold
// (ignoring case); nothing when none of them is there.
std::optional<std::string> DefaultSetupDir(const std::vector<std::string>& driveRoots,
                                           const std::string& dirName);

// Bytes as gigabytes: divided three times by 1024.
double BytesToGb(std::int64_t bytes);
// One decimal from 10 up, two below, a point as separator, then " GB".
std::string FormatGb(double gb);
// The remaining-space column from the free-space column's text: the number before its first blank
// less 0.019, as " <n> GB"; empty when the free space is not positive.
std::string RemainingSpaceText(const std::string& freeSpaceText);

struct BrowsedFolder {
    bool refused;         // a desktop or user folder: warn, then take the default instead
    std::string editPath; // what goes into the folder edit box
};
// What a folder chosen in the folder browser becomes. driveCount is the number of drive roots.
BrowsedFolder FolderFromBrowser(const std::string& chosen, const std::string& dirName, size_t driveCount);

// The warning shown for a refused folder.
std::string DesktopFolderWarning();
// The notice when none of the drives the default folder may be on is there.
std::string NoDefaultDriveNotice();

// Why a typed installation folder cannot be used (empty when it can): every target path is formed
// by appending to it, so it must be absolute, with a drive ("D:\...") or as a network path
// ("\\server\share...").
std::string InstallFolderProblem(const std::string& folder);
// The folder with a trailing backslash, added when a typed folder lacks one.
std::string CompletedInstallFolder(const std::string& folder);
// Whether two installation folders are the same as Windows names them: ASCII letters in any case,
// a trailing backslash or none; double-byte characters compare byte for byte.
bool SameFolder(const std::string& a, const std::string& b);
// Every folder on the path below its root, from the top down: "C:\a\b\" gives "C:\a" and "C:\a\b";
// "\\server\share\a" gives "\\server\share\a". The root itself (the drive, the share) is none of them.
std::vector<std::string> FolderLevels(const std::string& folder);

} // namespace core
