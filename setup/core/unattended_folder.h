#pragma once
// Where an unattended installation goes when nobody is there to choose on the folder page.
#include <optional>
#include <string>

namespace core {

enum class FolderOrigin { CommandLine, EarlierInstallation, FolderPageDefault, Configured };

struct UnattendedFolder {
    std::string folder; // with its trailing backslash
    FolderOrigin origin;
};

// /DIR first (its trailing backslash added), then the folder of an earlier installation, then the
// folder page's default; with none of those (no drive D:, E: or C:), the configured SetupPath, as
// the folder page keeps it then.
UnattendedFolder ChooseUnattendedFolder(const std::optional<std::string>& commandLineFolder,
                                        const std::optional<std::string>& earlierInstallationFolder,
                                        const std::optional<std::string>& folderPageDefault,
                                        const std::string& configuredSetupPath);

// How the log says where the folder came from.
const char* FolderOriginText(FolderOrigin origin);

} // namespace core
