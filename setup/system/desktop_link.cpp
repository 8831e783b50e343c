#include "system/shell_api.h"
#include "desktop_link.h"

#include "core/manifest.h"
#include "core/registration.h"
#include "core/setup_error.h"
#include "system/com_api.h"
#include "system/com_ptr.h"
#include "system/file_io.h"
#include "system/wide.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace sys {
namespace {

[[noreturn]] void RaiseOleError(HRESULT hr) {
    std::string text = sys::SystemErrorText(static_cast<unsigned long>(hr));
    if (text.empty()) {
        text = "OLE error ";
        for (int shift = 28; shift >= 0; shift -= 4)
            text += "0123456789ABCDEF"[(static_cast<unsigned long>(hr) >> shift) & 0xF];
    }
    throw core::SetupError(text);
}

// The shell link to `target`, with the target's folder as its working folder, ready to be saved.
ComPtr<IPersistFile> MakeShellLink(const std::string& target) {
    com::UseOnThisThread();
    ComPtr<IShellLinkW> link;
    const HRESULT hr = com::CreateInstance(CLSID_ShellLink, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                           IID_IShellLinkW, link.put());
    if (FAILED(hr)) RaiseOleError(hr);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put())))
        throw core::SetupError("Interface not supported");
    // Paths go through the one GBK conversion, so the link is right whatever the code page.
    (void)link->SetPath(Wide(target).c_str());
    (void)link->SetWorkingDirectory(Wide(core::FolderWithBackslash(target)).c_str());
    return file;
}

} // namespace

std::string ShellFolder(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    PIDLIST_ABSOLUTE folder = nullptr;
    if (FAILED(shell::GetSpecialFolderLocation(csidl, &folder))) return {};
    const bool found = shell::GetPathFromIDList(folder, path);
    com::TaskMemFree(folder);
    return found && path[0] ? Gbk(path) + "\\" : std::string();
}

bool SaveShellLink(const std::string& target, const std::string& linkPath) {
    return SUCCEEDED(MakeShellLink(target)->Save(Wide(linkPath).c_str(), FALSE));
}

std::string SaveDesktopLink(const std::string& exePath, const std::string& linkFileName, bool wanted) {
    const ComPtr<IPersistFile> file = MakeShellLink(exePath);
    if (!wanted) return {};
    // The link goes into the all-users desktop folder and nowhere else.
    if (const std::string problem = core::DesktopLinkNameProblem(linkFileName); !problem.empty())
        throw core::SetupError("The desktop link's name \"" + linkFileName + "\" " + problem +
                               "; setup makes no link");
    std::string desktop = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    if (!desktop.empty()) desktop.pop_back(); // the configured name begins with its backslash
    const std::string target = desktop + linkFileName;
    return SUCCEEDED(file->Save(Wide(target).c_str(), FALSE)) ? target : std::string();
}

} // namespace sys
