#include "classlib/Panel.h"

#include "classlib/LayoutValues.h"

void TPanel::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    if (property.name == "BorderStyle")
        m_singleBorder = classlib::NamedValue<bool>(property, {{"bsNone", false}, {"bsSingle", true}});
    else TWinControl::ReadProperty(property, reader);
}

void TPanel::AdjustParams(Params& params) {
    params.style |= WS_CLIPCHILDREN;
    // A single border on three-dimensional controls is the sunken client edge.
    if (m_singleBorder) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TPanel::Paint(HDC dc, const RECT& client) {
    RECT bevel = client;
    ::DrawEdge(dc, &bevel, BDR_RAISEDINNER, BF_RECT);
}
