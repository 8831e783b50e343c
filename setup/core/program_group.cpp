#include "program_group.h"

namespace core {

std::vector<ProgramGroupItem> ProgramGroupItems(const std::string& groupName, const std::string& setupDir,
                                                const std::string& exePath) {
    return {{exePath, groupName},
            {setupDir + "Uninstall.exe", "卸载" + groupName},
            {setupDir + "help.chm", "使用说明"},
            {setupDir + "用户授权协议.txt", "用户授权协议"}};
}

std::vector<std::string> ProgramGroupCommands(const std::string& groupName, const std::string& setupDir,
                                              const std::string& exePath) {
    const auto command = [](const char* begin, const std::string& first, const std::string& second) {
        return std::string(begin) + first + "," + second + ")]";
    };
    std::vector<std::string> commands = {command("[creategroup(", groupName, groupName)};
    for (const ProgramGroupItem& item : ProgramGroupItems(groupName, setupDir, exePath))
        commands.push_back(command("[additem(", item.target, item.name));
    std::vector<std::string> fitting;
    for (std::string& c : commands)
        if (c.size() <= kLongestGroupCommand) fitting.push_back(std::move(c));
    return fitting;
}

} // namespace core
