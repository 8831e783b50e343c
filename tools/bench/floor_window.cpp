// The floor of the size and start-up figures: a minimal static C++ Win32 program with one window,
// std::string and exceptions, built with the setup's toolchain and flags.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::wstring title = L"Floor";
    try {
        if (title.empty()) throw std::runtime_error("no title");
    } catch (const std::exception&) {
        return 1;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TBenchFloor";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, L"TBenchFloor", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  320, 200, nullptr, nullptr, instance, nullptr);
    (void)window;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
