#include "classlib/Form.h"

#include "classlib/Application.h"
#include "classlib/LayoutLoader.h"
#include "classlib/LayoutValues.h"
#include "classlib/Text.h"

#include "Geometry.h"

#include <algorithm>

namespace {

constexpr int kScrollLine = 8;

}  // namespace

void TForm::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    const std::string& name = property.name;
    if (name == "Caption") SetCaption(classlib::FromWindows1250(classlib::StringValue(property)));
    else if (name == "Color") m_colorIndex = classlib::NamedValue<int>(property, {{"clBtnFace", COLOR_BTNFACE}});
    else if (name == "Position")
        m_position = classlib::NamedValue<Position>(
            property, {{"poDesigned", Position::Designed}, {"poDesktopCenter", Position::DesktopCenter}});
    else if (name == "OnShow") m_onShow = reader.Method(property);
    else if (name == "PixelsPerInch") m_pixelsPerInch = classlib::IntegerValue(property, 1, 10000);
    else if (name == "TextHeight") m_textHeight = classlib::IntegerValue(property, 1, 1000);
    // Decides only whether an OnCreate handler runs before or after the constructor; this
    // library has no OnCreate, so either value is taken and changes nothing.
    else if (name == "OldCreateOrder") classlib::BooleanValue(property);
    else TWinControl::ReadProperty(property, reader);
}

int TForm::ColorIndex() const { return m_colorIndex; }

BindResult TForm::BindComponent(std::string_view, TComponent*) { return BindResult::NoField; }

TNotifyEvent TForm::MethodAddress(std::string_view) { return {}; }

void TForm::LoadLayout() {
    ReadLayoutResource(*this);
    ScaleToDisplay();
}

// The layout was made for m_pixelsPerInch and a text height of m_textHeight: the window's font is
// converted to this display first, and if text then measures differently, everything is scaled
// by the measured height over the designed one.
void TForm::ScaleToDisplay() {
    if (m_textHeight == 0) return;
    classlib::ScreenDc screen;
    const int pixelsPerInch = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    if (pixelsPerInch != m_pixelsPerInch) m_font.SetHeight(core::MulDiv(m_font.Height(), pixelsPerInch, m_pixelsPerInch));
    const core::ScaleRatio ratio{TextHeightOfZero(m_font.Handle()), m_textHeight};
    if (ratio.Scales()) ChangeScale(ratio);
}

void TForm::ChangeScale(core::ScaleRatio ratio) {
    // The form's own font is the measure and already fits the display.
    const int fontHeight = m_font.Height();
    TWinControl::ChangeScale(ratio);
    m_font.SetHeight(fontHeight);
}

void TForm::AdjustParams(Params& params) {
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.parent = Application->Handle();  // the owner: the application's window carries the task-bar entry
    params.icon = Application->Icon();
}

void TForm::Show() {
    if (m_shown) {
        ::ShowWindow(Handle(), SW_SHOW);
        return;
    }
    m_shown = true;
    CreateHandle();
    if (Application->MainForm() == this) Application->ShowTaskBarEntry();
    if (m_onShow) {
        try {
            m_onShow(this);
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            Application->ShowException(e);
        }
    }
    if (m_position == Position::DesktopCenter) {
        RECT bounds;
        ::GetWindowRect(Handle(), &bounds);
        const core::Point corner =
            core::CentreOnDesktop(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                  bounds.right - bounds.left, bounds.bottom - bounds.top);
        ::SetWindowPos(Handle(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(Handle(), m_maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TForm::Close() {
    if (Application->MainForm() == this) Application->Terminate();
    else ::ShowWindow(Handle(), SW_HIDE);
}

bool TForm::DialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) < 0 ||
        ::GetKeyState(VK_MENU) < 0)
        return false;
    SelectNext(::GetKeyState(VK_SHIFT) >= 0);
    return true;
}

void TForm::FocusFirstOrActive() {
    if (m_activeControl && m_activeControl->CanFocus()) {
        ::SetFocus(m_activeControl->Handle());
        return;
    }
    std::vector<TWinControl*> stops;
    AppendTabStops(stops);
    if (!stops.empty()) ::SetFocus(stops.front()->Handle());
}

void TForm::SelectNext(bool forward) {
    std::vector<TWinControl*> stops;
    AppendTabStops(stops);
    if (stops.empty()) return;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const auto current = std::find(stops.begin(), stops.end(), TWinControl::FromHandle(::GetFocus())) - stops.begin();
    std::ptrdiff_t next = 0;
    if (current == count) next = forward ? 0 : count - 1;
    else next = (current + (forward ? 1 : count - 1)) % count;
    ::SetFocus(stops[static_cast<std::size_t>(next)]->Handle());
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            FocusFirstOrActive();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        FocusFirstOrActive();
        return 0;
    case WM_SYSCOMMAND:
        // The main form is shown and minimised through the application's window, which carries
        // the task-bar entry; minimised on its own it would shrink to a caption on the desktop.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
            Application->Minimize();
            return 0;
        }
        break;
    case WM_SIZE:
        UpdateScrollBars();
        break;
    case WM_HSCROLL:
        Scroll(SB_HORZ, wParam);
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, wParam);
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// Scroll bars appear when the window is smaller than what it holds, and go when it grows again.
void TForm::UpdateScrollBars() {
    if (m_updatingScrollBars || !Handle()) return;
    m_updatingScrollBars = true;
    int right = 0, bottom = 0;
    for (HWND child = ::GetWindow(Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT bounds;
        ::GetWindowRect(child, &bounds);
        ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
        right = std::max(right, static_cast<int>(bounds.right + m_scrolled.x));
        bottom = std::max(bottom, static_cast<int>(bounds.bottom + m_scrolled.y));
    }
    // Showing one bar narrows the client area and may call for the other, so twice.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client;
        ::GetClientRect(Handle(), &client);
        SCROLLINFO horizontal{sizeof horizontal, SIF_RANGE | SIF_PAGE, 0, right - 1, static_cast<UINT>(client.right), 0, 0};
        SCROLLINFO vertical{sizeof vertical, SIF_RANGE | SIF_PAGE, 0, bottom - 1, static_cast<UINT>(client.bottom), 0, 0};
        ::SetScrollInfo(Handle(), SB_HORZ, &horizontal, TRUE);
        ::SetScrollInfo(Handle(), SB_VERT, &vertical, TRUE);
    }
    m_updatingScrollBars = false;
    // A grown window may no longer leave room for the scrolled-away part.
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
        ::GetScrollInfo(Handle(), bar, &info);
        ScrollTo(bar, info.nPos);
    }
}

void TForm::Scroll(int bar, WPARAM request) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP: position -= kScrollLine; break;
    case SB_LINEDOWN: position += kScrollLine; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    ::SetScrollInfo(Handle(), bar, &info, TRUE);
    ::GetScrollInfo(Handle(), bar, &info);  // clamped to the range
    ScrollTo(bar, info.nPos);
}

void TForm::ScrollTo(int bar, int position) {
    LONG& scrolled = bar == SB_HORZ ? m_scrolled.x : m_scrolled.y;
    const int delta = scrolled - position;
    if (delta == 0) return;
    scrolled = position;
    ::ScrollWindowEx(Handle(), bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}
