#pragma once
// Whole-file reads and writes on GBK paths. Failures raise SetupError with the toolkit's texts.
#include "system/unique_handle.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace sys {

// The system's description of an error code, as GBK text without a trailing line end.
std::string SystemErrorText(unsigned long code);

// Writes the bytes as the whole file, for a file in a folder that others may write to: whatever stands under
// the name (a file or a link someone planted) is replaced by a file created anew, never written through.
// Fails rather than write anywhere else.
void WriteNewFile(const std::string& path, std::string_view bytes);

// Creates or empties the file and writes the bytes in one write, for a file at or below `folder` (the
// installation folder), which someone else may have made before setup ran: nothing is written through a link.
// The folder, every level above it up to the drive's root, every folder between it and the file,
// and the file itself must not be a junction or symbolic link (the error names the path); a file
// with other hard links is deleted and created anew, so that the bytes do not land in the other
// names' file too. Raises "Cannot create file "%s". %s" or "Stream write error".
// `checkedFolders`, where given, holds the folders found to be no link already: each is looked at once.
void WriteFileBelow(const std::string& folder, const std::string& path, std::string_view bytes,
                    std::set<std::string>* checkedFolders = nullptr);
// As above, with the bytes handed over piece by piece. When the content raises an error of its own
// (not the disk's), the half-written file is deleted and the error passes on.
using ByteSink = std::function<void(std::string_view)>;
using FileContent = std::function<void(const ByteSink&)>;
// `folderFinalPath`, where given, is the folder's final path (the system's own name for it), taken
// when it is empty: a file opened below the folder must lie under it, so that a folder on the way
// turned into a link since its check is found at the write itself.
void WriteFileBelow(const std::string& folder, const std::string& path, const FileContent& content,
                    std::set<std::string>* checkedFolders = nullptr, std::wstring* folderFinalPath = nullptr);
// The file opened for writing and emptied, under the same rules as WriteFileBelow; others may open
// it as `share` allows (by default not at all while it is open).
UniqueFileHandle OpenEmptiedBelow(const std::string& folder, const std::string& path,
                                  std::set<std::string>* checkedFolders = nullptr, unsigned long share = 0,
                                  std::wstring* folderFinalPath = nullptr);
// Raises "Cannot create file "%s". %s" when the folder, a level above it up to the drive's root, a
// folder between it and the file, or the file, is a junction or symbolic link.
void RequireNoLinkBelow(const std::string& folder, const std::string& path,
                        std::set<std::string>* checkedFolders = nullptr);

// The largest file ReadWholeFile reads: far more than any text of the setup's or any settings file.
constexpr long long kLargestTextFile = 16LL * 1024 * 1024;

// Raises "Cannot open file "%s". %s", or an error naming the file when it is larger than
// kLargestTextFile.
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// The system's own name for a folder (its final path), found by opening it; empty where it cannot
// be told.
std::wstring FolderFinalPath(const std::string& folder);
bool CreateOneDirectory(const std::string& path);
// As CreateOneDirectory, for a folder below `folder` whose final path was `folderFinalPath` when its
// levels were looked at: a folder made where a link since led is removed again, and the error
// "Cannot create file "%s". ..." raised.
bool CreateOneDirectoryBelow(const std::string& folder, const std::string& path,
                             const std::wstring& folderFinalPath);
bool DeleteOneFile(const std::string& path);

} // namespace sys
