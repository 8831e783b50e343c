// The floor of the extraction figure: reads a payload's files into memory first, then writes the
// same bytes to the same paths below a folder, one write each, making each folder once, and prints
// the milliseconds the writing took. Usage: floor_writer LIST_FILE PAYLOAD_FOLDER TARGET_FOLDER
// (the list: one "size path" a line, UTF-8, paths relative to the payload folder).
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& utf8) {
    std::wstring out(utf8.size() + 1, L'\0');
    out.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), int(out.size())) - 1));
    return out;
}

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(f, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(f);
    return bytes;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    const std::wstring base = std::wstring(argv[2]) + L"\\";
    const std::wstring target = std::wstring(argv[3]) + L"\\";
    std::string list = ReadAll(argv[1]);
    std::vector<std::pair<std::wstring, std::string>> files;
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find('\n', start);
        if (end == std::string::npos) end = list.size();
        const std::string line = list.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        std::wstring rel = Wide(line.substr(line.find(' ') + 1));
        for (wchar_t& c : rel)
            if (c == L'/') c = L'\\';
        files.emplace_back(rel, ReadAll(base + rel));
    }
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    std::set<std::wstring> made; // each folder is made once, when its first file needs it
    for (const auto& [rel, bytes] : files) {
        const std::wstring path = target + rel;
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1)) {
            const std::wstring folder = path.substr(0, slash);
            if (made.insert(folder).second) CreateDirectoryW(folder.c_str(), nullptr);
        }
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        DWORD written = 0;
        if (!bytes.empty()) WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(f);
    }
    QueryPerformanceCounter(&t1);
    std::printf("%.1f\n", 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(frequency.QuadPart));
    return 0;
}
