// A panel: a plain area holding controls, with a raised bevel and, for a single border, a sunken
// edge around it.
#pragma once

#include "classlib/WinControl.h"

class TPanel : public TWinControl {
public:
    std::string_view ClassName() const override { return "TPanel"; }
    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;
    bool HoldsControls() const override { return true; }

protected:
    void AdjustParams(Params& params) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    bool m_singleBorder = false;
};
