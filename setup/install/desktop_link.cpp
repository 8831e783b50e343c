#include "toolkit/shell_api.h"
#include "desktop_link.h"

#include "core/manifest.h"
#include "core/registration.h"
#include "core/setup_error.h"
#include "toolkit/app.h"
#include "toolkit/com_api.h"
#include "toolkit/com_ptr.h"
#include "toolkit/file_io.h"
#include "toolkit/wide.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace install {
namespace {

[[noreturn]] void RaiseOleError(HRESULT hr) {
    std::string text = ui::SystemErrorText(static_cast<unsigned long>(hr));
    if (text.empty()) {
        text = "OLE error ";
        for (int shift = 28; shift >= 0; shift -= 4)
            text += "0123456789ABCDEF"[(static_cast<unsigned long>(hr) >> shift) & 0xF];
    }
    throw core::SetupError(text);
}

} // namespace

void SaveDesktopLink(const std::string& exePath, const std::string& linkFileName, bool wanted) {
    ui::App::Instance().UseCom();
    ui::ComPtr<IShellLinkW> link;
    const HRESULT hr = ui::com::CreateInstance(CLSID_ShellLink, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                               IID_IShellLinkW, link.put());
    if (FAILED(hr)) RaiseOleError(hr);
    ui::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put())))
        throw core::SetupError("Interface not supported");

    // Paths go through the one GBK conversion, so the link is right whatever the code page.
    (void)link->SetPath(ui::Wide(exePath).c_str());
    (void)link->SetWorkingDirectory(ui::Wide(core::FolderWithBackslash(exePath)).c_str());
    if (!wanted) return;
    // The link goes into the all-users desktop folder and nowhere else.
    if (const std::string problem = core::DesktopLinkNameProblem(linkFileName); !problem.empty())
        throw core::SetupError("The desktop link's name \"" + linkFileName + "\" " + problem +
                               "; setup makes no link");

    wchar_t desktop[MAX_PATH + 1] = {};
    PIDLIST_ABSOLUTE folder = nullptr;
    if (SUCCEEDED(ui::shell::GetSpecialFolderLocation(CSIDL_COMMON_DESKTOPDIRECTORY, &folder))) {
        (void)ui::shell::GetPathFromIDList(folder, desktop);
        ui::com::TaskMemFree(folder);
    }
    const std::wstring target = ui::Wide(ui::Gbk(desktop) + linkFileName);
    (void)file->Save(target.c_str(), FALSE);
}

} // namespace install
