#include "classlib/VisualStyle.h"

#include <string>

namespace classlib {

namespace {

template <class Fn>
Fn Entry(HMODULE module, const char* name) {
    // Through the generic function type, the one cast between function types that is defined.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

struct ThemeLibrary {
    using IsAppThemedFn = BOOL(WINAPI*)();
    using OpenThemeDataFn = ThemeHandle(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(ThemeHandle);
    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(ThemeHandle, HDC, int, int, const RECT*, const RECT*);

    ThemeLibrary() {
        // By its full path in the system folder, which every system version honours. Kept for the
        // life of the process: themes opened from it are used until the end.
        wchar_t folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;
        const HMODULE module = ::LoadLibraryW((std::wstring(folder, length) + L"\\uxtheme.dll").c_str());
        if (!module) return;
        isAppThemed = Entry<IsAppThemedFn>(module, "IsAppThemed");
        open = Entry<OpenThemeDataFn>(module, "OpenThemeData");
        close = Entry<CloseThemeDataFn>(module, "CloseThemeData");
        draw = Entry<DrawThemeBackgroundFn>(module, "DrawThemeBackground");
        if (!isAppThemed || !open || !close || !draw) isAppThemed = nullptr;
    }

    IsAppThemedFn isAppThemed = nullptr;
    OpenThemeDataFn open = nullptr;
    CloseThemeDataFn close = nullptr;
    DrawThemeBackgroundFn draw = nullptr;
};

const ThemeLibrary& Library() {
    static const ThemeLibrary library;
    return library;
}

}  // namespace

ButtonTheme::ButtonTheme(HWND window) {
    const ThemeLibrary& library = Library();
    if (library.isAppThemed && library.isAppThemed()) m_theme = library.open(window, L"BUTTON");
}

ButtonTheme::~ButtonTheme() {
    if (m_theme) Library().close(m_theme);
}

void ButtonTheme::DrawBackground(HDC dc, int part, int state, const RECT& rect) const {
    Library().draw(m_theme, dc, part, state, &rect, nullptr);
}

}  // namespace classlib
