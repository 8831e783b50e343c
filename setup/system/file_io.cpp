#include "file_io.h"

#include "unique_handle.h"
#include "wide.h"
#include "core/gbk.h"
#include "core/install_location.h"
#include "core/setup_error.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <vector>

namespace sys {

std::string SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return Gbk(text);
}

namespace {

// Creates the file; the handle is invalid, with the system's last error kept, when it cannot.
UniqueFileHandle CreateForWriting(const std::string& path, DWORD disposition, DWORD flags, DWORD share = 0) {
    const std::wstring widePath = Wide(path);
    if (widePath.size() >= MAX_PATH) { // a longer path would be cut, and the bytes land elsewhere
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return UniqueFileHandle();
    }
    return UniqueFileHandle(CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                        disposition, FILE_ATTRIBUTE_NORMAL | flags, nullptr));
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, const std::string& reason) {
    throw core::SetupError("Cannot create file \"" + path + "\". " + reason);
}

[[noreturn]] void RaiseUnsafe(const std::string& path, const std::string& reason) {
    throw core::UnsafeTargetError("Cannot create file \"" + path + "\". " + reason);
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, DWORD reason) {
    RaiseCannotCreate(path, reason == ERROR_FILENAME_EXCED_RANGE ? std::string("The path is too long.")
                                                                 : SystemErrorText(reason));
}

// The system's own name for an open file or folder, without the "\\?\" prefix.
std::wstring FinalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length + 1);
    }
    if (path.compare(0, 4, L"\\\\?\\") == 0) path.erase(0, 4);
    return path;
}

// A file or folder opened only to ask the system about it (its final path), sharing everything.
UniqueFileHandle OpenToLookAt(const std::wstring& name) {
    return UniqueFileHandle(CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Whether the open file is the file of that name in that folder, not one a link led to: its final
// path is its folder's final path and its own name. Where either cannot be told, it counts as
// itself (the link checks by attribute still hold).
bool OpensItself(const UniqueFileHandle& file, const std::string& path) {
    const std::wstring widePath = Wide(path);
    const size_t separator = widePath.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return true;
    // A drive's root keeps its backslash: "C:" alone names the drive's current folder.
    std::wstring folderName = widePath.substr(0, separator);
    if (!folderName.empty() && folderName.back() == L':') folderName += L'\\';
    const UniqueFileHandle folder = OpenToLookAt(folderName);
    if (!folder) return true;
    std::wstring folderPath = FinalPath(folder.get());
    const std::wstring filePath = FinalPath(file.get());
    if (folderPath.empty() || filePath.empty()) return true;
    if (folderPath.back() != L'\\') folderPath += L'\\';
    const std::wstring expected = folderPath + widePath.substr(separator + 1);
    return CompareStringOrdinal(expected.c_str(), -1, filePath.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Whether what the handle opened lies where `path` says below `folder`, measured against the
// folder's final path as it was when its levels were looked at: a folder on the way that became a
// link since leads the handle elsewhere. Where either final path cannot be told, it counts as there.
bool LiesBelow(HANDLE opened, const std::wstring& folderFinal, const std::string& folder,
               const std::string& path, std::wstring* actual) {
    *actual = FinalPath(opened);
    if (folderFinal.empty() || actual->empty() || path.compare(0, folder.size(), folder) != 0) return true;
    std::wstring expected = folderFinal;
    if (expected.back() != L'\\') expected += L'\\';
    std::wstring rest = Wide(path.substr(folder.size()));
    std::replace(rest.begin(), rest.end(), L'/', L'\\');
    while (!rest.empty() && rest.front() == L'\\')
        rest.erase(0, 1);
    expected += rest;
    while (expected.size() > 3 && expected.back() == L'\\')
        expected.pop_back();
    return CompareStringOrdinal(expected.c_str(), -1, actual->c_str(), -1, TRUE) == CSTR_EQUAL;
}

constexpr char kLinkedSince[] = "A folder on its way became a junction or symbolic link while setup ran; "
                                "setup writes nothing through it.";

bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void WriteAll(const UniqueFileHandle& file, std::string_view bytes) {
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        throw core::SetupError("Stream write error", SystemErrorText(GetLastError()));
}

} // namespace

std::wstring FolderFinalPath(const std::string& folder) {
    std::wstring name = Wide(folder);
    while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/'))
        name.pop_back();
    const UniqueFileHandle handle = OpenToLookAt(name);
    return handle ? FinalPath(handle.get()) : std::wstring();
}

void RequireNoLinkBelow(const std::string& folder, const std::string& path, std::set<std::string>* checked) {
    const auto check = [&](const std::string& at) {
        if (checked && checked->count(at)) return;
        if (IsLink(at))
            RaiseUnsafe(path,
                        "\"" + at + "\" is a junction or symbolic link; setup writes nothing through it.");
        if (checked) checked->insert(at);
    };
    // The folder and every level above it up to the drive's root: a link anywhere on the path leads
    // the writes elsewhere just as well.
    for (const std::string& level : core::FolderLevels(folder))
        check(level);
    std::string current = folder;
    if (!current.empty() && core::FindLastSeparator(current, "\\/") == current.size() - 1) current.pop_back();
    if (path.compare(0, folder.size(), folder) != 0) return;
    std::vector<std::string> parts =
        core::SplitAtSeparators(std::string_view(path).substr(folder.size()), "\\/");
    parts.pop_back(); // the file itself is looked at when it is opened
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        current += "\\" + part;
        check(current);
    }
}

void WriteFileBelow(const std::string& folder, const std::string& path, std::string_view bytes,
                    std::set<std::string>* checkedFolders) {
    WriteFileBelow(
        folder, path, [bytes](const ByteSink& sink) { sink(bytes); }, checkedFolders);
}

UniqueFileHandle OpenEmptiedBelow(const std::string& folder, const std::string& path,
                                  std::set<std::string>* checkedFolders, unsigned long share,
                                  std::wstring* folderFinalPath) {
    RequireNoLinkBelow(folder, path, checkedFolders);
    // Taken once, right after the folder's levels were found to be no links: the measure for every
    // file opened below it later.
    if (folderFinalPath && folderFinalPath->empty()) *folderFinalPath = FolderFinalPath(folder);
    const char kFileIsLink[] = "It is a junction or symbolic link; setup writes nothing through it.";
    // Looked at by name first as well: not every system opens the link itself when asked to.
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RaiseUnsafe(path, kFileIsLink);
    UniqueFileHandle file;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Made anew, which fails where anything stands under the name, a dangling link included.
        file = CreateForWriting(path, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT, share);
        if (!file) RaiseCannotCreate(path, GetLastError());
        std::wstring actual;
        if (folderFinalPath && !LiesBelow(file.get(), *folderFinalPath, folder, path, &actual)) {
            file.reset();
            (void)DeleteFileW(actual.c_str()); // made by this call, where the link led: taken back
            RaiseUnsafe(path, kLinkedSince);
        }
    } else {
        file = CreateForWriting(path, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, share);
        if (!file) RaiseCannotCreate(path, GetLastError());
        if (!OpensItself(file, path)) RaiseUnsafe(path, kFileIsLink);
        std::wstring actual;
        if (folderFinalPath && !LiesBelow(file.get(), *folderFinalPath, folder, path, &actual)) {
            file.reset(); // another's file, left as it was
            RaiseUnsafe(path, kLinkedSince);
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileInformationByHandle(file.get(), &info)) {
            if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                file.reset();
                RaiseUnsafe(path, kFileIsLink);
            }
            if (info.nNumberOfLinks > 1) {
                // The other names keep the old bytes; this one gets a file of its own.
                file.reset();
                if (!DeleteFileW(Wide(path).c_str())) RaiseCannotCreate(path, GetLastError());
                file = CreateForWriting(path, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT, share);
                if (!file) RaiseCannotCreate(path, GetLastError());
            }
        }
        if (!SetEndOfFile(file.get())) RaiseCannotCreate(path, GetLastError()); // at its start: emptied
    }
    return file;
}

void WriteFileBelow(const std::string& folder, const std::string& path, const FileContent& content,
                    std::set<std::string>* checkedFolders, std::wstring* folderFinalPath) {
    UniqueFileHandle file = OpenEmptiedBelow(folder, path, checkedFolders, 0, folderFinalPath);
    bool writeFailed = false;
    try {
        content([&](std::string_view piece) {
            writeFailed = true;
            WriteAll(file, piece);
            writeFailed = false;
        });
    } catch (...) {
        // A file whose content could not be made is not left behind half-written; one that the
        // disk refused stays as far as it got, as any program's would.
        if (!writeFailed) {
            file.reset();
            (void)DeleteFileW(Wide(path).c_str());
        }
        throw;
    }
}

void WriteNewFile(const std::string& path, std::string_view bytes) {
    // Written under a name no one could have prepared (made anew, never opened through a link),
    // then renamed over whatever stands under the name: a rename replaces a planted link itself
    // and never touches what it points to.
    for (unsigned attempt = 0;; ++attempt) {
        const std::string fresh =
            path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".new";
        UniqueFileHandle file = CreateForWriting(fresh, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT);
        if (!file) {
            const DWORD reason = GetLastError();
            if (reason == ERROR_FILE_EXISTS && attempt < 16) continue; // someone took that name
            RaiseCannotCreate(path, reason);
        }
        try {
            WriteAll(file, bytes);
        } catch (...) {
            file.reset();
            (void)DeleteFileW(Wide(fresh).c_str());
            throw;
        }
        file.reset();
        if (MoveFileExW(Wide(fresh).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING)) return;
        const DWORD reason = GetLastError();
        (void)DeleteFileW(Wide(fresh).c_str());
        RaiseCannotCreate(path, reason);
    }
}

std::string ReadWholeFile(const std::string& path) {
    UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw core::SetupError("Cannot open file \"" + path + "\". " + SystemErrorText(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        throw core::SetupError("Cannot open file \"" + path + "\". " + SystemErrorText(GetLastError()));
    // Every file read whole is a text of the setup's or the application's settings, kilobytes long:
    // a larger one is refused before any memory is taken for it.
    if (size.QuadPart > kLargestTextFile)
        throw core::SetupError("The file \"" + path + "\" is larger than " +
                               std::to_string(kLargestTextFile / (1024 * 1024)) +
                               " MB; setup reads no text file that large");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        throw core::SetupError("Cannot open file \"" + path + "\". " + SystemErrorText(GetLastError()));
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateOneDirectory(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

bool CreateOneDirectoryBelow(const std::string& folder, const std::string& path,
                             const std::wstring& folderFinalPath) {
    if (!CreateOneDirectory(path)) return false;
    const DWORD made = GetLastError();
    UniqueFileHandle handle = OpenToLookAt(Wide(path));
    std::wstring actual;
    if (handle && !LiesBelow(handle.get(), folderFinalPath, folder, path, &actual)) {
        handle.reset();
        (void)RemoveDirectoryW(actual.c_str()); // made by this call, where the link led: taken back
        RaiseUnsafe(path, kLinkedSince);
    }
    SetLastError(made);
    return true;
}

bool DeleteOneFile(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}

} // namespace sys
