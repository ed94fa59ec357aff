// Baseline for the launcher's start and memory: a bare program built the same way that makes one
// window of the menu's size and runs a message loop.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"BareWindow";
    ::RegisterClassExW(&wc);
    // The menu's outer size on this display, passed by the benchmark.
    int width = 667, height = 470;
    wchar_t size[32];
    if (::GetEnvironmentVariableW(L"BARE_WINDOW_SIZE", size, 32)) std::swscanf(size, L"%dx%d", &width, &height);
    const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
