#pragma once
#include <string>

namespace sys {

// Saves a shell link at `linkPath` to `target`, with the target's folder as its working folder.
// Raises as SaveDesktopLink does; false when the link could not be saved.
bool SaveShellLink(const std::string& target, const std::string& linkPath);

// A folder of the shell's (CSIDL_...) with its trailing backslash; empty when the system has none.
std::string ShellFolder(int csidl);

// Saves a shell link to the main executable, with its folder as working folder, in the all-users
// desktop under the configured file name; with `wanted` false the link is made but not saved.
// Raises the system's text for a COM failure ("OLE error %.8x" without one) or
// "Interface not supported". Returns the link's path when it was saved, else nothing.
std::string SaveDesktopLink(const std::string& exePath, const std::string& linkFileName, bool wanted);

} // namespace sys
