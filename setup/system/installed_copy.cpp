#include "installed_copy.h"

#include "system/file_io.h"
#include "system/registry.h"

#include <windows.h>

namespace sys {

std::optional<InstalledCopy> FindInstalledCopy() {
    InstalledCopy copy;
    {
        Registry registry;
        (void)registry.OpenKey("Software\\VLMRA\\Shell\\Serial");
        copy.serial = registry.ReadString("Serial");
        registry.CloseKey();
        (void)registry.OpenKey("Software\\VLMRA\\Shell\\PathName");
        copy.folder = registry.ReadString("Path");
    }
    if (copy.serial.empty() || copy.folder.empty()) return std::nullopt;
    // The name is fixed: an earlier installation is recognised by its main executable.
    if (!FileExists(copy.folder + "VLMR.exe")) return std::nullopt;
    return copy;
}

core::SerialOrder CompareWithInstalled(const std::string& configuredSerial,
                                       const std::string& installedSerial) {
    wchar_t separator[4] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    return core::CompareSerials(configuredSerial, installedSerial,
                                separator[0] < 128 ? char(separator[0]) : '.');
}

} // namespace sys
