#include "host_description.h"

#include "core/log_line.h"
#include "system/unique_handle.h"
#include "system/wide.h"

#include <windows.h>

#include <optional>

namespace sys {
namespace {

// The version the system really runs: GetVersionEx answers what the manifest claims to know.
std::string WindowsVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!getVersion || getVersion(&info) != 0) return "Windows (version unknown)";
    return "Windows " + std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) +
           " (build " + std::to_string(info.dwBuildNumber) + ")";
}

std::string UserName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    return GetUserNameW(name, &size) ? Gbk(name) : std::string("(unknown)");
}

// True or false as the token says; nothing when it cannot be read.
std::optional<bool> TokenElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
    const UniqueKernelHandle owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return std::nullopt;
    return elevation.TokenIsElevated != 0;
}

const char* Elevation() {
    const std::optional<bool> elevated = TokenElevated();
    return !elevated ? "unknown" : *elevated ? "yes" : "no";
}

int CurrentBias() {
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    if (which == TIME_ZONE_ID_DAYLIGHT) return zone.Bias + zone.DaylightBias;
    if (which == TIME_ZONE_ID_STANDARD) return zone.Bias + zone.StandardBias;
    return zone.Bias;
}

} // namespace

std::string HostDescription() {
    return WindowsVersion() + ", user " + UserName() + ", elevated: " + Elevation() + ", local time " +
           core::UtcOffsetText(CurrentBias());
}

bool RunsElevated() {
    return TokenElevated().value_or(true);
}

} // namespace sys
