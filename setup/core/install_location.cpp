#include "install_location.h"

#include "ascii.h"
#include "decimal.h"
#include "gbk.h"

namespace core {

std::optional<std::string> DefaultSetupDir(const std::vector<std::string>& driveRoots,
                                           const std::string& dirName) {
    for (const char* root : {"D:\\", "E:\\", "C:\\"})
        for (const std::string& present : driveRoots)
            if (EqualsIgnoringAsciiCase(present, root))
                return std::string(root) + "Program Files\\" + dirName + "\\";
    return std::nullopt;
}

double BytesToGb(std::int64_t bytes) {
    return static_cast<double>(bytes) / 1024 / 1024 / 1024;
}

std::string FormatGb(double gb) {
    return FormatFixed(gb, gb >= 10 ? 1 : 2) + " GB";
}

std::string RemainingSpaceText(const std::string& freeSpaceText) {
    if (freeSpaceText.empty()) return {};
    const std::string number = freeSpaceText.substr(0, freeSpaceText.find(' ') + 1);
    const double gb = ParseDecimal(number); // the shown text always uses a point
    if (!(gb > 0)) return {};
    return " " + FormatGb(gb - 0.019);
}

BrowsedFolder FolderFromBrowser(const std::string& chosen, const std::string& dirName, size_t driveCount) {
    if (chosen.find("Desktop") != std::string::npos || chosen.find("Users") != std::string::npos)
        return {true, std::string(driveCount >= 2 ? "D:" : "C:") + "\\Program Files\\" + dirName + "\\"};
    if (chosen.size() == 3) return {false, chosen + dirName + "\\"};
    return {false, chosen + "\\" + dirName + "\\"};
}

std::string NoDefaultDriveNotice() {
    return "硬盘分区异常，无法安装软件。";
}

std::string DesktopFolderWarning() {
    return "不要将Velmora安装到电脑桌面上，避免软件运行异常。\r建议安装到 D盘、E盘、C盘，默认的“Program "
           "Files\\”文件夹中。";
}

std::string InstallFolderProblem(const std::string& folder) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const bool withDrive = folder.size() >= 3 && isLetter(folder[0]) && folder[1] == ':' && folder[2] == '\\';
    const bool network = folder.size() >= 5 && folder.compare(0, 2, "\\\\") == 0 &&
                         folder.find('\\', 2) != std::string::npos && folder.find('\\', 2) > 2 &&
                         folder.find('\\', 2) + 1 < folder.size();
    if (withDrive || network) return {};
    return "安装文件夹“" + folder +
           "”不是完整的路径。\r请输入以盘符开头的文件夹，例如 D:\\Program Files\\Vlmra280\\";
}

std::string CompletedInstallFolder(const std::string& folder) {
    if (!folder.empty() && FindLastSeparator(folder, "\\") == folder.size() - 1) return folder;
    return folder + "\\";
}

bool SameFolder(const std::string& a, const std::string& b) {
    const std::string x = CompletedInstallFolder(a), y = CompletedInstallFolder(b);
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (IsGbkLeadByte(static_cast<unsigned char>(x[i])) && i + 1 < x.size()) {
            if (x[i] != y[i] || x[i + 1] != y[i + 1]) return false;
            ++i; // the trail byte may look like a letter: it is no letter
            continue;
        }
        if (AsciiUpper(x[i]) != AsciiUpper(y[i])) return false;
    }
    return true;
}

std::vector<std::string> FolderLevels(const std::string& folder) {
    const std::vector<std::string> parts = SplitAtBackslashes(folder);
    // A network path's root is its server and share: "\\server\share" splits as "", "", server, share.
    const bool network = folder.compare(0, 2, "\\\\") == 0;
    const size_t rootParts = network ? 4 : 1;
    if (parts.size() <= rootParts) return {};
    std::string current = parts[0];
    for (size_t i = 1; i < rootParts; ++i)
        current += "\\" + parts[i];
    std::vector<std::string> levels;
    for (size_t i = rootParts; i < parts.size(); ++i) {
        if (parts[i].empty()) continue; // a trailing or doubled backslash
        current += "\\" + parts[i];
        levels.push_back(current);
    }
    return levels;
}

} // namespace core
