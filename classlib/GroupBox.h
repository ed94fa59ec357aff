// A group box: a frame with a caption on its top edge, holding controls.
#pragma once

#include "classlib/WinControl.h"

class TGroupBox : public TWinControl {
public:
    std::string_view ClassName() const override { return "TGroupBox"; }
    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;
    bool HoldsControls() const override { return true; }

protected:
    void AdjustParams(Params& params) override;
    void Paint(HDC dc, const RECT& client) override;
};
