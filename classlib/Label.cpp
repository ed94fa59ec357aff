#include "classlib/Label.h"

#include "classlib/LayoutValues.h"
#include "classlib/Text.h"

namespace {
constexpr UINT kTextFormat = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX;
}

void TLabel::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    if (property.name == "Caption") SetCaption(classlib::FromWindows1250(classlib::StringValue(property)));
    else TWinControl::ReadProperty(property, reader);
}

void TLabel::AdjustParams(Params& params) {
    // Sized here, once the font is final: the layout's width is that of the text where the
    // layout was made.
    classlib::ScreenDc screen;
    classlib::SelectedObject font(screen.Get(), Font().Handle());
    RECT text{};
    ::DrawTextW(screen.Get(), Caption().c_str(), -1, &text, kTextFormat | DT_CALCRECT);
    m_width = params.width = text.right;
    m_height = params.height = text.bottom;
}

void TLabel::Paint(HDC dc, const RECT& client) {
    classlib::SelectedObject font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Font().Color());
    RECT text = client;
    ::DrawTextW(dc, Caption().c_str(), -1, &text, kTextFormat);
}
