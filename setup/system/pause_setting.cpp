#include "pause_setting.h"

#include <windows.h>

#include <cstring>

namespace sys {

unsigned PauseMilliseconds() {
    constexpr unsigned kDefaultPause = 50;
    HRSRC info = FindResourceW(nullptr, L"SETUP_PAUSE_MS", MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!info || SizeofResource(nullptr, info) != 4) return kDefaultPause;
    const void* bytes = LockResource(LoadResource(nullptr, info));
    if (!bytes) return kDefaultPause;
    unsigned char le[4];
    std::memcpy(le, bytes, 4);
    return le[0] | le[1] << 8 | le[2] << 16 | static_cast<unsigned>(le[3]) << 24;
}

} // namespace sys
