// The six warehouse modules the start menu offers: where each tile stands, what it shows, which
// controls and handler belong to it, and the program it starts.
#pragma once

#include <array>
#include <string_view>

namespace core {

struct ModuleRow {
    int tileRow;      // 1 is the upper row
    int tileColumn;   // 1 is the left column
    int tabPosition;  // the tile panel's tab order within the group box
    std::string_view panel;
    std::string_view label;
    std::string_view caption;  // Windows-1250
    std::string_view button;
    std::string_view handler;
    std::string_view programPath;  // relative to the launcher's current directory, passed unchanged
};

// The declaration order of the click handlers; the tab order runs along the upper row from the
// left and back along the lower row from the right.
inline constexpr std::array<ModuleRow, 6> kModuleCatalogue{{
    {1, 1, 0, "Panel1", "Label1", "Spo\xBFywczy", "SpozBut", "SpozButClick", "Spozywczy\\Spozywczy.exe"},
    {1, 2, 1, "Panel2", "Label2", "\x8Crodki czysto\x9C" "ci", "CzystBut", "CzystButClick",
     "Czystosci\\Czystosci.exe"},
    {1, 3, 2, "Panel3", "Label3", "Papierniczy", "PapBut", "PapButClick", "Papierniczy\\Papierniczy.exe"},
    {2, 1, 5, "Panel4", "Label4", "Odzie\xBFowy", "OdziezBut", "OdziezButClick", "Odziezowy\\Odziezowy.exe"},
    {2, 2, 4, "Panel5", "Label5", "Gospodarczy", "GospBut", "GospButClick", "Gospodarczy\\Gospodarczy.exe"},
    {2, 3, 3, "Panel6", "Label6", "Meblowy", "MeblBut", "MeblButClick", "Meblowy\\Meblowy.exe"},
}};

}  // namespace core
