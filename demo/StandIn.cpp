// A stand-in for the six warehouse modules of the demo installation: a small window that shows
// the name it was started under and its current directory. Not part of the system.
// When MODULE_LOG names a file, each start appends one line to it, tab-separated:
//   program path, command line, current directory, show command, process id
// so that tests can see exactly what was started, and how.
#include <windows.h>

#include <string>

namespace {

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

std::wstring CurrentDirectory() {
    wchar_t folder[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder, length < MAX_PATH ? length : 0);
}

std::wstring BaseName(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    return name.substr(0, name.rfind(L'.'));
}

int StartupShowCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
}

void AppendToLog(const std::wstring& line) {
    wchar_t log[MAX_PATH];
    if (!::GetEnvironmentVariableW(L"MODULE_LOG", log, MAX_PATH)) return;
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();  // the terminator
    // Several stand-ins may start at once: each appends its line in one write.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            ::CloseHandle(file);
            return;
        }
        ::Sleep(10);
    }
}

std::wstring g_text;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd, &ps);
        RECT client;
        ::GetClientRect(hwnd, &client);
        ::InflateRect(&client, -12, -12);
        ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, g_text.c_str(), -1, &client, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    const std::wstring path = ModulePath();
    const std::wstring name = BaseName(path);
    const std::wstring folder = CurrentDirectory();
    const int show = StartupShowCommand();
    AppendToLog(path + L"\t" + ::GetCommandLineW() + L"\t" + folder + L"\t" + std::to_wstring(show) + L"\t" +
                std::to_wstring(::GetCurrentProcessId()) + L"\r\n");

    g_text = L"Modu\u0142 magazynu: " + name + L"\r\n\r\nKatalog bie\u017C\u0105cy:\r\n" + folder;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"KolbrentaStandIn";
    ::RegisterClassExW(&wc);
    // In the top left corner, clear of the centred menu on a screen of 1024 x 768 or more.
    const HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, name.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 420, 170,
                                        nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    // Applied by hand: the system does not always pass the start-up show command on.
    ::ShowWindow(hwnd, show >= 0 ? show : SW_SHOWNORMAL);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
