// Holds a file open without sharing, as a running program holds its executable, until killed. Says
// "holding" once it does, so that a test waits for that instead of for a while.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    HANDLE file =
        CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "holding\n", 8, &written, nullptr);
    Sleep(INFINITE);
    return 0;
}
