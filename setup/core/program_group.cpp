#include "program_group.h"

#include "gbk.h"

namespace core {

std::vector<ProgramGroupItem> ProgramGroupItems(const std::string& groupName, const std::string& setupDir,
                                                const std::string& exePath) {
    return {{exePath, groupName},
            {setupDir + "Uninstall.exe", "卸载" + groupName},
            {setupDir + "help.chm", "使用说明"},
            {setupDir + "用户授权协议.txt", "用户授权协议"}};
}

std::string DdeArgument(const std::string& text) {
    // Only characters of their own count: a GBK character's second byte may be a bracket.
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (std::string_view(",()[]").find(text[i]) != std::string_view::npos) return "\"" + text + "\"";
    }
    return text;
}

std::vector<std::string> ProgramGroupCommands(const std::string& groupName, const std::string& setupDir,
                                              const std::string& exePath) {
    const auto command = [](const char* begin, const std::string& first, const std::string& second) {
        return std::string(begin) + DdeArgument(first) + "," + DdeArgument(second) + ")]";
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
