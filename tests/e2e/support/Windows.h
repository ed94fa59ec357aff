// Looking at another process's windows from outside, and driving them as a user would: window
// tree, texts, geometry, focus, keys, mouse and pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace e2e {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);  // as the window reports it, in UTF-16
std::vector<HWND> Children(HWND parent);  // direct children, first created first
DWORD ProcessOf(HWND window);
DWORD ThreadOf(HWND window);
bool HasStyle(HWND window, DWORD style);

// Top-level windows of a process, of a class if one is given.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);

// Polls until the condition holds; false after the time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);
// Waits so long that anything the program was going to do in reaction has been done.
void Settle(DWORD milliseconds = 300);

RECT ScreenRect(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
SIZE SizeOf(const RECT& rect);

HWND FocusOf(HWND anyWindowOfTheThread);
HWND ActiveOf(HWND anyWindowOfTheThread);
HWND ForegroundWindow();

// Keys and the mouse reach the foreground window, as a user's do.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
void KeyDown(WORD key);
void KeyUp(WORD key);
void MoveMouseTo(POINT screen);
void MouseDown();
void MouseUp();
void ClickAt(POINT screen);
POINT CentreOf(HWND window);
void BringToFront(HWND window);

// Pixels as the screen shows them (the display is 24-bit, so colours are exact).
class Pixels {
public:
    static Pixels OfScreen(const RECT& screenRect);
    static Pixels OfWindow(HWND window);  // its whole rectangle
    // A picture drawn by the test itself, of the given size, starting filled with a colour.
    static Pixels Drawn(int width, int height, COLORREF fill, const std::function<void(HDC)>& draw);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    Pixels Crop(const RECT& rect) const;
    bool operator==(const Pixels& other) const = default;
    // Rows of the picture as text, for a readable failure message.
    std::string Describe() const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;  // 0x00RRGGBB, top row first
};

}  // namespace e2e
