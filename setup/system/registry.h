#pragma once
// The registry accessor: a root key (HKEY_CURRENT_USER at first) and at most one open key.
// Names and values are GBK, handed to the wide API through the one conversion.
#include <windows.h>

#include <string>

namespace sys {

class Registry {
  public:
    Registry() = default;
    ~Registry() { CloseKey(); }
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    void SetRoot(HKEY root);
    // Closes the open key, then opens the path below the root, creating missing keys. False when
    // it could not be opened: no key is open then.
    bool OpenKey(const std::string& path);
    // An absent value reads as empty; a value that is no string raises "Invalid data type for '%s'".
    std::string ReadString(const std::string& name);
    // A REG_SZ value whose size counts the terminating NUL; raises "Failed to set data for '%s'".
    void WriteString(const std::string& name, const std::string& value);
    void CloseKey();

  private:
    HKEY root_ = HKEY_CURRENT_USER;
    HKEY key_ = nullptr;
    LONG openResult_ = ERROR_SUCCESS; // of the last OpenKey, for the error of a write without a key
};

} // namespace sys
