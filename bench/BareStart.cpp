// Baseline for a tile's click: a bare window program that, when told (WM_APP), starts the module
// by the same calls the launcher's start operation makes, with nothing around them.
#include <windows.h>

#include <string_view>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        wchar_t folder[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, folder);
        std::wstring_view path = L"Meblowy\\Meblowy.exe";
        wchar_t program[MAX_PATH * 2];
        ::wsprintfW(program, L"%s\\%s", folder, path.data());
        wchar_t commandLine[] = L"Meblowy\\Meblowy.exe";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION started{};
        if (::CreateProcessW(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            ::WaitForInputIdle(started.hProcess, 10000);
            ::CloseHandle(started.hThread);
            ::CloseHandle(started.hProcess);
        }
        return 0;
    }
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
    wc.lpszClassName = L"BareStart";
    ::RegisterClassExW(&wc);
    const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare start", WS_OVERLAPPEDWINDOW, 600, 500, 200, 100,
                                        nullptr, nullptr, instance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
