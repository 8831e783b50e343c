#include "toolkit/shell_api.h"
#include "system_registration.h"

#include "backdrop/Unit_main.h"
#include "core/product.h"
#include "core/program_group.h"
#include "core/registration.h"
#include "desktop_link.h"
#include "toolkit/file_io.h"
#include "toolkit/registry.h"
#include "toolkit/scope_exit.h"
#include "wizard/Unit_Schedule.h"

#include <shlobj.h>

namespace install {
namespace {

// The rows under one root, each: its key opened from the root (created when missing), the value
// written, the key closed.
void WriteRows(ui::Registry& registry, const std::vector<core::RegistryRow>& rows, core::RegistryRoot root) {
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
    ui::Registry& registry = FormSchedule->SetupRegistry;
    const ui::ScopeExit closeKey([&registry] { registry.CloseKey(); });
    const std::vector<core::RegistryRow> rows =
        core::UninstallRows(Formain->FSetupDir, Formain->FSerial, core::kWebAddress);
    registry.CloseKey();
    (void)registry.OpenKey(rows.front().key);
    for (const core::RegistryRow& row : rows)
        registry.WriteString(row.name, row.data);
    ui::WriteFileBelow(Formain->FSetupDir, Formain->FSetupDir + "Uninstall.exe",
                       payload_.Get("uninstall", "exename"));
}

void SystemRegistration::CreateDesktopLink() {
    SaveDesktopLink(Formain->FSetupDir + exeName_, Formain->ReadSetupIni("Form", "desKtopLink"),
                    DesktopLinkFlag);
}

void SystemRegistration::CreateProgramGroup() {
    ui::DdeConversation& conversation = FormSchedule->DdeClientConv1;
    const ui::ScopeExit closeConversation([&conversation] { conversation.Close(); });
    conversation.SetLink("ProgMan", "ProgMan");
    if (!conversation.Open()) return;
    for (const std::string& command : core::ProgramGroupCommands(FormSchedule->Caption(), Formain->FSetupDir,
                                                                 Formain->FSetupDir + exeName_))
        conversation.ExecuteAsync(command);
}

void SystemRegistration::WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                                              const std::string& description, const std::string& exePath,
                                              int iconIndex) {
    core::RegistrationInputs in{extension, classKey,           description, exePath,
                                iconIndex, Formain->FSetupDir, "",          ""};
    ui::Registry registry;
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::ClassesRoot);
    ui::shell::ChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    // Serial and version are read from the configuration when they are written.
    in.serial = Formain->ReadSetupIni("Form", "Serial");
    in.version = Formain->ReadSetupIni("Form", "Version");
    WriteRows(registry, core::RegistrationRows(in), core::RegistryRoot::CurrentUser);
}

} // namespace install
