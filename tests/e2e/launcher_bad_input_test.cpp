// Copies of the launcher whose layout, glyph or icon is damaged: each ends after one error box
// with a clear message, and with status 0; none crashes or hangs.
#include "support/Launcher.h"
#include "support/Resources.h"

#include <gtest/gtest.h>

namespace {

using namespace e2e;
using namespace std::string_literals;

const LPCWSTR kLayout = MAKEINTRESOURCEW(10);
const LPCWSTR kBitmap = MAKEINTRESOURCEW(2);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "the layout has no " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

struct Damage {
    const char* what;
    LPCWSTR type;
    LPCWSTR name;
    std::string bytes;  // the resource's new contents; empty: taken out
    std::wstring message;
};

void ExpectOneErrorBox(const Damage& damage) {
    SCOPED_TRACE(damage.what);
    Installation installation;
    const std::wstring copy = installation / L"Uszkodzony.exe";
    if (damage.bytes.empty()) CopyWithoutResource(Built(L"launcher.exe"), copy, damage.type, damage.name);
    else CopyWithResource(Built(L"launcher.exe"), copy, damage.type, damage.name, damage.bytes);
    Launcher launcher(installation, {.program = copy, .waitForMenu = false});

    const HWND box = WaitForMessageBox(launcher.Id());
    ASSERT_TRUE(box) << (launcher.Proc().Running() ? "no box" : "ended without a box");
    EXPECT_EQ(TextOf(box), L"Uszkodzony");
    EXPECT_EQ(MessageBoxText(box), damage.message);
    EXPECT_TRUE(MessageBoxShowsIcon(box, IDI_ERROR));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(WaitForMessageBox(launcher.Id(), 0), nullptr) << "a second box";
}

TEST(LauncherBadInput, ADamagedLayoutEndsInOneClearErrorBox) {
    const std::string layout = ResourceOf(Built(L"launcher.exe"), kLayout, L"TFORM1");
    ASSERT_FALSE(layout.empty());
    const Damage cases[] = {
        {"truncated", kLayout, L"TFORM1", layout.substr(0, layout.find("    object Panel6")),
         L"Error reading TFORM1: line 142: missing 'end' of GroupBox1."},
        {"garbled", kLayout, L"TFORM1", "\x89PNG\r\n\x1a\n\x00\x01",
         L"Error reading TFORM1: line 1: unexpected character #137."},
        {"unknown class", kLayout, L"TFORM1", Replaced(layout, "GroupBox1: TGroupBox", "GroupBox1: TGroupBoks"),
         L"Error reading GroupBox1 (line 18): class TGroupBoks not found."},
        {"unknown property", kLayout, L"TFORM1", Replaced(layout, "BorderStyle = bsSingle", "BorderStile = bsSingle"),
         L"Error reading Panel1.BorderStile (line 36): Property BorderStile does not exist."},
        {"unknown component", kLayout, L"TFORM1", Replaced(layout, "object Label1: TLabel", "object Label9: TLabel"),
         L"Error reading Label9 (line 38): field Form1.Label9 does not exist."},
        {"component of another class", kLayout, L"TFORM1",
         Replaced(layout, "object Label1: TLabel", "object Label1: TPanel"),
         L"Error reading Label1 (line 38): field Form1.Label1 is not a TPanel."},
        {"unknown handler", kLayout, L"TFORM1", Replaced(layout, "OnClick = SpozButClick", "OnClick = SpozButKlik"),
         L"Error reading SpozBut.OnClick (line 64): Method SpozButKlik does not exist."},
        {"value out of range", kLayout, L"TFORM1", Replaced(layout, "Width = 641", "Width = -641"),
         L"Error reading GroupBox1.Width (line 21): Invalid property value -641: must be 0 to 32767."},
        {"value of the wrong kind", kLayout, L"TFORM1", Replaced(layout, "Caption = 'Zamknij'", "Caption = 12"),
         L"Error reading ZamknijBut.Caption (line 258): Invalid property value: expected a string, found an integer."},
        {"unknown name of a value", kLayout, L"TFORM1", Replaced(layout, "BorderStyle = bsSingle", "BorderStyle = bsDouble"),
         L"Error reading Panel1.BorderStyle (line 36): Invalid property value bsDouble."},
        {"another form's layout", kLayout, L"TFORM1", Replaced(layout, "Form1: TForm1", "Form1: TForm2"),
         L"Error reading Form1: the layout is of a TForm2, not of a TForm1."},
        {"controls inside a button", kLayout, L"TFORM1",
         Replaced(layout, "        Glyph = 'TILEGLYPH'\n", "        Glyph = 'TILEGLYPH'\n        object X: TPanel\n        end\n"),
         L"Error reading X (line 66): SpozBut cannot hold controls."},
    };
    for (const auto& damage : cases) ExpectOneErrorBox(damage);
}

TEST(LauncherBadInput, AMissingOrDamagedPictureEndsInOneClearErrorBox) {
    const Damage cases[] = {
        {"glyph missing", kBitmap, L"TILEGLYPH", "", L"Error reading SpozBut.Glyph: Bitmap TILEGLYPH not found."},
        {"glyph garbled", kBitmap, L"CLOSEGLYPH", "not a bitmap at all",
         L"Error reading ZamknijBut.Glyph (line 267): Bitmap CLOSEGLYPH is not a usable bitmap."},
        {"icon missing", kIconGroup, L"MAINICON", "", L"Icon MAINICON not found."},
        {"icon garbled", kIconGroup, L"MAINICON", "\x00\x00\x01\x00\x01\x00garbage"s,
         L"Icon MAINICON is not a usable icon."},
    };
    for (const auto& damage : cases) ExpectOneErrorBox(damage);
}

}  // namespace
