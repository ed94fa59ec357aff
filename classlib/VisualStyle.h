// The system's visual styles, when active. The style library is loaded from the system folder
// only, on first use, so that a library of that name beside the program is never taken instead.
#pragma once

#include <windows.h>

namespace classlib {

// The parts and states of the style's BUTTON class that the controls draw.
inline constexpr int kPushButtonPart = 1;
inline constexpr int kGroupBoxPart = 4;
enum class PushButtonState { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4, Focused = 5 };

using ThemeHandle = void*;

// Opened for one window; closed with the object. Empty while styles are off.
class ButtonTheme {
public:
    explicit ButtonTheme(HWND window);
    ~ButtonTheme();
    ButtonTheme(const ButtonTheme&) = delete;
    ButtonTheme& operator=(const ButtonTheme&) = delete;

    explicit operator bool() const { return m_theme != nullptr; }
    void DrawBackground(HDC dc, int part, int state, const RECT& rect) const;

private:
    ThemeHandle m_theme = nullptr;
};

}  // namespace classlib
