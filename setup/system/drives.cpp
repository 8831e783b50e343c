#include "drives.h"

#include "wide.h"

namespace sys {

std::vector<std::string> LogicalDriveRoots() {
    char buffer[105] = {}; // 26 roots of 4 bytes and the closing NUL
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > sizeof buffer) return roots;
    for (const char* p = buffer; *p; p += roots.back().size() + 1)
        roots.emplace_back(p);
    return roots;
}

DiskSpace QueryDiskSpace(const std::string& root) {
    ULARGE_INTEGER freeForUser{}, total{};
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetDiskFreeSpaceExW(Wide(root).c_str(), &freeForUser, &total, nullptr);
    SetErrorMode(oldMode);
    if (!ok) return {};
    return {static_cast<std::int64_t>(total.QuadPart), static_cast<std::int64_t>(freeForUser.QuadPart)};
}

} // namespace sys
