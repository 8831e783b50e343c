#pragma once
#include <string>

namespace sys {

// Saves a shell link to the main executable, with its folder as working folder, in the all-users
// desktop under the configured file name; with `wanted` false the link is made but not saved.
// Raises the system's text for a COM failure ("OLE error %.8x" without one) or
// "Interface not supported". Returns the link's path when it was saved, else nothing.
std::string SaveDesktopLink(const std::string& exePath, const std::string& linkFileName, bool wanted);

} // namespace sys
