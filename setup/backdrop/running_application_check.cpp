// The backdrop's check for a running copy of the application, and ending it.
#include "Unit_main.h"

#include "core/running_application.h"
#include "toolkit/app.h"
#include "toolkit/system_function.h"
#include "toolkit/unique_handle.h"

#include <tlhelp32.h>

#include <vector>

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
            ui::BindSystemFunction<CreateSnapshotFn>(L"kernel32.dll", "CreateToolhelp32Snapshot"),
            ui::BindSystemFunction<ProcessWalkFn>(L"kernel32.dll", "Process32First"),
            ui::BindSystemFunction<ProcessWalkFn>(L"kernel32.dll", "Process32Next")};
        return bound;
    }
};

} // namespace

bool TFormain::IsApplicationRunning() const {
    const ToolHelp& toolHelp = ToolHelp::Get();
    if (!toolHelp.createSnapshot || !toolHelp.first || !toolHelp.next) return false;
    ui::UniqueFileHandle snapshot(toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    // The ANSI record: 296 bytes in a 32-bit program, 304 in a 64-bit one (its module ids are
    // pointer-sized).
    static_assert(sizeof(tagPROCESSENTRY32) == (sizeof(void*) == 8 ? 304 : 296),
                  "the system's ANSI process record");
    tagPROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = toolHelp.first(snapshot.get(), &entry); more;
         more = toolHelp.next(snapshot.get(), &entry)) {
        const std::string exe(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH));
        running = core::IsApplicationExecutable(exe) || running; // the walk always runs to the end
    }
    return running;
}

void TFormain::EndRunningApplication(const std::string& className) const {
    std::vector<HWND> windows;
    std::vector<std::string> titles;
    for (HWND h = FindWindowA(className.c_str(), nullptr); h;
         h = FindWindowExA(nullptr, h, className.c_str(), nullptr)) {
        char title[255] = {};
        GetWindowTextA(h, title, sizeof title);
        windows.push_back(h);
        titles.emplace_back(title);
    }
    const int chosen = core::FirstApplicationWindow(titles, Application().Title());
    if (chosen < 0) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(windows[static_cast<size_t>(chosen)], &processId);
    ui::UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (process) (void)TerminateProcess(process.get(), 4);
}
