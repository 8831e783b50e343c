#include "registry.h"

#include "file_io.h"
#include "wide.h"
#include "core/setup_error.h"

namespace sys {

void Registry::SetRoot(HKEY root) {
    CloseKey();
    root_ = root;
}

bool Registry::OpenKey(const std::string& path) {
    CloseKey();
    openResult_ = RegCreateKeyExW(root_, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    return openResult_ == ERROR_SUCCESS || (key_ = nullptr, false);
}

std::string Registry::ReadString(const std::string& name) {
    if (!key_) return {};
    const std::wstring wideName = Wide(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw core::SetupError("Invalid data type for '" + name + "'");
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Gbk(value);
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    const std::wstring wideValue = Wide(value);
    if (!key_)
        throw core::SetupError("Failed to set data for '" + name + "'",
                               "the key could not be opened: " +
                                   SystemErrorText(static_cast<DWORD>(openResult_)));
    const LONG result =
        RegSetValueExW(key_, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wideValue.c_str()),
                       static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t)));
    if (result != ERROR_SUCCESS)
        throw core::SetupError("Failed to set data for '" + name + "'",
                               SystemErrorText(static_cast<DWORD>(result)));
}

void Registry::CloseKey() {
    if (key_) (void)RegCloseKey(key_);
    key_ = nullptr;
}

} // namespace sys
