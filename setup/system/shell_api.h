#pragma once
// The shell functions the setup uses, bound from shell32.dll at first use rather than imported at
// load time: shell32 and what it brings along then load only after the DLL search has been
// restricted to the system folder. A function that cannot be bound fails as the system's would.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace sys::shell {

HINSTANCE Execute(HWND owner, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                  const wchar_t* folder, int show);
PIDLIST_ABSOLUTE BrowseForFolder(BROWSEINFOW* info);
BOOL GetPathFromIDList(PCIDLIST_ABSOLUTE item, wchar_t* path);
HRESULT GetSpecialFolderLocation(int folder, PIDLIST_ABSOLUTE* item);
void ChangeNotify(LONG event, UINT flags, const void* item1, const void* item2);

// Starts a program as the signed-in user rather than with setup's elevated rights: through the
// desktop shell's own ShellExecute, reached through its shell windows. Where the system offers no
// desktop shell window, the program is started with ShellExecute as it is (its result unchecked),
// but only with `mayStartDirectly`. False when it was not started: there is a desktop shell but
// the program could not be started through it, or there is none and it may not start directly.
bool OpenAsDesktopUser(HWND owner, const std::wstring& file, bool mayStartDirectly);

} // namespace sys::shell
