#pragma once
// The steps after the payload as the real system carries them out: the uninstall entry and the
// uninstaller, the desktop shortcut, the program group and the registry entries.
#include "installation.h"

namespace install {

class SystemRegistration : public Registration {
  public:
    SystemRegistration(const core::PayloadStore& payload, const std::string& exeName)
        : payload_(payload), exeName_(exeName) {}
    void RunUninstallStep() override;
    void CreateDesktopLink() override;
    void CreateProgramGroup() override;
    void WriteRegistryEntries(const std::string& extension, const std::string& classKey,
                              const std::string& description, const std::string& exePath,
                              int iconIndex) override;

  private:
    const core::PayloadStore& payload_;
    const std::string exeName_; // [Run] FileName as the progress window read it
};

} // namespace install
