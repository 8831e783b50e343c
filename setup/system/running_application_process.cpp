#include "running_application_process.h"

#include "core/running_application.h"
#include "system/system_function.h"
#include "system/unique_handle.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace sys {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, tagPROCESSENTRY32*); // the ANSI record

// The process-snapshot functions, bound by name at first use; missing ones leave the list empty.
struct ToolHelp {
    CreateSnapshotFn createSnapshot = nullptr;
    ProcessWalkFn first = nullptr;
    ProcessWalkFn next = nullptr;

    static const ToolHelp& Get() {
        static const ToolHelp bound{
            sys::BindSystemFunction<CreateSnapshotFn>(L"kernel32.dll", "CreateToolhelp32Snapshot"),
            sys::BindSystemFunction<ProcessWalkFn>(L"kernel32.dll", "Process32First"),
            sys::BindSystemFunction<ProcessWalkFn>(L"kernel32.dll", "Process32Next")};
        return bound;
    }
};

// The ids of the processes whose executable is the application's, from one walk of the system's
// process list.
std::vector<DWORD> ApplicationProcessIds() {
    std::vector<DWORD> ids;
    const ToolHelp& toolHelp = ToolHelp::Get();
    if (!toolHelp.createSnapshot || !toolHelp.first || !toolHelp.next) return ids;
    sys::UniqueFileHandle snapshot(toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    // The ANSI record: 296 bytes in a 32-bit program, 304 in a 64-bit one (its module ids are
    // pointer-sized).
    static_assert(sizeof(tagPROCESSENTRY32) == (sizeof(void*) == 8 ? 304 : 296),
                  "the system's ANSI process record");
    tagPROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = toolHelp.first(snapshot.get(), &entry); more;
         more = toolHelp.next(snapshot.get(), &entry)) {
        const std::string exe(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH));
        if (core::IsApplicationExecutable(exe)) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

} // namespace

bool IsApplicationRunning() {
    return !ApplicationProcessIds().empty();
}

void EndRunningApplication(const std::string& className, const std::string& setupTitle) {
    // Any program can register a window of the application's class: only a window whose process
    // is one of the application's executables counts, so that nothing else is ended.
    const std::vector<DWORD> application = ApplicationProcessIds();
    std::vector<DWORD> owners;
    std::vector<std::string> titles;
    for (HWND h = FindWindowA(className.c_str(), nullptr); h;
         h = FindWindowExA(nullptr, h, className.c_str(), nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(h, &processId);
        if (std::find(application.begin(), application.end(), processId) == application.end()) continue;
        char title[255] = {};
        GetWindowTextA(h, title, sizeof title);
        owners.push_back(processId);
        titles.emplace_back(title);
    }
    const int chosen = core::FirstApplicationWindow(titles, setupTitle);
    if (chosen < 0) return;
    sys::UniqueKernelHandle process(
        OpenProcess(PROCESS_TERMINATE, FALSE, owners[static_cast<size_t>(chosen)]));
    if (process) (void)TerminateProcess(process.get(), 4);
}

std::vector<unsigned long> EndApplicationProcesses() {
    std::vector<unsigned long> ended;
    for (const DWORD id : ApplicationProcessIds()) {
        const sys::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process || !TerminateProcess(process.get(), 4)) continue;
        (void)WaitForSingleObject(process.get(), 5000);
        ended.push_back(id);
    }
    return ended;
}

} // namespace sys
