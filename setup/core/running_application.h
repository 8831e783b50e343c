#pragma once
// Recognising a running copy of the application and its main window.
#include <string>
#include <vector>

namespace core {

// The window class of the application's main window.
constexpr char kApplicationWindowClass[] = "TVlmr30";

// True when the file-name part of a process's executable field (after the last backslash or
// colon) is exactly one of "VLMR.EXE", "VLMR.exe", "vlmr.EXE", "vlmr.exe".
bool IsApplicationExecutable(const std::string& exeField);

// Which of the windows of the application's class, in the system's order, belongs to the
// application: the first whose title is neither empty nor the setup's own title. -1 when none.
int FirstApplicationWindow(const std::vector<std::string>& titles, const std::string& setupTitle);

// The question whether to end the running application.
std::string EndApplicationQuestion();

// The notice when the installed application could not be started as the signed-in user.
std::string StartFromDesktopLinkNotice();

} // namespace core
