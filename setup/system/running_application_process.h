#pragma once
// A running copy of the application, found by its processes' executables, and ending it.
#include <string>
#include <vector>

namespace sys {

// Whether a process of the application's executable runs, by its file name.
bool IsApplicationRunning();
// Ends the process owning the first window of the class that is the application's and not a setup
// window (its title is not `setupTitle`).
void EndRunningApplication(const std::string& className, const std::string& setupTitle);
// Ends every process of the application's executable, with or without a window on this desktop
// (an unattended setup may run as SYSTEM, on a desktop of its own), and waits up to five seconds
// for each to be gone. The ids of those it ended.
std::vector<unsigned long> EndApplicationProcesses();

} // namespace sys
