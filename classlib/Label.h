// A label: one line of text, left-aligned and opaque in its parent's colour, sized to its text
// with its left edge kept.
#pragma once

#include "classlib/WinControl.h"

class TLabel : public TWinControl {
public:
    std::string_view ClassName() const override { return "TLabel"; }
    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;

protected:
    void AdjustParams(Params& params) override;
    void Paint(HDC dc, const RECT& client) override;
};
