#include "classlib/GroupBox.h"

#include "classlib/LayoutValues.h"
#include "classlib/Text.h"
#include "classlib/VisualStyle.h"

void TGroupBox::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    if (property.name == "Caption") SetCaption(classlib::FromWindows1250(classlib::StringValue(property)));
    else TWinControl::ReadProperty(property, reader);
}

void TGroupBox::AdjustParams(Params& params) { params.style |= WS_CLIPCHILDREN; }

void TGroupBox::Paint(HDC dc, const RECT& client) {
    classlib::SelectedObject font(dc, Font().Handle());
    const int textHeight = TextHeightOfZero(Font().Handle());
    // The frame runs through the middle of the caption's line.
    RECT frame = client;
    frame.top = textHeight / 2 - 1;
    const classlib::ButtonTheme theme(Handle());
    if (theme) {
        theme.DrawBackground(dc, classlib::kGroupBoxPart, 1, frame);
    } else {
        ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (Caption().empty()) return;
    RECT text{8, 0, client.right - 8, textHeight};
    ::DrawTextW(dc, Caption().c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    ::SetBkColor(dc, ::GetSysColor(ColorIndex()));
    ::SetBkMode(dc, OPAQUE);
    ::SetTextColor(dc, Font().Color());
    ::DrawTextW(dc, Caption().c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}
