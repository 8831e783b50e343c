#pragma once
// A DDE client conversation in manual connect mode: it connects only when told to, sends text
// commands as asynchronous execute transactions, and closes on every way out.
#include <windows.h>

#include <ddeml.h>

#include <string>

namespace sys {

class DdeConversation {
  public:
    DdeConversation() = default;
    ~DdeConversation() { Close(); }
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;

    // Closes any conversation, then names the service and topic to connect to.
    void SetLink(const std::string& service, const std::string& topic);
    // Connects; when no server answers, starts the service's program "<service>.exe <topic>"
    // minimised without activation and, if that started, connects once more. The program is
    // started only by its full path in the system folder or the Windows folder, and only where it
    // is there: by its bare name it would be looked for first in the setup's own folder, where
    // anyone may have left a program of that name, which the elevated setup would then run.
    bool Open();
    // One execute transaction in CF_TEXT with the bytes as they are and a closing NUL; its
    // completion is not waited for.
    void ExecuteAsync(const std::string& command);
    void Close();

  private:
    bool Connect();
    bool StartServiceProgram() const;

    std::string service_;
    std::string topic_;
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
};

} // namespace sys
