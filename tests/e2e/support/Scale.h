// What the layout's numbers become on this display: the text height measured here, as the
// launcher measures it, and the expected fonts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// Height of "0" in the window's font (Arial, 8 points at this display's density).
int MeasuredTextHeight();

// A layout value scaled by measured height / 14.
int Scaled(int value);

// Owns a font made the way the layout describes one, at a scaled height.
class TestFont {
public:
    TestFont(const wchar_t* face, int layoutHeight, int weight = FW_NORMAL, int charset = EASTEUROPE_CHARSET);
    ~TestFont();
    TestFont(const TestFont&) = delete;
    TestFont& operator=(const TestFont&) = delete;
    HFONT Get() const { return m_font; }
    SIZE Extent(const std::wstring& text) const;  // as DrawText measures a single line

private:
    HFONT m_font;
};

// A Windows-1250 text of the system as UTF-16.
std::wstring From1250(std::string_view text);

}  // namespace e2e
