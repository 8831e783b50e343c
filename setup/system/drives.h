#pragma once
// The system's drives, with GBK paths.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// The drive roots (such as "C:\") in the system's order, every drive type included.
std::vector<std::string> LogicalDriveRoots();

struct DiskSpace {
    std::int64_t total = -1; // negative when the query failed (a drive without medium)
    std::int64_t freeForUser = -1;
};
DiskSpace QueryDiskSpace(const std::string& root);

} // namespace sys
