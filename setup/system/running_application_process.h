#pragma once
// A running copy of the application, found by its processes' executables, and ending it.
#include <string>

namespace sys {

// Whether a process of the application's executable runs, by its file name.
bool IsApplicationRunning();
// Ends the process owning the first window of the class that is the application's and not a setup
// window (its title is not `setupTitle`).
void EndRunningApplication(const std::string& className, const std::string& setupTitle);

} // namespace sys
