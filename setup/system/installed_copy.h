#pragma once
// An earlier installation of the application, as the registry records it, and how its version
// compares with the one this setup carries.
#include "core/earlier_installation.h"

#include <optional>
#include <string>

namespace sys {

struct InstalledCopy {
    std::string serial; // HKCU\Software\VLMRA\Shell\Serial "Serial"
    std::string folder; // HKCU\Software\VLMRA\Shell\PathName "Path", with its trailing backslash
};

// The recorded installation, when both values are there and its main executable still is.
std::optional<InstalledCopy> FindInstalledCopy();

// The configured serial against the installed one, read with the user's decimal separator. Raises
// the conversion errors of core::CompareSerials.
core::SerialOrder CompareWithInstalled(const std::string& configuredSerial,
                                       const std::string& installedSerial);

} // namespace sys
