#include "dde_conversation.h"

namespace ui {
namespace {

HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
    return nullptr;
}

} // namespace

void DdeConversation::SetLink(const std::string& service, const std::string& topic) {
    Close();
    service_ = service;
    topic_ = topic;
}

bool DdeConversation::Connect() {
    HSZ service = DdeCreateStringHandleA(instance_, service_.c_str(), CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance_, topic_.c_str(), CP_WINANSI);
    conversation_ = DdeConnect(instance_, service, topic, nullptr);
    DdeFreeStringHandle(instance_, service);
    DdeFreeStringHandle(instance_, topic);
    return conversation_ != nullptr;
}

bool DdeConversation::Open() {
    if (conversation_) return true;
    if (!instance_ &&
        DdeInitializeA(&instance_, IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        instance_ = 0;
        return false;
    }
    if (Connect()) return true;
    const std::string commandLine = service_ + " " + topic_;
    if (WinExec(commandLine.c_str(), SW_SHOWMINNOACTIVE) > 31) return Connect();
    return false;
}

void DdeConversation::ExecuteAsync(const std::string& command) {
    if (!conversation_) return;
    HDDEDATA done = DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                                         static_cast<DWORD>(command.size() + 1), conversation_, nullptr,
                                         CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC, nullptr);
    (void)done; // the service's answer is not looked at
}

void DdeConversation::Close() {
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
    if (instance_) DdeUninitialize(instance_);
    instance_ = 0;
}

} // namespace ui
