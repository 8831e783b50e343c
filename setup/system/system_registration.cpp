#include "system/shell_api.h"
#include "system_registration.h"

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

namespace sys {
namespace {

// The rows under one root, each: its key opened from the root (created when missing), the value
// written, the key closed.
void WriteRows(Registry& registry, const std::vector<core::RegistryRow>& rows, core::RegistryRoot root) {
    registry.SetRoot(root == core::RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER);
    for (const core::RegistryRow& row : rows) {
        if (row.root != root) continue;
        (void)registry.OpenKey(row.key);
        registry.WriteString(row.name, row.data);
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
    for (const core::RegistryRow& row : rows)
        registry.WriteString(row.name, row.data);
    WinFileSystem files(settings_.setupDir);
    std::string buffer(core::kUnpackBufferSize, '\0');
    install::WritePayloadResource(files, settings_.setupDir + "Uninstall.exe",
                                  payload_.Get("uninstall", "exename"), buffer);
}

void SystemRegistration::CreateDesktopLink() {
    SaveDesktopLink(settings_.setupDir + settings_.exeName, settings_.desktopLinkName,
                    settings_.saveDesktopLink);
}

void SystemRegistration::CreateProgramGroup() {
    DdeConversation& conversation = programManager_;
    const sys::ScopeExit closeConversation([&conversation] { conversation.Close(); });
    conversation.SetLink("ProgMan", "ProgMan");
    if (!conversation.Open()) return;
    for (const std::string& command : core::ProgramGroupCommands(settings_.wizardCaption, settings_.setupDir,
                                                                 settings_.setupDir + settings_.exeName))
        conversation.ExecuteAsync(command);
}

void SystemRegistration::WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                                              const std::string& description, const std::string& exePath,
                                              int iconIndex) {
    core::RegistrationInputs in{extension, classKey,           description, exePath,
                                iconIndex, settings_.setupDir, "",          ""};
    sys::Registry registry;
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::ClassesRoot);
    sys::shell::ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    in.serial = settings_.serial;
    in.version = settings_.version;
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::CurrentUser);
}

} // namespace sys
