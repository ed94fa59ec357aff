// The owner-drawn push button: a glyph left of a one-line caption, a click for each completed
// press of the mouse, Space or Enter, and the visual style's face when styles are active.
#pragma once

#include "classlib/Glyph.h"
#include "classlib/VisualStyle.h"
#include "classlib/WinControl.h"

#include <memory>

class TLMDButton : public TWinControl {
public:
    TLMDButton() { m_tabStop = true; }
    std::string_view ClassName() const override { return "TLMDButton"; }
    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void Click();
    bool Pressed() const { return (m_mouseDown && m_mouseInside) || m_spaceDown; }
    void SetFlag(bool& flag, bool value);
    void PaintFace(HDC dc, const RECT& client) const;
    void PaintContent(HDC dc, const RECT& client) const;

    TNotifyEvent m_onClick;
    TGlyph m_glyph;
    std::unique_ptr<classlib::ButtonTheme> m_theme;
    bool m_mouseDown = false;    // pressed with the mouse, which is captured
    bool m_mouseInside = false;  // while pressed: the pointer is over the button
    bool m_spaceDown = false;
    bool m_hot = false;          // the pointer is over the button
};
