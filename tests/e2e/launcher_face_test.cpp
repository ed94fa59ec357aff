// The buttons as they look: the glyph left of the caption with its bottom-left colour not drawn,
// the classic face raised and flat-with-outline while pressed, the visual style's face in its
// states while styles are active, and the focus rectangle.
#include "support/Launcher.h"
#include "support/Scale.h"

#include <gtest/gtest.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <vector>

namespace {

using namespace e2e;

constexpr const wchar_t* kThemeManager = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// Visual styles switched off for the programs started while it lives.
class ClassicLook {
public:
    ClassicLook() {
        DWORD size = sizeof m_previous;
        m_had = ::RegGetValueW(HKEY_CURRENT_USER, kThemeManager, L"ThemeActive", RRF_RT_REG_SZ, nullptr, m_previous,
                               &size) == ERROR_SUCCESS;
        Set(L"0");
    }
    ~ClassicLook() {
        if (m_had) Set(m_previous);
        else ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kThemeManager, L"ThemeActive");
    }
    ClassicLook(const ClassicLook&) = delete;
    ClassicLook& operator=(const ClassicLook&) = delete;

private:
    static void Set(const wchar_t* value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kThemeManager, L"ThemeActive", REG_SZ, value,
                          static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    wchar_t m_previous[16] = {};
    bool m_had = false;
};

// The tile glyph as the launcher holds it, read from its file.
struct Glyph {
    Glyph() {
        const HMODULE module = ::LoadLibraryExW(Built(L"launcher.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        const auto bitmap = static_cast<HBITMAP>(::LoadImageW(module, L"TILEGLYPH", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        pixels = Pixels::Drawn(32, 32, RGB(0, 0, 0), [&](HDC dc) {
            const HDC source = ::CreateCompatibleDC(dc);
            const HGDIOBJ previous = ::SelectObject(source, bitmap);
            ::BitBlt(dc, 0, 0, 32, 32, source, 0, 0, SRCCOPY);
            ::SelectObject(source, previous);
            ::DeleteDC(source);
        });
        ::DeleteObject(bitmap);
        ::FreeLibrary(module);
        transparent = pixels.At(0, 31);
    }
    Pixels pixels;
    COLORREF transparent;
};

// Where the glyph and the caption stand in a button of this size: side by side, 2 pixels apart,
// the pair centred, the lower one centred against the taller, halves truncated.
struct Content {
    explicit Content(SIZE button) {
        const TestFont font(L"Arial", -13);
        caption = font.Extent(L"Magazyn");
        const int pairWidth = 32 + 2 + caption.cx;
        const int pairHeight = std::max(32L, caption.cy);
        left = (button.cx - pairWidth) / 2;
        const int top = (button.cy - pairHeight) / 2;
        glyphTop = top + (pairHeight - 32) / 2;
        captionTop = top + (pairHeight - caption.cy) / 2;
    }
    SIZE caption;
    int left, glyphTop, captionTop;
};

class ButtonFace : public ::testing::Test {
protected:
    void Start() {
        m_launcher = std::make_unique<Launcher>(m_installation);
        m_windows = m_launcher->Windows();
        ASSERT_TRUE(m_windows.closeButton);
        MoveMouseTo({0, 0});
        BringToFront(m_windows.form);
        Settle();
    }
    HWND Unfocused() const { return m_windows.Button("CzystBut"); }

    Installation m_installation;
    std::unique_ptr<Launcher> m_launcher;
    LauncherWindows m_windows;
};

TEST_F(ButtonFace, ClassicShowsTheGlyphLeftOfTheCaptionWithoutItsBackground) {
    {
        const ClassicLook classic;
        Start();
    }
    const Pixels shown = Pixels::OfWindow(Unfocused());
    const SIZE size{shown.Width(), shown.Height()};
    const Content content(size);
    const Glyph glyph;
    int drawn = 0, left = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int sx = content.left + x, sy = content.glyphTop + y;
            if (sx < 0 || sy < 0 || sx >= size.cx || sy >= size.cy) continue;
            const COLORREF pixel = glyph.pixels.At(x, y);
            if (pixel == glyph.transparent) {
                // What is under the glyph shows: the face of that row, as beside the content.
                EXPECT_EQ(shown.At(sx, sy), shown.At(3, sy)) << "at " << sx << "," << sy;
                ++left;
            } else {
                EXPECT_EQ(shown.At(sx, sy), pixel) << "at " << sx << "," << sy;
                ++drawn;
            }
        }
    }
    EXPECT_GT(drawn, 200);
    EXPECT_GT(left, 200);

    const TestFont font(L"Arial", -13);
    const RECT captionRect{content.left + 34, content.captionTop, content.left + 34 + content.caption.cx,
                           content.captionTop + content.caption.cy};
    const Pixels caption = Pixels::Drawn(content.caption.cx, content.caption.cy, ::GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
        ::SelectObject(dc, font.Get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        RECT rect{0, 0, content.caption.cx, content.caption.cy};
        ::DrawTextW(dc, L"Magazyn", -1, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_EQ(shown.Crop(captionRect), caption) << shown.Crop(captionRect).Describe() << caption.Describe();
}

TEST_F(ButtonFace, ClassicIsRaisedAndGoesFlatWithADarkOutlineWhilePressed) {
    {
        const ClassicLook classic;
        Start();
    }
    const HWND button = Unfocused();
    const SIZE size = SizeOf(ScreenRect(button));
    const auto expectRaised = [&](const Pixels& face) {
        EXPECT_EQ(face.At(0, size.cy / 2), ::GetSysColor(COLOR_3DLIGHT));
        EXPECT_EQ(face.At(size.cx - 1, size.cy / 2), ::GetSysColor(COLOR_3DDKSHADOW));
    };
    expectRaised(Pixels::OfWindow(button));

    MoveMouseTo(CentreOf(button));
    MouseDown();
    Settle();
    const Pixels pressed = Pixels::OfWindow(button);
    EXPECT_EQ(pressed.At(0, size.cy / 2), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pressed.At(size.cx - 1, size.cy / 2), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pressed.At(1, size.cy / 2), ::GetSysColor(COLOR_BTNSHADOW));

    // Dragged off the button it comes up again, and the release there starts nothing.
    MoveMouseTo({0, 0});
    Settle();
    expectRaised(Pixels::OfWindow(button));
    MouseUp();
    Settle();
    EXPECT_TRUE(m_installation.Starts().empty());
}

TEST_F(ButtonFace, TheFocusedButtonShowsAFocusRectangle) {
    {
        const ClassicLook classic;
        Start();
    }
    const auto column = [](HWND button, int x) {
        const Pixels face = Pixels::OfWindow(button);
        std::vector<COLORREF> pixels;
        for (int y = 6; y < face.Height() - 6; ++y) pixels.push_back(face.At(x, y));
        return pixels;
    };
    // Four pixels in from the edge the focused button's column is dotted, the other's plain.
    EXPECT_NE(column(m_windows.Button("SpozBut"), 4), column(Unfocused(), 4));
    EXPECT_EQ(column(m_windows.Button("SpozBut"), 2), column(Unfocused(), 2));
}

// The style's own push button, drawn here, in the strip left of the content.
Pixels ThemedStrip(SIZE size, int state, int width) {
    const HTHEME theme = ::OpenThemeData(nullptr, L"BUTTON");
    const Pixels whole = Pixels::Drawn(size.cx, size.cy, ::GetSysColor(COLOR_BTNFACE), [&](HDC dc) {
        RECT rect{0, 0, size.cx, size.cy};
        ::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &rect, nullptr);
    });
    ::CloseThemeData(theme);
    return whole.Crop({0, 0, width, size.cy});
}

TEST_F(ButtonFace, WithVisualStylesTheFaceIsTheStylesPushButtonInItsState) {
    ASSERT_TRUE(::IsThemeActive()) << "visual styles are off in this prefix";
    Start();
    const HWND button = Unfocused();
    const SIZE size = SizeOf(ScreenRect(button));
    const int strip = std::min(4, Content(size).left);
    const auto shownStrip = [&](HWND window) { return Pixels::OfWindow(window).Crop({0, 0, strip, size.cy}); };

    EXPECT_EQ(shownStrip(button), ThemedStrip(size, PBS_NORMAL, strip)) << "normal";
    EXPECT_EQ(shownStrip(m_windows.Button("SpozBut")), ThemedStrip(size, PBS_DEFAULTED, strip)) << "focused";
    MoveMouseTo(CentreOf(button));
    Settle();
    EXPECT_EQ(shownStrip(button), ThemedStrip(size, PBS_HOT, strip)) << "hot";
    MouseDown();
    Settle();
    EXPECT_EQ(shownStrip(button), ThemedStrip(size, PBS_PRESSED, strip)) << "pressed";
    MouseUp();
    ASSERT_TRUE(m_installation.WaitForStarts(1));
    EXPECT_NE(ThemedStrip(size, PBS_NORMAL, strip), ThemedStrip(size, PBS_PRESSED, strip))
        << "the style does not tell the states apart";
}

}  // namespace
