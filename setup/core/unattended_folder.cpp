#include "unattended_folder.h"

#include "install_location.h"

namespace core {

UnattendedFolder ChooseUnattendedFolder(const std::optional<std::string>& commandLineFolder,
                                        const std::optional<std::string>& earlierInstallationFolder,
                                        const std::optional<std::string>& folderPageDefault,
                                        const std::string& configuredSetupPath) {
    if (commandLineFolder) return {CompletedInstallFolder(*commandLineFolder), FolderOrigin::CommandLine};
    if (earlierInstallationFolder)
        return {CompletedInstallFolder(*earlierInstallationFolder), FolderOrigin::EarlierInstallation};
    if (folderPageDefault) return {*folderPageDefault, FolderOrigin::FolderPageDefault};
    return {configuredSetupPath + "\\", FolderOrigin::Configured};
}

const char* FolderOriginText(FolderOrigin origin) {
    switch (origin) {
    case FolderOrigin::CommandLine:
        return "given by /DIR";
    case FolderOrigin::EarlierInstallation:
        return "that of the earlier installation";
    case FolderOrigin::FolderPageDefault:
        return "the folder page's default";
    case FolderOrigin::Configured:
        break;
    }
    return "the configured folder: no drive D:, E: or C:";
}

} // namespace core
