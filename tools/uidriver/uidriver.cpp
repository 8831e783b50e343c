// Drives the setup's windows from outside as a user would, for the end-to-end tests under wine:
// finds windows by class, reads control texts, presses buttons, answers message boxes, reads a
// list view across processes, takes screenshots. Prints UTF-8, one fact a line; CR and LF inside
// texts are printed as \r and \n. Exit code 0 on success, 1 when the thing did not turn up.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string Escaped(const std::wstring& w) {
    std::string out;
    for (char c : Utf8(w)) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

void Print(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), DWORD(text.size()), &written, nullptr);
}

std::wstring ClassOf(HWND w) {
    wchar_t name[256] = {};
    GetClassNameW(w, name, 256);
    return name;
}

std::wstring TextOf(HWND w) {
    // WM_GETTEXT, as a screen reader reads it, not the title cache.
    const LRESULT length = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(SendMessageW(w, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()))));
    return text;
}

struct Search {
    std::wstring className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchOne(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (ClassOf(w) == s->className && (!s->visibleOnly || IsWindowVisible(w))) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountOne(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (ClassOf(w) == s->className) s->found = HWND(LONG_PTR(s->found) + 1);
    return TRUE;
}

BOOL CALLBACK ListOne(HWND w, LPARAM) {
    if (IsWindowVisible(w) && GetWindow(w, GW_OWNER) != GetDesktopWindow())
        Print(Utf8(ClassOf(w)) + "|" + Escaped(TextOf(w)));
    return TRUE;
}

int CountTopLevel(const std::wstring& className) {
    Search s{className, false, nullptr};
    EnumWindows(CountOne, LPARAM(&s));
    Print(std::to_string(LONG_PTR(s.found)));
    return 0;
}

HWND FindTopLevel(const std::wstring& className, bool visibleOnly) {
    Search s{className, visibleOnly, nullptr};
    EnumWindows(MatchOne, LPARAM(&s));
    return s.found;
}

HWND WaitTopLevel(const std::wstring& className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = FindTopLevel(className, true)) return w;
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(50);
    }
}

BOOL CALLBACK CollectOne(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectOne, LPARAM(&all));
    return all;
}

std::wstring WithoutAmpersands(std::wstring s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&') out += c;
    return out;
}

// The pixels of a screen rectangle, or of `icon` drawn on `background` in a rectangle of that size.
std::vector<COLORREF> Pixels(const RECT& r, HICON icon, COLORREF background) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (icon) {
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    } else {
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Which of the system's icons a message box shows: its icon control's pixels on screen are
// compared with each standard icon drawn on the same background.
std::string IconName(HWND dialog) {
    for (HWND child : Children(dialog)) {
        if (ClassOf(child) != L"Static" && ClassOf(child) != L"STATIC") continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        if (!IsWindowVisible(child) || !SendMessageW(child, STM_GETICON, 0, 0)) return "none";
        RECT r{};
        GetWindowRect(child, &r);
        r.right = r.left + GetSystemMetrics(SM_CXICON);
        r.bottom = r.top + GetSystemMetrics(SM_CYICON);
        const std::vector<COLORREF> shown = Pixels(r, nullptr, 0);
        const struct {
            const wchar_t* id;
            const char* name;
        } known[] = {{IDI_INFORMATION, "information"},
                     {IDI_ERROR, "error"},
                     {IDI_WARNING, "warning"},
                     {IDI_QUESTION, "question"}};
        for (const auto& k : known) {
            const std::vector<COLORREF> drawn = Pixels(r, LoadIconW(nullptr, k.id), shown.front());
            size_t differing = 0;
            for (size_t i = 0; i < shown.size(); ++i)
                differing += shown[i] != drawn[i];
            if (differing * 50 < shown.size()) return k.name;
        }
        return "unknown";
    }
    return "none";
}

int WaitWindow(const std::wstring& className, DWORD timeout) {
    HWND w = WaitTopLevel(className, timeout);
    if (!w) {
        Print("no visible window of class " + Utf8(className));
        return 1;
    }
    RECT r{};
    GetWindowRect(w, &r);
    RECT client{};
    GetClientRect(w, &client);
    Print("title=" + Escaped(TextOf(w)));
    Print("zoomed=" + std::to_string(IsZoomed(w) ? 1 : 0));
    Print("enabled=" + std::to_string(IsWindowEnabled(w) ? 1 : 0));
    Print("rect=" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
          "," + std::to_string(r.bottom));
    Print("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    Print("screen=" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
          std::to_string(GetSystemMetrics(SM_CYSCREEN)));
    return 0;
}

int WaitGone(const std::wstring& className, DWORD timeout) {
    const DWORD start = GetTickCount();
    while (FindTopLevel(className, false)) {
        if (GetTickCount() - start > timeout) {
            Print("a window of class " + Utf8(className) + " is still there");
            return 1;
        }
        Sleep(50);
    }
    return 0;
}

// What a user reads off a control: its text; a progress bar's position; a ticked box marked [x].
std::string ControlText(HWND control) {
    const std::wstring cls = ClassOf(control);
    if (cls == L"msctls_progress32") return "pos=" + std::to_string(SendMessageW(control, PBM_GETPOS, 0, 0));
    const bool ticked = cls == L"Button" && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return (ticked ? "[x] " : "") + Escaped(TextOf(control));
}

int Texts(const std::wstring& className) {
    HWND w = FindTopLevel(className, false);
    if (!w) return 1;
    for (HWND child : Children(w)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        Print(Utf8(ClassOf(child)) + "|" + std::to_string(GetDlgCtrlID(child)) + "|" +
              (IsWindowVisible(child) ? "visible" : "hidden") + "|" +
              (IsWindowEnabled(child) ? "enabled" : "disabled") + "|" + std::to_string(r.left) + "," +
              std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "x" +
              std::to_string(r.bottom - r.top) + "|" + ControlText(child));
    }
    return 0;
}

// Waits until a visible control of a visible window of the class reads exactly `text`.
int WaitText(const std::wstring& className, const std::wstring& text, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = FindTopLevel(className, true))
            for (HWND child : Children(w))
                if (IsWindowVisible(child) && TextOf(child) == text) return 0;
        if (GetTickCount() - start > timeout) {
            Print("no visible text " + Utf8(text));
            return 1;
        }
        Sleep(50);
    }
}

int MsgBox(DWORD timeout) {
    HWND box = WaitTopLevel(L"#32770", timeout);
    if (!box) {
        Print("no message box");
        return 1;
    }
    Sleep(100); // let the box finish laying itself out
    Print("title=" + Escaped(TextOf(box)));
    std::string buttons;
    for (HWND child : Children(box)) {
        if (GetDlgCtrlID(child) == 0xFFFF && ClassOf(child) != L"Button")
            Print("text=" + Escaped(TextOf(child)));
        if (ClassOf(child) == L"Button" && IsWindowVisible(child))
            buttons += (buttons.empty() ? "" : "|") + Utf8(TextOf(child));
    }
    Print("icon=" + IconName(box));
    Print("buttons=" + buttons);
    HWND owner = GetWindow(box, GW_OWNER);
    Print("owner=" + (owner ? Utf8(ClassOf(owner)) : std::string("none")));
    return 0;
}

// A button named by its text, or by OK, Cancel, Yes or No for the standard command of that name,
// whatever the system's language calls it.
bool IsButtonNamed(HWND button, const std::wstring& name) {
    if (ClassOf(button) != L"Button") return false;
    if (WithoutAmpersands(TextOf(button)) == WithoutAmpersands(name)) return true;
    const struct {
        const wchar_t* name;
        int id;
    } standard[] = {{L"OK", IDOK}, {L"Cancel", IDCANCEL}, {L"Yes", IDYES}, {L"No", IDNO}};
    for (const auto& s : standard)
        if (name == s.name) return GetDlgCtrlID(button) == s.id;
    return false;
}

int Press(const std::wstring& buttonText, DWORD timeout) {
    HWND box = WaitTopLevel(L"#32770", timeout);
    if (!box) {
        Print("no message box");
        return 1;
    }
    for (HWND child : Children(box)) {
        if (IsButtonNamed(child, buttonText)) {
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), LPARAM(child));
            return 0;
        }
    }
    Print("no button " + Utf8(buttonText));
    return 1;
}

int Click(const std::wstring& className, const std::wstring& buttonText) {
    HWND w = FindTopLevel(className, true);
    if (!w) return 1;
    for (HWND child : Children(w)) {
        if (ClassOf(child) == L"Button" &&
            WithoutAmpersands(TextOf(child)) == WithoutAmpersands(buttonText)) {
            PostMessageW(child, BM_CLICK, 0, 0);
            return 0;
        }
    }
    Print("no button " + Utf8(buttonText));
    return 1;
}

// Types into the n-th (from 1) control of a class, as WM_SETTEXT does: the control reports the
// change to its parent.
int SetText(const std::wstring& className, const std::wstring& controlClass, int n,
            const std::wstring& text) {
    HWND w = FindTopLevel(className, true);
    if (!w) return 1;
    for (HWND child : Children(w)) {
        if (_wcsicmp(ClassOf(child).c_str(), controlClass.c_str()) == 0 && --n == 0) {
            SendMessageW(child, WM_SETTEXT, 0, LPARAM(text.c_str()));
            return 0;
        }
    }
    Print("no such control");
    return 1;
}

int Key(const std::wstring& className, UINT vk) {
    HWND w = FindTopLevel(className, true);
    if (!w) return 1;
    SetForegroundWindow(w);
    HWND target = GetForegroundWindow() == w && GetFocus() ? GetFocus() : w;
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    return 0;
}

// The process that owns a window, opened with the given rights; null when it cannot be.
HANDLE OpenProcessOf(HWND window, DWORD access) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid ? OpenProcess(access, FALSE, pid) : nullptr;
}

// Memory in the process that owns a control, for messages whose arguments are pointers.
class RemoteBuffer {
  public:
    RemoteBuffer(HWND control, SIZE_T size) {
        process_ = OpenProcessOf(control, PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE);
        if (process_)
            address_ = static_cast<unsigned char*>(
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    unsigned char* at(SIZE_T offset = 0) const { return address_ + offset; }
    void Write(const void* bytes, SIZE_T size, SIZE_T offset = 0) const {
        WriteProcessMemory(process_, at(offset), bytes, size, nullptr);
    }
    void Read(void* bytes, SIZE_T size, SIZE_T offset = 0) const {
        ReadProcessMemory(process_, at(offset), bytes, size, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    unsigned char* address_ = nullptr;
};

HWND FindListView(const std::wstring& className, bool visibleOnly) {
    HWND w = FindTopLevel(className, visibleOnly);
    if (!w) return nullptr;
    for (HWND child : Children(w))
        if (ClassOf(child) == L"SysListView32") return child;
    return nullptr;
}

// Every row of the window's list view, "*" before a selected one, cells after "|".
int ListView(const std::wstring& className) {
    HWND list = FindListView(className, false);
    const SIZE_T bufferChars = 512;
    RemoteBuffer remote(list, sizeof(LVITEMW) + bufferChars * 2);
    if (!list || !remote) return 1;
    HWND header = HWND(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int rows = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const bool selected = SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED;
        std::string line = selected ? "*" : " ";
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = int(bufferChars);
            item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
            remote.Write(&item, sizeof item);
            const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, row, LPARAM(remote.at()));
            std::wstring text(size_t(length), L'\0');
            remote.Read(text.data(), size_t(length) * 2, sizeof(LVITEMW));
            line += "|" + Escaped(text);
        }
        Print(line);
    }
    return 0;
}

// Double-clicks a row of the window's list view as the mouse would.
int ListViewDoubleClick(const std::wstring& className, int row) {
    HWND list = FindListView(className, true);
    RemoteBuffer remote(list, sizeof(RECT));
    if (!list || !remote) return 1;
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    remote.Write(&r, sizeof r);
    if (!SendMessageW(list, LVM_GETITEMRECT, row, LPARAM(remote.at()))) return 1;
    remote.Read(&r, sizeof r);
    const LPARAM at = MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    return 0;
}

// The height of the first row of the window's list view, in pixels.
int ListViewRowHeight(const std::wstring& className) {
    HWND list = FindListView(className, true);
    RemoteBuffer remote(list, sizeof(RECT));
    if (!list || !remote) return 1;
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    remote.Write(&r, sizeof r);
    if (!SendMessageW(list, LVM_GETITEMRECT, 0, LPARAM(remote.at()))) return 1;
    remote.Read(&r, sizeof r);
    Print("rowheight=" + std::to_string(r.bottom - r.top));
    return 0;
}

// Serves the messages of this thread for a while.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}

// A window of another program that takes the activation, as a user switching programs would see.
class ForeignWindow {
  public:
    ForeignWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"UiDriverForeign";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(hwnd_);
        Pump(300);
    }
    ~ForeignWindow() { DestroyWindow(hwnd_); }
    bool Active() const { return GetForegroundWindow() == hwnd_; }

  private:
    HWND hwnd_ = nullptr;
};

// Switches to another program's window and back to the window of the class, as Alt+Tab or a
// click on the task bar does: the window is activated from outside its program.
int ActivateFromOutside(const std::wstring& className) {
    HWND w = FindTopLevel(className, true);
    if (!w) return 1;
    ForeignWindow other;
    Print(std::string("away=") + (other.Active() ? "yes" : "no"));
    SetForegroundWindow(w);
    Pump(300);
    Print(std::string("back=") + (GetForegroundWindow() == w ? "yes" : "no"));
    return 0;
}

// Keeps another program's window active for a while, so that what the setup shows meanwhile is
// shown while it is not the active program.
int StayAway(DWORD milliseconds) {
    ForeignWindow other;
    Print(std::string("away=") + (other.Active() ? "yes" : "no"));
    Pump(milliseconds);
    return 0;
}

// The class of the active window of the desktop.
int Active() {
    HWND w = GetForegroundWindow();
    Print("active=" + (w ? Utf8(ClassOf(w)) : std::string("none")));
    return 0;
}

// Alt+F4 on the window of the class, typed as a user types it: the window is brought to the front
// and the keys go through the system's input queue.
int AltF4(const std::wstring& className) {
    HWND w = FindTopLevel(className, true);
    if (!w) return 1;
    SetForegroundWindow(w);
    Pump(200);
    if (GetForegroundWindow() != w) {
        Print("not in front");
        return 1;
    }
    INPUT keys[4] = {};
    const WORD order[4][2] = {{VK_MENU, 0}, {VK_F4, 0}, {VK_F4, KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i][0];
        keys[i].ki.dwFlags = order[i][1];
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4 ? 0 : 1;
}

// Waits for the process owning a window of the class to end and prints its exit code as Windows
// reports it.
int WatchExit(const std::wstring& className, DWORD timeout) {
    HWND w = WaitTopLevel(className, timeout);
    HANDLE process = w ? OpenProcessOf(w, SYNCHRONIZE | PROCESS_QUERY_INFORMATION) : nullptr;
    if (!process) return 1;
    Print("watching");
    const bool ended = WaitForSingleObject(process, timeout) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!ended) return 1;
    Print("exitcode=" + std::to_string(code));
    return 0;
}

// Starts EXE with the command line tail ARGS and watches it to its end: every class of a visible
// top-level window it ever shows (looked at every few milliseconds), every window of another
// process that became visible meanwhile (a folder window the shell opens on its behalf counts as
// much as its own), then its exit code.
struct Watched {
    DWORD processId;
    std::vector<HWND> before;         // visible before the start: not the setup's doing
    std::vector<std::wstring> seen;   // classes of its own windows
    std::vector<std::wstring> others; // classes of other processes' new windows
};

void NoteOnce(std::vector<std::wstring>& list, const std::wstring& className) {
    for (const std::wstring& c : list)
        if (c == className) return;
    list.push_back(className);
}

BOOL CALLBACK NoteBefore(HWND w, LPARAM p) {
    if (IsWindowVisible(w)) reinterpret_cast<Watched*>(p)->before.push_back(w);
    return TRUE;
}

BOOL CALLBACK NoteVisible(HWND w, LPARAM p) {
    auto* v = reinterpret_cast<Watched*>(p);
    if (!IsWindowVisible(w)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == v->processId) {
        NoteOnce(v->seen, ClassOf(w));
    } else if (pid != GetCurrentProcessId()) {
        for (HWND b : v->before)
            if (b == w) return TRUE;
        NoteOnce(v->others, ClassOf(w));
    }
    return TRUE;
}

int RunWatch(DWORD timeout, const std::wstring& exe, const std::wstring& args) {
    std::wstring commandLine = L"\"" + exe + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    Watched watched{};
    EnumWindows(NoteBefore, reinterpret_cast<LPARAM>(&watched));
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        Print("cannot start: " + std::to_string(GetLastError()));
        return 1;
    }
    watched.processId = started.dwProcessId;
    const DWORD start = GetTickCount();
    bool ended = false;
    while (!(ended = WaitForSingleObject(started.hProcess, 3) == WAIT_OBJECT_0) &&
           GetTickCount() - start < timeout)
        EnumWindows(NoteVisible, reinterpret_cast<LPARAM>(&watched));
    // What the setup set in motion may show a little after it ended.
    for (int i = 0; i < 100; ++i, Sleep(10))
        EnumWindows(NoteVisible, reinterpret_cast<LPARAM>(&watched));
    for (const std::wstring& c : watched.seen)
        Print("visible=" + Utf8(c));
    for (const std::wstring& c : watched.others)
        Print("other=" + Utf8(c));
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    if (!ended) {
        Print("still running");
        return 1;
    }
    Print("exitcode=" + std::to_string(code));
    return 0;
}

// The memory of the process that owns a window of the class.
int Stats(const std::wstring& className) {
    HWND w = FindTopLevel(className, false);
    HANDLE process = w ? OpenProcessOf(w, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ) : nullptr;
    if (!process) return 1;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(process, &memory, sizeof memory);
    CloseHandle(process);
    Print("private=" + std::to_string(memory.PagefileUsage));
    Print("peak=" + std::to_string(memory.PeakWorkingSetSize));
    return 0;
}

// What a shortcut file points at: its target and its working folder.
int Shortcut(const wchar_t* path) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    int rc = 1;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path, STGM_READ))) {
        wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, arguments[MAX_PATH] = {};
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, MAX_PATH);
        link->GetArguments(arguments, MAX_PATH);
        Print("target=" + Utf8(target));
        Print("folder=" + Utf8(folder));
        Print("arguments=" + Utf8(arguments));
        rc = 0;
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return rc;
}

// The description of an uncompressed device-independent bitmap; a negative height puts the rows
// top-down.
BITMAPINFO DibInfo(int width, int height, WORD bitCount) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = bitCount;
    return bi;
}

int Screenshot(const wchar_t* path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const BITMAPINFO bi = DibInfo(width, height, 24); // rows bottom-up, as a .bmp file stores them
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    const DWORD imageSize = DWORD(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + imageSize;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, &fh, sizeof fh, &written, nullptr);
    WriteFile(file, &bi.bmiHeader, sizeof bi.bmiHeader, &written, nullptr);
    WriteFile(file, bits, imageSize, &written, nullptr);
    CloseHandle(file);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return 0;
}

// How many pixels of the screen area at (x, y), WIDTH x HEIGHT, differ from the top left of a
// bitmap file shown in its natural size: prints "differing=N" (-1 when the file cannot be read).
int CompareBitmap(const wchar_t* file, int x, int y, int width, int height) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, file, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return Print("differing=-1"), 1;
    HDC screen = GetDC(nullptr);
    const BITMAPINFO bi = DibInfo(width, -height, 32);
    // The same area twice, as 32-bit pixels: once from the screen, once drawn from the file.
    void* shownBits = nullptr;
    void* expectedBits = nullptr;
    HBITMAP shown = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &shownBits, nullptr, 0);
    HBITMAP expected = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &expectedBits, nullptr, 0);
    HDC target = CreateCompatibleDC(screen);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ oldTarget = SelectObject(target, shown);
    BitBlt(target, 0, 0, width, height, screen, x, y, SRCCOPY);
    SelectObject(target, expected);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    int differing = 0;
    for (int i = 0; i < width * height; ++i)
        if ((static_cast<const DWORD*>(shownBits)[i] & 0xFFFFFF) !=
            (static_cast<const DWORD*>(expectedBits)[i] & 0xFFFFFF))
            ++differing;
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(expected);
    DeleteObject(shown);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    Print("differing=" + std::to_string(differing));
    return 0;
}

int Pixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    Print("rgb=" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
          std::to_string(GetBValue(c)));
    return 0;
}

// What a screen area holds, for telling text on a background from a bar of one colour: how many of
// its pixels are pure white, dark (every channel below 128) or neither.
int Area(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    int white = 0, dark = 0, other = 0;
    for (COLORREF c : Pixels(RECT{x, y, x + width, y + height}, nullptr, 0)) {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        if (r == 255 && g == 255 && b == 255)
            ++white;
        else if (r < 128 && g < 128 && b < 128)
            ++dark;
        else
            ++other;
    }
    Print("white=" + std::to_string(white));
    Print("dark=" + std::to_string(dark));
    Print("other=" + std::to_string(other));
    return 0;
}

// Holds a named mutex for `milliseconds`, as a setup of another session would hold its global one.
int HoldMutex(const wchar_t* name, DWORD milliseconds) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    if (!mutex) return Print("cannot create: " + std::to_string(GetLastError())), 1;
    Print("holding");
    Sleep(milliseconds);
    CloseHandle(mutex);
    return 0;
}

DWORD Timeout(int argc, wchar_t** argv, int index) {
    return argc > index ? DWORD(_wtoi(argv[index])) : 10000;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        Print("usage: uidriver "
              "wait-window|gone|list|count|texts|wait-text|msgbox|press|click|set-text|key|close|listview|"
              "row-height|activate-from-outside|stay-away|active|alt-f4|pixel|area|hold-mutex|acp|screenshot|"
              "run-watch "
              "...");
        return 2;
    }
    const std::wstring command = argv[1];
    if (command == L"wait-window" && argc >= 3) return WaitWindow(argv[2], Timeout(argc, argv, 3));
    if (command == L"gone" && argc >= 3) return WaitGone(argv[2], Timeout(argc, argv, 3));
    if (command == L"pixel" && argc >= 4) return Pixel(_wtoi(argv[2]), _wtoi(argv[3]));
    if (command == L"hold-mutex" && argc >= 4) return HoldMutex(argv[2], DWORD(_wtoi(argv[3])));
    if (command == L"area" && argc >= 6)
        return Area(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
    if (command == L"compare-bitmap" && argc >= 7)
        return CompareBitmap(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]));
    if (command == L"acp") return Print(std::to_string(GetACP())), 0;
    if (command == L"list") return EnumWindows(ListOne, 0), 0;
    if (command == L"count" && argc >= 3) return CountTopLevel(argv[2]);
    if (command == L"wait-text" && argc >= 4) return WaitText(argv[2], argv[3], Timeout(argc, argv, 4));
    if (command == L"texts" && argc >= 3) return Texts(argv[2]);
    if (command == L"msgbox") return MsgBox(Timeout(argc, argv, 2));
    if (command == L"press" && argc >= 3) return Press(argv[2], Timeout(argc, argv, 3));
    if (command == L"click" && argc >= 4) return Click(argv[2], argv[3]);
    if (command == L"set-text" && argc >= 6) return SetText(argv[2], argv[3], _wtoi(argv[4]), argv[5]);
    if (command == L"key" && argc >= 4) return Key(argv[2], UINT(_wtoi(argv[3])));
    if (command == L"close" && argc >= 3) {
        HWND w = FindTopLevel(argv[2], false);
        return w && PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    }
    if (command == L"listview-dblclick" && argc >= 4) return ListViewDoubleClick(argv[2], _wtoi(argv[3]));
    if (command == L"listview" && argc >= 3) return ListView(argv[2]);
    if (command == L"row-height" && argc >= 3) return ListViewRowHeight(argv[2]);
    if (command == L"activate-from-outside" && argc >= 3) return ActivateFromOutside(argv[2]);
    if (command == L"stay-away" && argc >= 3) return StayAway(DWORD(_wtoi(argv[2])));
    if (command == L"active") return Active();
    if (command == L"alt-f4" && argc >= 3) return AltF4(argv[2]);
    if (command == L"watch-exit" && argc >= 3) return WatchExit(argv[2], Timeout(argc, argv, 3));
    if (command == L"stats" && argc >= 3) return Stats(argv[2]);
    if (command == L"run-watch" && argc >= 5) return RunWatch(DWORD(_wtoi(argv[2])), argv[3], argv[4]);
    if (command == L"shortcut" && argc >= 3) return Shortcut(argv[2]);
    if (command == L"screenshot" && argc >= 3) return Screenshot(argv[2]);
    Print("unknown command");
    return 2;
}
