#pragma once
// The Program Manager commands that make the program group.
#include <string>
#include <vector>

namespace core {

// One entry of the program group: the file it opens and the name it shows.
struct ProgramGroupItem {
    std::string target;
    std::string name;
};

// The four entries in order: the application, the uninstaller, the help file and the agreement.
std::vector<ProgramGroupItem> ProgramGroupItems(const std::string& groupName, const std::string& setupDir,
                                                const std::string& exePath);

// A command must fit a 255-byte buffer with its NUL.
constexpr size_t kLongestGroupCommand = 254;

// The five commands in order: the group, the application, the uninstaller, the help file and the
// agreement. Each is "[creategroup(" or "[additem(", two arguments joined by ",", then ")]", with
// nothing quoted. A command longer than kLongestGroupCommand bytes would not fit the service's
// buffer: it is left out, and the others are still sent.
// An argument of a Program Manager command: as it is, or in double quotes where it holds a
// character that would split the command (, ( ) [ ]).
std::string DdeArgument(const std::string& text);
std::vector<std::string> ProgramGroupCommands(const std::string& groupName, const std::string& setupDir,
                                              const std::string& exePath);

} // namespace core
