#pragma once
// A DDE client conversation in manual connect mode: it connects only when told to, sends text
// commands as asynchronous execute transactions, and closes on every way out.
#include <windows.h>

#include <ddeml.h>

#include <string>

namespace ui {

class DdeConversation {
  public:
    DdeConversation() = default;
    ~DdeConversation() { Close(); }
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;

    // Closes any conversation, then names the service and topic to connect to.
    void SetLink(const std::string& service, const std::string& topic);
    // Connects; when no server answers, starts "<service> <topic>" minimised without activation
    // and, if that started, connects once more.
    bool Open();
    // One execute transaction in CF_TEXT with the bytes as they are and a closing NUL; its
    // completion is not waited for.
    void ExecuteAsync(const std::string& command);
    void Close();

  private:
    bool Connect();

    std::string service_;
    std::string topic_;
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
};

} // namespace ui
