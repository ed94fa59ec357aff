#include "classlib/LMDButton.h"

#include "classlib/LayoutLoader.h"
#include "classlib/LayoutValues.h"
#include "classlib/Text.h"

#include <algorithm>

namespace {

constexpr int kGlyphToCaption = 2;
// Bit 30 of a key message: the key was already down, so this is a repeat.
constexpr LPARAM kKeyWasDown = 1 << 30;

}  // namespace

void TLMDButton::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    const std::string& name = property.name;
    if (name == "Caption") SetCaption(classlib::FromWindows1250(classlib::StringValue(property)));
    else if (name == "OnClick") m_onClick = reader.Method(property);
    else if (name == "Glyph") m_glyph.LoadFromResource(classlib::StringValue(property));
    else TWinControl::ReadProperty(property, reader);
}

void TLMDButton::Click() {
    if (m_onClick) m_onClick(this);
}

void TLMDButton::SetFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TLMDButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
    case WM_THEMECHANGED:
        m_theme = std::make_unique<classlib::ButtonTheme>(Handle());
        ::InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_ERASEBKGND:
        return 1;  // the face covers everything
    case WM_LBUTTONDOWN:
        ::SetFocus(Handle());
        ::SetCapture(Handle());
        m_mouseInside = true;
        SetFlag(m_mouseDown, true);
        return 0;
    case WM_MOUSEMOVE: {
        RECT client;
        ::GetClientRect(Handle(), &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool inside = ::PtInRect(&client, at) != 0;
        if (!m_hot && inside) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            ::TrackMouseEvent(&track);
        }
        SetFlag(m_hot, inside);
        SetFlag(m_mouseInside, inside);
        return 0;
    }
    case WM_MOUSELEAVE:
        SetFlag(m_hot, false);
        return 0;
    case WM_LBUTTONUP:
        if (m_mouseDown) {
            // Released elsewhere, the press is cancelled.
            const bool click = m_mouseInside;
            ::ReleaseCapture();
            if (click) Click();
        }
        return 0;
    case WM_CAPTURECHANGED:
        SetFlag(m_mouseDown, false);
        return 0;
    case WM_KEYDOWN:
        if (lParam & kKeyWasDown) return 0;
        if (wParam == VK_SPACE) {
            SetFlag(m_spaceDown, true);
            return 0;
        }
        // Enter clicks on its own; with Shift or Ctrl it does nothing (with Alt it arrives as a
        // system key).
        if (wParam == VK_RETURN && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
            Click();
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_spaceDown) {
            SetFlag(m_spaceDown, false);
            Click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (message == WM_KILLFOCUS) m_spaceDown = false;
        ::InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_ENABLE:
        ::InvalidateRect(Handle(), nullptr, FALSE);
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TLMDButton::Paint(HDC target, const RECT& client) {
    // Drawn off screen and copied in one go, so that hovering and pressing do not flicker.
    const classlib::UniqueMemoryDc buffer(::CreateCompatibleDC(target));
    const classlib::UniqueBitmap bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!buffer || !bitmap) return;
    classlib::SelectedObject selected(buffer.get(), bitmap.get());
    const HDC dc = buffer.get();
    PaintFace(dc, client);
    PaintContent(dc, client);
    if (::GetFocus() == Handle()) {
        RECT focus = client;
        ::InflateRect(&focus, -4, -4);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &focus);
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void TLMDButton::PaintFace(HDC dc, const RECT& client) const {
    if (m_theme && *m_theme) {
        using State = classlib::PushButtonState;
        State state = State::Normal;
        if (!::IsWindowEnabled(Handle())) state = State::Disabled;
        else if (Pressed()) state = State::Pressed;
        else if (m_hot) state = State::Hot;
        else if (::GetFocus() == Handle()) state = State::Focused;
        ::FillRect(dc, &client, ::GetSysColorBrush(ColorIndex()));
        m_theme->DrawBackground(dc, classlib::kPushButtonPart, static_cast<int>(state), client);
        return;
    }
    RECT face = client;
    if (Pressed()) {
        // Flat with a dark outline.
        ::FrameRect(dc, &face, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&face, -1, -1);
        ::FrameRect(dc, &face, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::InflateRect(&face, -1, -1);
        ::FillRect(dc, &face, ::GetSysColorBrush(ColorIndex()));
    } else {
        ::FillRect(dc, &face, ::GetSysColorBrush(ColorIndex()));
        ::DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
    }
}

// The glyph stands left of the caption; the pair is centred in the button and the lower of the
// two centred against the taller, halves truncated. Nothing is clipped to the face: a glyph as
// tall as the button covers its edges.
void TLMDButton::PaintContent(HDC dc, const RECT& client) const {
    classlib::SelectedObject font(dc, Font().Handle());
    RECT text{};
    ::DrawTextW(dc, Caption().c_str(), -1, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int textWidth = text.right, textHeight = text.bottom;
    const int glyphWidth = m_glyph.Width(), glyphHeight = m_glyph.Height();
    const int gap = m_glyph.Empty() || Caption().empty() ? 0 : kGlyphToCaption;
    const int pairWidth = glyphWidth + gap + textWidth;
    const int pairHeight = std::max(glyphHeight, textHeight);

    // Pressed, the classic face shows its content one pixel down and right.
    const int shift = Pressed() && !(m_theme && *m_theme) ? 1 : 0;
    const int left = (client.right - pairWidth) / 2 + shift;
    const int top = (client.bottom - pairHeight) / 2 + shift;

    m_glyph.Draw(dc, left, top + (pairHeight - glyphHeight) / 2);
    RECT caption{left + glyphWidth + gap, top + (pairHeight - textHeight) / 2, 0, 0};
    caption.right = caption.left + textWidth;
    caption.bottom = caption.top + textHeight;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(Handle()) ? Font().Color() : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, Caption().c_str(), -1, &caption, DT_SINGLELINE | DT_NOPREFIX);
}
