#include "system/shell_api.h"
#include "system_registration.h"

#include "core/manifest.h"
#include "core/product.h"
#include "core/program_group.h"
#include "core/packed_resource.h"
#include "core/registration.h"
#include "desktop_link.h"
#include "win_file_system.h"
#include "system/file_io.h"
#include "system/registry.h"
#include "system/scope_exit.h"

#include <shlobj.h>

#include <set>

namespace sys {
namespace {

// The rows under one root, each: its key opened from the root (created when missing), the value
// written, the key closed.
void WriteRows(Registry& registry, const std::vector<core::RegistryRow>& rows, core::RegistryRoot root,
               install::InstallationLog& log) {
    registry.SetRoot(root == core::RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER);
    for (const core::RegistryRow& row : rows) {
        if (row.root != root) continue;
        (void)registry.OpenKey(row.key);
        registry.WriteString(row.name, row.data);
        log.Write("Registry value set: " + core::RegistryRowText(row));
        registry.CloseKey();
    }
}

} // namespace

void SystemRegistration::RunUninstallStep() {
    Registry& registry = uninstallRegistry_;
    const sys::ScopeExit closeKey([&registry] { registry.CloseKey(); });
    const std::vector<core::RegistryRow> rows =
        core::UninstallRows(settings_.setupDir, settings_.serial, core::kWebAddress);
    registry.CloseKey();
    (void)registry.OpenKey(rows.front().key);
    for (const core::RegistryRow& row : rows) {
        registry.WriteString(row.name, row.data);
        log_.Write("Registry value set: " + core::RegistryRowText(row));
    }
    WinFileSystem systemFiles(settings_.setupDir);
    install::LoggedFileSystem files(systemFiles, log_);
    std::string buffer(core::kUnpackBufferSize, '\0');
    install::WritePayloadResource(files, settings_.setupDir + "Uninstall.exe",
                                  payload_.GetChecked("uninstall", "exename"), buffer);
}

void SystemRegistration::CreateDesktopLink() {
    const std::string link = SaveDesktopLink(settings_.setupDir + settings_.exeName,
                                             settings_.desktopLinkName, settings_.saveDesktopLink);
    log_.Write(!link.empty()               ? "Desktop link saved: " + link
               : settings_.saveDesktopLink ? std::string("The desktop link could not be saved")
                                           : std::string("No desktop link: not wanted"));
}

void SystemRegistration::CreateProgramGroup() {
    using Kind = install::InstallSettings::ProgramGroup;
    switch (settings_.programGroup) {
    case Kind::None:
        log_.Write("No program group: not wanted (/NOICONS)");
        return;
    case Kind::AsLinkFiles:
        SaveProgramGroupLinks();
        return;
    case Kind::ThroughProgramManager:
        break;
    }
    DdeConversation& conversation = programManager_;
    const sys::ScopeExit closeConversation([&conversation] { conversation.Close(); });
    conversation.SetLink("ProgMan", "ProgMan");
    if (!conversation.Open()) {
        log_.Write("No program group: the Program Manager could not be reached");
        return;
    }
    for (const std::string& command : core::ProgramGroupCommands(settings_.wizardCaption, settings_.setupDir,
                                                                 settings_.setupDir + settings_.exeName))
        conversation.ExecuteAsync(command);
    log_.Write("Program group sent to the Program Manager: " + settings_.wizardCaption);
}

// The same four entries as the Program Manager makes, saved as links in a folder of the all-users
// programs menu: nothing is shown, where the shell's answer to the Program Manager's commands
// opens a window of the group.
void SystemRegistration::SaveProgramGroupLinks() {
    const std::string& group = settings_.wizardCaption;
    if (const std::string problem = core::SingleFileNameProblem(group); !problem.empty())
        throw core::SetupError("The program group's name \"" + group + "\" " + problem +
                               "; setup makes no program group");
    const std::string programs = ShellFolder(CSIDL_COMMON_PROGRAMS);
    if (programs.empty()) {
        log_.Write("No program group: the system has no programs menu for all users");
        return;
    }
    const std::string folder = programs + group + "\\";
    std::set<std::string> checkedFolders;
    // Nothing is saved through a link someone planted in the menu's folder.
    RequireNoLinkBelow(programs, folder, &checkedFolders);
    if (!CreateOneDirectory(folder)) {
        const DWORD error = GetLastError(); // before the look below replaces it
        if (!DirectoryExists(folder))
            throw core::SetupError("Cannot create file \"" + folder + "\". " + SystemErrorText(error));
    }
    for (const core::ProgramGroupItem& item :
         core::ProgramGroupItems(group, settings_.setupDir, settings_.setupDir + settings_.exeName)) {
        const std::string link = folder + item.name + ".lnk";
        RequireNoLinkBelow(programs, link, &checkedFolders);
        log_.Write(SaveShellLink(item.target, link) ? "Program group link saved: " + link
                                                    : "The program group link could not be saved: " + link);
    }
}

void SystemRegistration::WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                                              const std::string& description, const std::string& exePath,
                                              int iconIndex) {
    core::RegistrationInputs in{extension, classKey,           description, exePath,
                                iconIndex, settings_.setupDir, "",          ""};
    sys::Registry registry;
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::ClassesRoot, log_);
    sys::shell::ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    in.serial = settings_.serial;
    in.version = settings_.version;
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::CurrentUser, log_);
}

} // namespace sys
