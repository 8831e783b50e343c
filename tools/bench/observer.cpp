// Times what the benchmark measures, from outside the measured program, with the same clock:
//   startup EXE CLASS...        start EXE, print the milliseconds until a visible window of each
//                               class is there, then end the process
//   extract LAST_FILE SIZE      press the wizard's Next, print the milliseconds from the progress
//                               window's first showing until LAST_FILE has its full SIZE
//   files FIRST LAST SIZE       print the milliseconds from FIRST appearing until LAST has SIZE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * double(t.QuadPart) / double(frequency.QuadPart);
}

struct Find {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchVisible(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (IsWindowVisible(w) && wcscmp(name, f->className) == 0) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND Visible(const wchar_t* className) {
    Find f{className, nullptr};
    EnumWindows(MatchVisible, LPARAM(&f));
    return f.found;
}

long long FileSize(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

BOOL CALLBACK PressNext(HWND w, LPARAM) {
    wchar_t text[32] = {};
    GetWindowTextW(w, text, 32);
    if (wcscmp(text, L"下一步 >") == 0) {
        PostMessageW(w, BM_CLICK, 0, 0);
        return FALSE;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"startup" && argc >= 4) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        const double start = Now();
        if (!CreateProcessW(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 1;
        for (int i = 3; i < argc; ++i) {
            while (!Visible(argv[i]) && Now() - start < 60000)
                Sleep(1);
            std::printf("%ls %.1f\n", argv[i], Now() - start);
        }
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        return 0;
    }
    if (command == L"extract" && argc >= 4) {
        const long long size = _wtoi64(argv[3]);
        HWND wizard = Visible(L"TFormSchedule");
        if (!wizard) return 1;
        EnumChildWindows(wizard, PressNext, 0);
        double start = Now();
        while (!Visible(L"TFormsec") && Now() - start < 60000)
            Sleep(1);
        start = Now();
        while (FileSize(argv[2]) != size && Now() - start < 600000)
            Sleep(1);
        std::printf("%.1f\n", Now() - start);
        return 0;
    }
    if (command == L"files" && argc >= 5) {
        const long long size = _wtoi64(argv[4]);
        while (FileSize(argv[2]) < 0)
            Sleep(1);
        const double start = Now();
        while (FileSize(argv[3]) != size && Now() - start < 600000)
            Sleep(1);
        std::printf("%.1f\n", Now() - start);
        return 0;
    }
    return 2;
}
