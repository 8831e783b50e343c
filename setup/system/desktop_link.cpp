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

} // namespace

std::string SaveDesktopLink(const std::string& exePath, const std::string& linkFileName, bool wanted) {
    com::UseOnThisThread();
    sys::ComPtr<IShellLinkW> link;
    const HRESULT hr = sys::com::CreateInstance(CLSID_ShellLink, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                                IID_IShellLinkW, link.put());
    if (FAILED(hr)) RaiseOleError(hr);
    sys::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put())))
        throw core::SetupError("Interface not supported");

    // Paths go through the one GBK conversion, so the link is right whatever the code page.
    (void)link->SetPath(sys::Wide(exePath).c_str());
    (void)link->SetWorkingDirectory(sys::Wide(core::FolderWithBackslash(exePath)).c_str());
    if (!wanted) return {};
    // The link goes into the all-users desktop folder and nowhere else.
    if (const std::string problem = core::DesktopLinkNameProblem(linkFileName); !problem.empty())
        throw core::SetupError("The desktop link's name \"" + linkFileName + "\" " + problem +
                               "; setup makes no link");

    wchar_t desktop[MAX_PATH + 1] = {};
    PIDLIST_ABSOLUTE folder = nullptr;
    if (SUCCEEDED(sys::shell::GetSpecialFolderLocation(CSIDL_COMMON_DESKTOPDIRECTORY, &folder))) {
        (void)sys::shell::GetPathFromIDList(folder, desktop);
        sys::com::TaskMemFree(folder);
    }
    const std::string target = sys::Gbk(desktop) + linkFileName;
    return SUCCEEDED(file->Save(sys::Wide(target).c_str(), FALSE)) ? target : std::string();
}

} // namespace sys
