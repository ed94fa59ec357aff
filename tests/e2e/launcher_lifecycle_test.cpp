// The launcher's life from outside: the ways to end it, the show commands it starts with, and a
// layout it cannot read.
#include "support/Launcher.h"
#include "support/Resources.h"

#include <gtest/gtest.h>

namespace {

using namespace e2e;

enum class CloseBy { Button, TitleBarClose, AltF4, SystemMenu };

TEST(LauncherClosing, EveryWayOfClosingEndsWithStatusZero) {
    for (const CloseBy way : {CloseBy::Button, CloseBy::TitleBarClose, CloseBy::AltF4, CloseBy::SystemMenu}) {
        SCOPED_TRACE(static_cast<int>(way));
        Installation installation;
        Launcher launcher(installation);
        const LauncherWindows windows = launcher.Windows();
        ASSERT_TRUE(windows.closeButton);
        BringToFront(windows.form);
        switch (way) {
        case CloseBy::Button:
            ClickAt(CentreOf(windows.closeButton));
            break;
        case CloseBy::TitleBarClose: {
            TITLEBARINFO bar{};
            bar.cbSize = sizeof bar;
            ASSERT_TRUE(::GetTitleBarInfo(windows.form, &bar));
            // The close button is the title bar's rightmost.
            const RECT& title = bar.rcTitleBar;
            ASSERT_GT(title.right, title.left);
            ClickAt({title.right - ::GetSystemMetrics(SM_CXSIZE) / 2 - 1, (title.top + title.bottom) / 2});
            break;
        }
        case CloseBy::AltF4:
            PressKey(VK_F4, {VK_MENU});
            break;
        case CloseBy::SystemMenu:
            PressKey(VK_SPACE, {VK_MENU});
            ASSERT_TRUE(WaitUntil([&] {
                for (const HWND menu : TopLevelWindows(launcher.Id(), L"#32768"))
                    if (::IsWindowVisible(menu)) return true;
                return false;
            })) << "no system menu";
            PressKey('C');  // the mnemonic of "&Close"
            break;
        }
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }
}

TEST(LauncherShowCommand, MaximisedWhenStartedSo) {
    Installation installation;
    Launcher launcher(installation, {.showCommand = SW_SHOWMAXIMIZED});
    EXPECT_TRUE(::IsZoomed(launcher.Form()));
    EXPECT_FALSE(::IsIconic(launcher.Application()));
}

TEST(LauncherShowCommand, StartedMinimisedOnlyTheTaskBarEntryWaitsUntilRestored) {
    struct Case { const char* what; bool byShowWindow; };
    for (const Case c : {Case{"restored by the task bar's command", false}, Case{"restored by another program", true}}) {
        SCOPED_TRACE(c.what);
        Installation installation;
        Launcher launcher(installation, {.showCommand = SW_SHOWMINNOACTIVE, .waitForMenu = false});
        HWND application = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (application = launcher.Application()) && ::IsIconic(application); }));
        Settle(500);
        const HWND form = launcher.Form();
        ASSERT_TRUE(form) << "the main window is made at the start, hidden";
        EXPECT_FALSE(HasStyle(form, WS_VISIBLE));
        EXPECT_EQ(::GetWindow(form, GW_CHILD), nullptr) << "the first showing ran before the restore";

        if (c.byShowWindow) ::ShowWindow(application, SW_RESTORE);
        else ::PostMessageW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(launcher.WaitForMenu());
        EXPECT_FALSE(::IsIconic(application));
        EXPECT_FALSE(::IsZoomed(form));
    }
}

TEST(LauncherShowCommand, MinimisingAndRestoringDoNotShowTheMenuAnew) {
    Installation installation;
    Launcher launcher(installation);
    const LauncherWindows before = launcher.Windows();
    ASSERT_TRUE(before.closeButton);
    ::PostMessageW(before.form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(launcher.Application()) && !::IsWindowVisible(before.form); }))
        << "the menu is minimised through the task-bar entry";
    ::PostMessageW(launcher.Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(before.form); }));
    const LauncherWindows after = launcher.Windows();
    EXPECT_EQ(after.closeButton, before.closeButton) << "the controls were made again";
    EXPECT_EQ(RectInParent(after.groupBox).left, RectInParent(before.groupBox).left);
}

TEST(LauncherLayout, AnUnreadableLayoutEndsAfterOneErrorBoxCaptionedWithTheTitle) {
    struct Case { const char* what; bool removed; std::string layout; std::wstring message; };
    const Case cases[] = {
        {"removed", true, "", L"Resource TFORM1 not found."},
        {"garbled", false, "\x01\x02 not a layout", L"Error reading TFORM1: line 1: unexpected character #1."},
        {"cut short", false, "object Form1: TForm1\r\n  Left = 238\r\n", L"Error reading TFORM1: line 3: missing 'end' of Form1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Installation installation;
        const std::wstring copy = installation / L"Zepsuty.exe";
        if (c.removed) CopyWithoutResource(Built(L"launcher.exe"), copy, MAKEINTRESOURCEW(10), L"TFORM1");
        else CopyWithResource(Built(L"launcher.exe"), copy, MAKEINTRESOURCEW(10), L"TFORM1", c.layout);
        Launcher launcher(installation, {.program = copy, .waitForMenu = false});

        const HWND box = WaitForMessageBox(launcher.Id());
        ASSERT_TRUE(box) << "no error box";
        EXPECT_EQ(TextOf(box), L"Zepsuty");
        EXPECT_EQ(MessageBoxText(box), c.message);
        EXPECT_TRUE(MessageBoxShowsIcon(box, IDI_ERROR));
        EXPECT_EQ(MessageBoxButtons(box), std::vector<int>{IDOK});
        EXPECT_EQ(::GetWindow(box, GW_OWNER), launcher.Application());
        EXPECT_TRUE(TopLevelWindows(launcher.Id(), L"TForm1").empty());

        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(launcher.WaitForExit(), 0u) << "it did not end after one box";
    }
}

}  // namespace
