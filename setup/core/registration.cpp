#include "registration.h"

#include "gbk.h"

namespace core {
namespace {

std::string Part(const std::string& s, size_t from, size_t count) {
    return from < s.size() ? s.substr(from, count) : "";
}

} // namespace

std::string DisplayVersion(const std::string& serial) {
    return Part(serial, 0, 1) + "." + Part(serial, 1, 2) + "." + Part(serial, 3, 10);
}

std::string FolderWithBackslash(const std::string& path) {
    const size_t sep = FindLastSeparator(path, "\\:");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::vector<RegistryRow> UninstallRows(const std::string& setupDir, const std::string& serial,
                                       const std::string& webAddress) {
    const std::string key = "software\\microsoft\\windows\\currentversion\\uninstall\\Velmora";
    const RegistryRoot hkcu = RegistryRoot::CurrentUser;
    return {
        {hkcu, key, "displayname", "Velmora"},
        {hkcu, key, "Publisher", "Tessaly"},
        {hkcu, key, "DisplayVersion", DisplayVersion(serial)},
        {hkcu, key, "URLInfoAbout", webAddress},
        // Quoted: unquoted, a folder with a blank ("Program Files") lets Windows start a planted
        // "D:\Program.exe" instead.
        {hkcu, key, "uninstallstring", "\"" + setupDir + "Uninstall.exe\""},
    };
}

std::vector<RegistryRow> RegistrationRows(const RegistrationInputs& in) {
    const RegistryRoot hkcr = RegistryRoot::ClassesRoot;
    const RegistryRoot hkcu = RegistryRoot::CurrentUser;
    return {
        {hkcr, in.extension, "", in.classKey},
        {hkcr, in.classKey, "", in.description},
        {hkcr, in.classKey + "\\DefaultIcon", "", in.exePath + "," + std::to_string(in.iconIndex)},
        {hkcr, in.classKey + "\\Shell\\Open", "", "&Open"},
        // Quoted, so that a document whose name has blanks arrives as one argument.
        {hkcr, in.classKey + "\\Shell\\Open\\Command", "", "\"" + in.exePath + "\" \"%1\""},
        {hkcu, in.classKey + "\\Shell\\PathName", "Path", FolderWithBackslash(in.exePath)},
        {hkcu, in.classKey + "\\Shell\\Serial", "Serial", in.serial},
        {hkcu, in.classKey + "\\Shell\\Version", "Version", in.version},
        // The compatibility layer names the application's fixed file name, whatever [Run] says.
        {hkcu, "Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers",
         in.setupDir + "VLMR.exe", "~ DPIUNAWARE"},
    };
}

std::string RegistryRowText(const RegistryRow& row) {
    return std::string(row.root == RegistryRoot::ClassesRoot ? "HKEY_CLASSES_ROOT\\"
                                                             : "HKEY_CURRENT_USER\\") +
           row.key + "\\" + (row.name.empty() ? "(default)" : row.name) + " = \"" + row.data + "\"";
}

} // namespace core
