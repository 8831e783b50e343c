#include "shared_flag.h"

#include <cstdint>

namespace {
constexpr wchar_t kSharedFlagName[] = L"{CAF49BBB-AF40-4FDE-8757-51D5AEB5BBBF}";
}

namespace sys {

SharedFlag::SharedFlag() {
    mapping_.reset(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kSharedFlagName));
    if (mapping_) {
        view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
        if (!view_) mapping_.reset();
        return; // an existing block keeps its value
    }
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::int32_t),
                                      kSharedFlagName));
    if (!mapping_) return;
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (view_)
        *static_cast<std::int32_t*>(view_.get()) = 0;
    else
        mapping_.reset();
}

} // namespace sys
