#include "program_group.h"

namespace core {

std::vector<std::string> ProgramGroupCommands(const std::string& groupName, const std::string& setupDir,
                                              const std::string& exePath) {
    const auto command = [](const char* begin, const std::string& first, const std::string& second) {
        return std::string(begin) + first + "," + second + ")]";
    };
    std::vector<std::string> commands = {
        command("[creategroup(", groupName, groupName),
        command("[additem(", exePath, groupName),
        command("[additem(", setupDir + "Uninstall.exe", "卸载" + groupName),
        command("[additem(", setupDir + "help.chm", "使用说明"),
        command("[additem(", setupDir + "用户授权协议.txt", "用户授权协议"),
    };
    std::vector<std::string> fitting;
    for (std::string& c : commands)
        if (c.size() <= kLongestGroupCommand) fitting.push_back(std::move(c));
    return fitting;
}

} // namespace core
