// A font as the layout describes it (name, height, character set, style, colour) and the GDI
// font made from it on first use.
#pragma once

#include "classlib/Handles.h"

#include "Geometry.h"
#include "LayoutText.h"

#include <string>
#include <string_view>

class TFont {
public:
    // Reads one Font.* line; the part after "Font." names the attribute.
    void ReadProperty(std::string_view attribute, const core::LayoutProperty& property);
    void ChangeScale(core::ScaleRatio ratio);
    void SetHeight(int height);
    int Height() const { return m_height; }

    HFONT Handle() const;
    COLORREF Color() const { return ::GetSysColor(m_colorIndex); }

private:
    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    int m_charset = DEFAULT_CHARSET;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    int m_colorIndex = COLOR_WINDOWTEXT;
    mutable classlib::UniqueFont m_handle;
};

// The height the layout's text-height measure takes: that of the digit zero in the font.
int TextHeightOfZero(HFONT font);
