#pragma once
// The steps after the payload as the real system carries them out: the uninstall entry and the
// uninstaller, the desktop shortcut, the program group and the registry entries.
#include "engine/installation.h"
#include "engine/installation_log.h"
#include "system/dde_conversation.h"
#include "system/registry.h"

namespace sys {

class SystemRegistration : public install::Registration {
  public:
    // Each value set, the uninstaller, the link and the program group go to `log`.
    SystemRegistration(const core::PayloadStore& payload, const install::InstallSettings& settings,
                       install::InstallationLog& log)
        : payload_(payload), settings_(settings), log_(log) {}
    void RunUninstallStep() override;
    void CreateDesktopLink() override;
    void CreateProgramGroup() override;
    void WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                              const std::string& description, const std::string& exePath,
                              int iconIndex) override;

  private:
    void SaveProgramGroupLinks();

    const core::PayloadStore& payload_;
    const install::InstallSettings& settings_;
    install::InstallationLog& log_;
    Registry uninstallRegistry_;
    DdeConversation programManager_; // the program group's conversation
};

} // namespace sys
