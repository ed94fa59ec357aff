// The launcher's main window as another program sees it: the window tree, its texts and fonts,
// its geometry scaled to the display, its placement, and the window that carries the task bar.
#include "support/Launcher.h"
#include "support/Scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

using namespace e2e;

// Where each tile's label stands in its panel; set by hand in the layout, not computed.
const std::map<std::string_view, int> kLabelLeft{{"SpozBut", 40}, {"CzystBut", 32}, {"PapBut", 40},
                                                  {"OdziezBut", 48}, {"GospBut", 32}, {"MeblBut", 48}};

void ExpectRect(HWND window, int left, int top, int width, int height, const std::string& what) {
    const RECT rect = RectInParent(window);
    const SIZE size = SizeOf(rect);
    // Within a pixel: the rounding of the scaling is the library's own.
    EXPECT_NEAR(rect.left, Scaled(left), 1) << what;
    EXPECT_NEAR(rect.top, Scaled(top), 1) << what;
    EXPECT_NEAR(size.cx, Scaled(width), 1) << what;
    EXPECT_NEAR(size.cy, Scaled(height), 1) << what;
}

// The runs at another density or code page say which they expect, so that a run which silently
// got the usual environment fails instead of passing.
void ExpectTheEnvironmentAsked(const char* variable, unsigned actual) {
    if (const char* expected = std::getenv(variable)) {
        ASSERT_EQ(actual, static_cast<unsigned>(std::atoi(expected))) << variable;
    }
}

class LauncherWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const HDC screen = ::GetDC(nullptr);
        ExpectTheEnvironmentAsked("E2E_EXPECTED_DPI", static_cast<unsigned>(::GetDeviceCaps(screen, LOGPIXELSY)));
        ::ReleaseDC(nullptr, screen);
        ExpectTheEnvironmentAsked("E2E_EXPECTED_CODE_PAGE", ::GetACP());
    }

    Installation m_installation;
    Launcher m_launcher{m_installation};
};

TEST_F(LauncherWindow, TreeHasTheLayoutsClassesParentsOrderAndTexts) {
    const LauncherWindows windows = m_launcher.Windows();
    ASSERT_TRUE(windows.form);
    EXPECT_EQ(TextOf(windows.form), L"System magazynowy Kolbrenta");
    EXPECT_EQ(ClassOf(windows.groupBox), L"TGroupBox");
    EXPECT_EQ(TextOf(windows.groupBox), L"Wyb\u00f3r magazynu");
    for (const Tile& tile : windows.tiles) {
        SCOPED_TRACE(std::string(tile.row->panel));
        EXPECT_EQ(ClassOf(tile.panel), L"TPanel");
        EXPECT_EQ(TextOf(tile.panel), L"");
        EXPECT_EQ(ClassOf(tile.label), L"TLabel");
        EXPECT_EQ(TextOf(tile.label), From1250(tile.row->caption));
        EXPECT_EQ(ClassOf(tile.button), L"TLMDButton");
        EXPECT_EQ(TextOf(tile.button), L"Magazyn");
        EXPECT_TRUE(HasStyle(tile.button, WS_TABSTOP));
        EXPECT_FALSE(HasStyle(tile.panel, WS_TABSTOP));
    }
    EXPECT_EQ(ClassOf(windows.closeButton), L"TLMDButton");
    EXPECT_EQ(TextOf(windows.closeButton), L"Zamknij");
}

TEST_F(LauncherWindow, GeometryIsTheLayoutsScaledByTheMeasuredTextHeight) {
    const LauncherWindows windows = m_launcher.Windows();
    ASSERT_TRUE(windows.form);
    const SIZE form = SizeOf(ScreenRect(windows.form));
    EXPECT_NEAR(form.cx, Scaled(667), 1);
    EXPECT_NEAR(form.cy, Scaled(470), 1);
    ExpectRect(windows.groupBox, 8, 8, 641, 417, "GroupBox1");
    for (const Tile& tile : windows.tiles) {
        const std::string name(tile.row->panel);
        ExpectRect(tile.panel, 80 + 156 * (tile.row->tileColumn - 1), 72 + 96 * (tile.row->tileRow - 1), 153, 89, name);
        ExpectRect(tile.button, 20, 20, 109, 33, name + " button");
        // Labels size themselves to their text in their font, keeping their left edge.
        const TestFont font(L"MS Sans Serif", -13);
        const SIZE text = font.Extent(From1250(tile.row->caption));
        const RECT label = RectInParent(tile.label);
        EXPECT_NEAR(label.left, Scaled(kLabelLeft.at(tile.row->button)), 1) << name;
        EXPECT_NEAR(label.top, Scaled(56), 1) << name;
        EXPECT_EQ(SizeOf(label).cx, text.cx) << name;
        EXPECT_EQ(SizeOf(label).cy, text.cy) << name;
    }
    ExpectRect(windows.closeButton, 520, 352, 89, 33, "ZamknijBut");
}

TEST_F(LauncherWindow, LabelsShowTheirPolishNamesInTheirFont) {
    const LauncherWindows windows = m_launcher.Windows();
    ASSERT_TRUE(windows.form);
    MoveMouseTo({0, 0});
    const TestFont font(L"MS Sans Serif", -13);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (const Tile& tile : windows.tiles) {
        SCOPED_TRACE(std::string(tile.row->label));
        const Pixels shown = Pixels::OfWindow(tile.label);
        const auto drawn = [&](const std::wstring& text) {
            return Pixels::Drawn(shown.Width(), shown.Height(), face, [&](HDC dc) {
                ::SelectObject(dc, font.Get());
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
                RECT rect{0, 0, shown.Width(), shown.Height()};
                ::DrawTextW(dc, text.c_str(), -1, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            });
        };
        const std::wstring name = From1250(tile.row->caption);
        EXPECT_EQ(shown, drawn(name)) << shown.Describe() << drawn(name).Describe();
        // The Polish letters are really drawn, not their plain look-alikes.
        std::wstring plain = name;
        for (wchar_t& c : plain) {
            if (c == L'\u017c') c = L'z';
            if (c == L'\u015a') c = L'S';
            if (c == L'\u015b') c = L's';
        }
        if (plain != name) {
            EXPECT_NE(shown, drawn(plain));
        }
    }
}

TEST_F(LauncherWindow, GroupBoxCaptionIsBold) {
    const LauncherWindows windows = m_launcher.Windows();
    ASSERT_TRUE(windows.groupBox);
    const std::wstring caption = L"Wyb\u00f3r magazynu";
    const TestFont bold(L"MS Sans Serif", -13, FW_BOLD);
    const SIZE extent = bold.Extent(caption);
    const Pixels shown = Pixels::OfWindow(windows.groupBox).Crop({8, 0, 8 + extent.cx, extent.cy});
    const Pixels drawn = Pixels::Drawn(extent.cx, extent.cy, ::GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
        ::SelectObject(dc, bold.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        RECT rect{0, 0, extent.cx, extent.cy};
        ::DrawTextW(dc, caption.c_str(), -1, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_EQ(shown, drawn) << shown.Describe() << drawn.Describe();
}

TEST_F(LauncherWindow, OpensCentredOnTheDesktop) {
    const RECT form = ScreenRect(m_launcher.Form());
    const SIZE size = SizeOf(form);
    EXPECT_EQ(form.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - size.cx) / 2);
    EXPECT_EQ(form.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - size.cy) / 2);
}

TEST_F(LauncherWindow, TheApplicationWindowCarriesTheTaskBarEntryAndOwnsTheMenu) {
    const HWND application = m_launcher.Application();
    ASSERT_TRUE(application);
    EXPECT_TRUE(::IsWindowVisible(application));
    EXPECT_EQ(SizeOf(ScreenRect(application)).cx, 0);
    EXPECT_EQ(SizeOf(ScreenRect(application)).cy, 0);
    EXPECT_EQ(TextOf(application), L"launcher");
    EXPECT_EQ(::GetWindow(m_launcher.Form(), GW_OWNER), application);
}

TEST(LauncherTitle, ComesFromTheProgramFileName) {
    Installation installation;
    const std::wstring copy = installation / L"MAGAZYN.Glowny.exe";
    ASSERT_TRUE(::CopyFileW(Built(L"launcher.exe").c_str(), copy.c_str(), FALSE));
    Launcher launcher(installation, {.program = copy});
    EXPECT_EQ(TextOf(launcher.Application()), L"Magazyn");
    EXPECT_EQ(TextOf(launcher.Form()), L"System magazynowy Kolbrenta");
}

TEST_F(LauncherWindow, ScrollBarsComeWhenTheWindowIsSmallerThanItsContentsAndGoAgain) {
    const LauncherWindows windows = m_launcher.Windows();
    ASSERT_TRUE(windows.form);
    const RECT box = RectInParent(windows.groupBox);
    const RECT original = ScreenRect(windows.form);
    const SIZE size = SizeOf(original);
    ::SetWindowPos(windows.form, nullptr, 0, 0, size.cx / 2, size.cy / 2, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitUntil([&] { return HasStyle(windows.form, WS_HSCROLL | WS_VSCROLL); }));

    ::SetWindowPos(windows.form, nullptr, 0, 0, size.cx + 100, size.cy + 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitUntil([&] { return !HasStyle(windows.form, WS_HSCROLL) && !HasStyle(windows.form, WS_VSCROLL); }));
    const RECT after = RectInParent(windows.groupBox);
    EXPECT_EQ(after.left, box.left);
    EXPECT_EQ(after.top, box.top);
    EXPECT_EQ(SizeOf(after).cx, SizeOf(box).cx);
    EXPECT_EQ(SizeOf(after).cy, SizeOf(box).cy);
}

}  // namespace
