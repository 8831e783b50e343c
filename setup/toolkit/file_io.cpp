#include "file_io.h"

#include "unique_handle.h"
#include "wide.h"
#include "core/setup_error.h"

#include <windows.h>

namespace ui {

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

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw core::SetupError("Cannot create file \"" + path + "\". " + SystemErrorText(GetLastError()));
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        throw core::SetupError("Stream write error");
}

std::string ReadWholeFile(const std::string& path) {
    UniqueFileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw core::SetupError("Cannot open file \"" + path + "\". " + SystemErrorText(GetLastError()));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
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

bool DeleteOneFile(const std::string& path) {
    return DeleteFileW(Wide(path).c_str()) != 0;
}

} // namespace ui
