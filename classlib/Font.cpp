#include "classlib/Font.h"

#include "classlib/LayoutValues.h"
#include "classlib/Text.h"

using classlib::IntegerValue;

void TFont::ReadProperty(std::string_view attribute, const core::LayoutProperty& property) {
    m_handle.reset();
    if (attribute == "Name") {
        m_name = classlib::StringValue(property);
        if (m_name.empty() || m_name.size() >= LF_FACESIZE) classlib::InvalidValue(property);
    } else if (attribute == "Height") {
        m_height = IntegerValue(property, -1000, 1000);
        if (m_height == 0) classlib::InvalidValue(property);
    } else if (attribute == "Charset") {
        m_charset = property.value.kind == core::LayoutValue::Kind::Integer
                        ? IntegerValue(property, 0, 255)
                        : classlib::NamedValue<int>(property, {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                               {"ANSI_CHARSET", ANSI_CHARSET},
                                                               {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}});
    } else if (attribute == "Color") {
        m_colorIndex = classlib::NamedValue<int>(property, {{"clWindowText", COLOR_WINDOWTEXT}});
    } else if (attribute == "Style") {
        m_bold = m_italic = m_underline = m_strikeOut = false;
        for (const auto& item : classlib::SetValue(property)) {
            if (item == "fsBold") m_bold = true;
            else if (item == "fsItalic") m_italic = true;
            else if (item == "fsUnderline") m_underline = true;
            else if (item == "fsStrikeOut") m_strikeOut = true;
            else throw EReadError("Invalid property value " + item);
        }
    } else {
        throw EReadError("Property " + property.name + " does not exist");
    }
}

void TFont::ChangeScale(core::ScaleRatio ratio) { SetHeight(ratio.Apply(m_height)); }

void TFont::SetHeight(int height) {
    m_height = height;
    m_handle.reset();
}

HFONT TFont::Handle() const {
    if (!m_handle) {
        // The system's texts are Windows-1250 whatever the system's code page, so a font that
        // asks for the default character set gets the Central European one: otherwise a Western
        // system picks a face without the Polish letters.
        const int charset = m_charset == DEFAULT_CHARSET ? EASTEUROPE_CHARSET : m_charset;
        const std::wstring face = classlib::FromWindows1250(m_name);
        m_handle.reset(::CreateFontW(m_height, 0, 0, 0, m_bold ? FW_BOLD : FW_NORMAL, m_italic, m_underline,
                                     m_strikeOut, static_cast<BYTE>(charset), OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()));
        if (!m_handle) throw EOSError("CreateFont", ::GetLastError());
    }
    return m_handle.get();
}

int TextHeightOfZero(HFONT font) {
    classlib::ScreenDc screen;
    classlib::SelectedObject selected(screen.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.Get(), L"0", 1, &size);
    return size.cy;
}
