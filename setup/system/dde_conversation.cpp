#include "dde_conversation.h"

#include "unique_handle.h"
#include "wide.h"

namespace sys {
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
    return StartServiceProgram() && Connect();
}

bool DdeConversation::StartServiceProgram() const {
    for (auto folderOf : {GetSystemDirectoryW, GetWindowsDirectoryW}) {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = folderOf(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) continue;
        const std::wstring program = std::wstring(folder) + L"\\" + Wide(service_) + L".exe";
        const DWORD attributes = GetFileAttributesW(program.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::wstring commandLine = L"\"" + program + L"\" " + Wide(topic_);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWMINNOACTIVE;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &started))
            return false;
        UniqueKernelHandle process(started.hProcess), thread(started.hThread);
        (void)WaitForInputIdle(process.get(), 30000); // as the program manager's own start waits
        return true;
    }
    return false; // no program manager on this system: no program group
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

} // namespace sys
