#include "system_registration.h"

namespace install {

void SystemRegistration::RunUninstallStep() {}
void SystemRegistration::CreateDesktopLink() {}
void SystemRegistration::CreateProgramGroup() {}
void SystemRegistration::WriteRegistryEntries(const std::string&, const std::string&, const std::string&,
                                              const std::string&, int) {}

} // namespace install
