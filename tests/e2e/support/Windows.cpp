#include "support/Windows.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

DWORD ThreadOf(HWND window) { return ::GetWindowThreadProcessId(window, nullptr); }

bool HasStyle(HWND window, DWORD style) {
    return (static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)) & style) == style;
}

namespace {

struct Search {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (ProcessOf(window) == search->processId && (!search->className || ClassOf(window) == search->className))
        search->found.push_back(window);
    return TRUE;
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    Send({input});
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    Search search{processId, className, {}};
    ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() > end) return false;
        ::Sleep(20);
    }
}

void Settle(DWORD milliseconds) { ::Sleep(milliseconds); }

RECT ScreenRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND window) {
    RECT rect = ScreenRect(window);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(ThreadOf(window), &info);
    return info.hwndFocus;
}

HWND ActiveOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(ThreadOf(window), &info);
    return info.hwndActive;
}

HWND ForegroundWindow() { return ::GetForegroundWindow(); }

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (const WORD modifier : modifiers) inputs.push_back(Key(modifier, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(Key(*it, true));
    Send(inputs);
}

void KeyDown(WORD key) { Send({Key(key, false)}); }
void KeyUp(WORD key) { Send({Key(key, true)}); }

void MoveMouseTo(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send({input});
}

void MouseDown() { MouseButton(MOUSEEVENTF_LEFTDOWN); }
void MouseUp() { MouseButton(MOUSEEVENTF_LEFTUP); }

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    MouseDown();
    MouseUp();
}

POINT CentreOf(HWND window) {
    const RECT rect = ScreenRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3000);
}

Pixels Pixels::OfScreen(const RECT& rect) {
    Pixels pixels;
    pixels.m_width = rect.right - rect.left;
    pixels.m_height = rect.bottom - rect.top;
    pixels.m_pixels.resize(static_cast<std::size_t>(pixels.m_width) * pixels.m_height);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.m_width;
    info.bmiHeader.biHeight = -pixels.m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, pixels.m_width, pixels.m_height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.m_pixels.size(); ++i) pixels.m_pixels[i] = source[i] & 0xFFFFFF;
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels Pixels::OfWindow(HWND window) { return OfScreen(ScreenRect(window)); }

Pixels Pixels::Drawn(int width, int height, COLORREF fill, const std::function<void(HDC)>& draw) {
    Pixels pixels;
    pixels.m_width = width;
    pixels.m_height = height;
    pixels.m_pixels.resize(static_cast<std::size_t>(width) * height);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    const HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    draw(memory);
    ::GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.m_pixels.size(); ++i) pixels.m_pixels[i] = source[i] & 0xFFFFFF;
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF Pixels::At(int x, int y) const {
    const std::uint32_t rgb = m_pixels[static_cast<std::size_t>(y) * m_width + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

Pixels Pixels::Crop(const RECT& rect) const {
    Pixels cropped;
    cropped.m_width = rect.right - rect.left;
    cropped.m_height = rect.bottom - rect.top;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) cropped.m_pixels.push_back(m_pixels[static_cast<std::size_t>(y) * m_width + x]);
    return cropped;
}

std::string Pixels::Describe() const {
    // Each distinct colour gets a letter, in order of appearance.
    std::vector<std::uint32_t> palette;
    std::string text = std::to_string(m_width) + "x" + std::to_string(m_height) + "\n";
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const std::uint32_t pixel = m_pixels[static_cast<std::size_t>(y) * m_width + x];
            std::size_t index = 0;
            while (index < palette.size() && palette[index] != pixel) ++index;
            if (index == palette.size()) palette.push_back(pixel);
            text += index < 26 ? static_cast<char>('a' + index) : '#';
        }
        text += '\n';
    }
    return text;
}

}  // namespace e2e
