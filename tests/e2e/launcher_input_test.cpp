// Using the menu as a user does: the focus and the Tab key, and the tiles' buttons starting their
// modules by mouse, Space and Enter, checked by what the stand-in modules record of their start.
#include "support/Launcher.h"

#include <gtest/gtest.h>

namespace {

using namespace e2e;

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class LauncherInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_launcher.Form());
        m_windows = m_launcher.Windows();
        ASSERT_TRUE(m_windows.closeButton);
        BringToFront(m_windows.form);
    }

    HWND Focus() const { return FocusOf(m_windows.form); }

    // The last start was of this row's program, exactly as a user of the menu expects it.
    void ExpectStartOf(const core::ModuleRow& row, const ModuleStart& start) const {
        EXPECT_EQ(start.program, m_installation / Wide(row.programPath));
        EXPECT_EQ(start.commandLine, Wide(row.programPath));
        EXPECT_EQ(start.currentDirectory, m_installation.Folder());
        EXPECT_EQ(start.showCommand, SW_SHOW);
    }

    void Click(HWND button) {
        BringToFront(m_windows.form);
        ClickAt(CentreOf(button));
    }

    Installation m_installation;
    Launcher m_launcher{m_installation};
    LauncherWindows m_windows;
};

TEST_F(LauncherInput, FocusStartsOnTheFirstTileAndTabRunsTheTabOrderBothWays) {
    EXPECT_EQ(Focus(), m_windows.Button("SpozBut"));
    const std::vector<std::string_view> forward{"CzystBut", "PapBut",     "MeblBut", "GospBut",
                                                "OdziezBut", "ZamknijBut", "SpozBut"};
    for (const auto name : forward) {
        PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return Focus() == m_windows.Button(name); }, 3000)) << "Tab to " << name;
    }
    const std::vector<std::string_view> backward{"ZamknijBut", "OdziezBut", "GospBut", "MeblBut"};
    for (const auto name : backward) {
        PressKey(VK_TAB, {VK_SHIFT});
        EXPECT_TRUE(WaitUntil([&] { return Focus() == m_windows.Button(name); }, 3000)) << "Shift+Tab to " << name;
    }
}

TEST_F(LauncherInput, AClickOnATileStartsExactlyItsProgramAndTakesTheFocus) {
    std::size_t starts = 0;
    for (const Tile& tile : m_windows.tiles) {
        SCOPED_TRACE(std::string(tile.row->button));
        Click(tile.button);
        ASSERT_TRUE(m_installation.WaitForStarts(++starts));
        ExpectStartOf(*tile.row, m_installation.Starts().back());
        // The module's window is in front now; back in the menu, the clicked button has the focus.
        BringToFront(m_windows.form);
        EXPECT_TRUE(WaitUntil([&] { return Focus() == tile.button; }, 3000));
    }
    Settle();
    EXPECT_EQ(m_installation.Starts().size(), starts) << "a click started more than one";
    EXPECT_TRUE(::IsWindowVisible(m_windows.form)) << "the menu went away";
}

TEST_F(LauncherInput, SpaceAndEnterOnTheFocusedTileStartItsProgram) {
    std::size_t starts = 0;
    for (const WORD key : {VK_SPACE, VK_RETURN}) {
        for (const Tile& tile : m_windows.tiles) {
            SCOPED_TRACE(std::string(tile.row->button) + (key == VK_SPACE ? " Space" : " Enter"));
            // Focus moved from outside, as the keys must not depend on a click; again until it holds,
            // since a module started just before may still be taking the foreground.
            ASSERT_TRUE(WaitUntil([&] {
                ::SetForegroundWindow(m_windows.form);
                ::AttachThreadInput(::GetCurrentThreadId(), ThreadOf(m_windows.form), TRUE);
                ::SetFocus(tile.button);
                ::AttachThreadInput(::GetCurrentThreadId(), ThreadOf(m_windows.form), FALSE);
                Settle(50);
                return ForegroundWindow() == m_windows.form && Focus() == tile.button;
            }, 5000));
            PressKey(key);
            ASSERT_TRUE(m_installation.WaitForStarts(++starts));
            ExpectStartOf(*tile.row, m_installation.Starts().back());
        }
    }
}

TEST_F(LauncherInput, ADoubleClickStartsTwoCopies) {
    const Tile& tile = m_windows.TileOf("GospBut");
    BringToFront(m_windows.form);
    MoveMouseTo(CentreOf(tile.button));
    MouseDown();
    MouseUp();
    MouseDown();
    MouseUp();
    ASSERT_TRUE(m_installation.WaitForStarts(2));
    Settle();
    const auto starts = m_installation.Starts();
    ASSERT_EQ(starts.size(), 2u);
    for (const auto& start : starts) ExpectStartOf(*tile.row, start);
    EXPECT_NE(starts[0].processId, starts[1].processId);
}

TEST_F(LauncherInput, EscapeAndEnterWithShiftOrCtrlStartNothing) {
    const Tile& tile = m_windows.TileOf("SpozBut");
    ASSERT_EQ(Focus(), tile.button);
    PressKey(VK_ESCAPE);
    PressKey(VK_RETURN, {VK_SHIFT});
    PressKey(VK_RETURN, {VK_CONTROL});
    // Keys are handled in order: once Enter has started one, the keys before it have been handled.
    PressKey(VK_RETURN);
    ASSERT_TRUE(m_installation.WaitForStarts(1));
    Settle();
    EXPECT_EQ(m_installation.Starts().size(), 1u);
    EXPECT_TRUE(::IsWindowVisible(m_windows.form));
}

TEST_F(LauncherInput, APressReleasedOutsideTheButtonIsNoClick) {
    const Tile& tile = m_windows.TileOf("PapBut");
    BringToFront(m_windows.form);
    MoveMouseTo(CentreOf(tile.button));
    MouseDown();
    MoveMouseTo(CentreOf(tile.label));
    MouseUp();
    Settle();
    EXPECT_TRUE(m_installation.Starts().empty());
    Click(tile.button);
    EXPECT_TRUE(m_installation.WaitForStarts(1));
}

TEST(LauncherModules, AMissingModuleDoesNothingVisibleAndTheOtherTilesStillWork) {
    Installation installation({"PapBut"});
    Launcher launcher(installation);
    const LauncherWindows windows = launcher.Windows();
    ASSERT_TRUE(windows.closeButton);
    const auto windowsBefore = TopLevelWindows(launcher.Id());

    BringToFront(windows.form);
    ClickAt(CentreOf(windows.Button("PapBut")));
    Settle(500);
    EXPECT_TRUE(installation.Starts().empty());
    EXPECT_EQ(TopLevelWindows(launcher.Id()), windowsBefore) << "a window or box appeared";

    ClickAt(CentreOf(windows.Button("MeblBut")));
    ASSERT_TRUE(installation.WaitForStarts(1));
    EXPECT_EQ(installation.Starts().back().commandLine, L"Meblowy\\Meblowy.exe");
}

TEST(LauncherModules, StartedModulesKeepRunningAfterTheLauncherEnds) {
    Installation installation;
    Launcher launcher(installation);
    const LauncherWindows windows = launcher.Windows();
    ASSERT_TRUE(windows.closeButton);
    BringToFront(windows.form);
    ClickAt(CentreOf(windows.Button("OdziezBut")));
    ASSERT_TRUE(installation.WaitForStarts(1));

    BringToFront(windows.form);
    ClickAt(CentreOf(windows.closeButton));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const HANDLE module = ::OpenProcess(SYNCHRONIZE, FALSE, installation.Starts().back().processId);
    ASSERT_TRUE(module);
    EXPECT_EQ(::WaitForSingleObject(module, 500), static_cast<DWORD>(WAIT_TIMEOUT)) << "the module ended with the menu";
    ::CloseHandle(module);
}

}  // namespace
