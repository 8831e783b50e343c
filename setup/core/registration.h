#pragma once
// Every registry value the installation writes, in the order of writing.
#include <string>
#include <vector>

namespace core {

enum class RegistryRoot { CurrentUser, ClassesRoot };

struct RegistryRow {
    RegistryRoot root;
    std::string key;
    std::string name; // empty for the key's default value
    std::string data;
};

// A row as the installation log shows it: root\key\name = "data".
std::string RegistryRowText(const RegistryRow& row);

// The version shown in the list of installed programs: character 1 of the serial, ".", characters
// 2-3, ".", characters 4-13 (positions past the end give nothing).
std::string DisplayVersion(const std::string& serial);

// The folder part of a path, up to and including its last backslash (or colon).
std::string FolderWithBackslash(const std::string& path);

// Rows 1-5: the uninstall entry.
std::vector<RegistryRow> UninstallRows(const std::string& setupDir, const std::string& serial,
                                       const std::string& webAddress);

struct RegistrationInputs {
    std::string extension;   // ".Vlq"
    std::string classKey;    // "Software\VLMRA"
    std::string description; // the wizard's caption
    std::string exePath;     // installation folder + [Run] FileName
    int iconIndex = 0;
    std::string setupDir;
    std::string serial;  // [Form] Serial as read when written
    std::string version; // [Form] Version as read when written
};

// Rows 6-10 under HKEY_CLASSES_ROOT, then rows 11-14 under HKEY_CURRENT_USER.
std::vector<RegistryRow> RegistrationRows(const RegistrationInputs& in);

} // namespace core
