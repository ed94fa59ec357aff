// Only one launcher at a time, seen from outside: the marker object "Kolbrenta", the box a second
// launcher shows and its end, foreign objects of that name, minimised starts, and a race.
#include "support/Launcher.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

namespace {

using namespace e2e;

const std::wstring kAlreadyRunning = L"Jest ju\u017c uruchomiony magazyn.";

bool MarkerExists() {
    const HANDLE marker = ::OpenFileMappingW(FILE_MAP_READ, FALSE, L"Kolbrenta");
    if (marker) ::CloseHandle(marker);
    return marker != nullptr;
}

// The second launcher's box, checked as the user sees it.
HWND ExpectAlreadyRunningBox(Launcher& launcher) {
    const HWND box = WaitForMessageBox(launcher.Id());
    EXPECT_TRUE(box) << "no box";
    if (!box) return nullptr;
    EXPECT_EQ(MessageBoxText(box), kAlreadyRunning);
    EXPECT_EQ(TextOf(box), L"Info");
    EXPECT_TRUE(MessageBoxShowsIcon(box, IDI_EXCLAMATION));
    EXPECT_EQ(MessageBoxButtons(box), std::vector<int>{IDOK});
    EXPECT_EQ(::GetWindow(box, GW_OWNER), launcher.Application());
    const HWND form = launcher.Form();
    EXPECT_TRUE(form && !HasStyle(form, WS_VISIBLE)) << "the second launcher's menu is on the screen";
    return box;
}

void Dismiss(HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); }

TEST(Guard, TheFirstLauncherShowsNoBoxAndHoldsTheMarkerWhileItRuns) {
    Installation installation;
    ASSERT_FALSE(MarkerExists()) << "something else holds the name";
    {
        Launcher first(installation);
        EXPECT_TRUE(MarkerExists());
        Settle();
        EXPECT_EQ(WaitForMessageBox(first.Id(), 0), nullptr);
        ::PostMessageW(first.Form(), WM_CLOSE, 0, 0);
        EXPECT_EQ(first.WaitForExit(), 0u);
    }
    EXPECT_FALSE(MarkerExists());
    Launcher next(installation);
    EXPECT_TRUE(next.WaitForMenu()) << "after the first ended, the next one is first";
}

enum class Dismissal { OkButton, Enter, Escape, CloseButton };

TEST(Guard, ASecondLauncherSaysSoAndEndsWithZeroHoweverTheBoxIsDismissed) {
    Installation installation;
    Launcher first(installation);
    const HWND firstForm = first.Form();
    const RECT firstRect = ScreenRect(firstForm);
    for (const Dismissal way : {Dismissal::OkButton, Dismissal::Enter, Dismissal::Escape, Dismissal::CloseButton}) {
        SCOPED_TRACE(static_cast<int>(way));
        Launcher second(installation, {.waitForMenu = false});
        const HWND box = ExpectAlreadyRunningBox(second);
        ASSERT_TRUE(box);
        EXPECT_NE(ForegroundWindow(), firstForm) << "the first launcher was brought to the front";
        BringToFront(box);
        switch (way) {
        case Dismissal::OkButton: ClickAt(CentreOf(::GetDlgItem(box, IDOK))); break;
        case Dismissal::Enter: PressKey(VK_RETURN); break;
        case Dismissal::Escape: PressKey(VK_ESCAPE); break;
        case Dismissal::CloseButton: {
            TITLEBARINFO bar{};
            bar.cbSize = sizeof bar;
            ASSERT_TRUE(::GetTitleBarInfo(box, &bar));
            ClickAt({bar.rcTitleBar.right - ::GetSystemMetrics(SM_CXSIZE) / 2 - 1,
                     (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2});
            break;
        }
        }
        EXPECT_EQ(second.WaitForExit(), 0u);
    }
    EXPECT_TRUE(first.Proc().Running());
    EXPECT_TRUE(HasStyle(firstForm, WS_VISIBLE));
    const RECT after = ScreenRect(firstForm);
    EXPECT_TRUE(::EqualRect(&after, &firstRect)) << "the first launcher's window was moved";
    EXPECT_TRUE(MarkerExists());
}

TEST(Guard, ASharedMemoryObjectOfAnotherProgramMakesEveryLauncherStop) {
    const HANDLE foreign = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"Kolbrenta");
    ASSERT_TRUE(foreign);
    Installation installation;
    for (int i = 0; i < 2; ++i) {
        Launcher launcher(installation, {.waitForMenu = false});
        const HWND box = ExpectAlreadyRunningBox(launcher);
        ASSERT_TRUE(box);
        Dismiss(box);
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }
    ::CloseHandle(foreign);
}

TEST(Guard, AnotherKindOfObjectHoldingTheNameLeavesEveryLauncherRunning) {
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"Kolbrenta");
    ASSERT_TRUE(mutex);
    Installation installation;
    Launcher one(installation);
    Launcher two(installation);
    EXPECT_TRUE(one.WaitForMenu());
    EXPECT_TRUE(two.WaitForMenu());
    Settle();
    EXPECT_EQ(WaitForMessageBox(one.Id(), 0), nullptr);
    EXPECT_EQ(WaitForMessageBox(two.Id(), 0), nullptr);
    ::CloseHandle(mutex);
}

TEST(Guard, ASecondLauncherStartedMinimisedWaitsWithoutABoxUntilRestored) {
    Installation installation;
    Launcher first(installation);
    Launcher second(installation, {.showCommand = SW_SHOWMINNOACTIVE, .waitForMenu = false});
    ASSERT_TRUE(WaitUntil([&] { return second.Application() && ::IsIconic(second.Application()); }));
    Settle(500);
    EXPECT_EQ(WaitForMessageBox(second.Id(), 0), nullptr) << "the box came before the restore";
    ::PostMessageW(second.Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
    const HWND box = ExpectAlreadyRunningBox(second);
    ASSERT_TRUE(box);
    Dismiss(box);
    EXPECT_EQ(second.WaitForExit(), 0u);
}

TEST(Guard, ALauncherCountsAsFirstFromItsFirstShowingNotFromItsStart) {
    Installation installation;
    Launcher minimised(installation, {.showCommand = SW_SHOWMINNOACTIVE, .waitForMenu = false});
    ASSERT_TRUE(WaitUntil([&] { return minimised.Application() && ::IsIconic(minimised.Application()); }));
    Settle(300);
    EXPECT_FALSE(MarkerExists()) << "a launcher not yet shown holds the marker";

    Launcher shown(installation);
    EXPECT_TRUE(shown.WaitForMenu());
    Settle();
    EXPECT_EQ(WaitForMessageBox(shown.Id(), 0), nullptr);

    ::PostMessageW(minimised.Application(), WM_SYSCOMMAND, SC_RESTORE, 0);
    const HWND box = ExpectAlreadyRunningBox(minimised);
    ASSERT_TRUE(box);
    Dismiss(box);
    EXPECT_EQ(minimised.WaitForExit(), 0u);
}

TEST(Guard, EndingTheFirstWhileTheSecondShowsItsBoxDoesNotChangeTheSecondsEnd) {
    Installation installation;
    auto first = std::make_unique<Launcher>(installation);
    Launcher second(installation, {.waitForMenu = false});
    const HWND box = ExpectAlreadyRunningBox(second);
    ASSERT_TRUE(box);
    ::PostMessageW(first->Form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(first->WaitForExit(), 0u);
    Settle();
    EXPECT_TRUE(::IsWindowVisible(box));
    Dismiss(box);
    EXPECT_EQ(second.WaitForExit(), 0u) << "the second launcher stayed";
}

// N launchers made suspended and let go together: the system creates the object for exactly one.
TEST(Guard, LaunchersStartedTogetherGiveExactlyOneMenu) {
    constexpr int kRuns = 20;
    constexpr int kLaunchers = 4;
    Installation installation;
    int menus = 0, boxes = 0;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE(run);
        std::vector<std::unique_ptr<Launcher>> launchers;
        for (int i = 0; i < kLaunchers; ++i)
            launchers.push_back(std::make_unique<Launcher>(
                installation, LauncherOptions{.waitForMenu = false, .suspended = true}));
        for (auto& launcher : launchers) launcher->Proc().Resume();

        // Each ends up either showing its menu (and no box) or showing the box.
        std::vector<HWND> shownBoxes(kLaunchers, nullptr);
        std::vector<bool> shownMenus(kLaunchers, false);
        ASSERT_TRUE(WaitUntil([&] {
            int decided = 0;
            for (int i = 0; i < kLaunchers; ++i) {
                if (!shownBoxes[i]) shownBoxes[i] = WaitForMessageBox(launchers[i]->Id(), 0);
                const HWND form = launchers[i]->Form();
                if (!shownBoxes[i] && form && HasStyle(form, WS_VISIBLE) && ::GetWindow(form, GW_CHILD))
                    shownMenus[i] = true;
                decided += shownBoxes[i] || shownMenus[i];
            }
            return decided == kLaunchers;
        }, 30000)) << "not every launcher showed its menu or its box";
        Settle();
        int runMenus = 0, runBoxes = 0;
        for (int i = 0; i < kLaunchers; ++i) {
            if (shownBoxes[i]) {
                ++runBoxes;
                EXPECT_FALSE(shownMenus[i]) << "launcher " << i << " showed its menu and the box";
                EXPECT_EQ(MessageBoxText(shownBoxes[i]), kAlreadyRunning);
                Dismiss(shownBoxes[i]);
                EXPECT_EQ(launchers[i]->WaitForExit(), 0u);
            } else {
                ++runMenus;
            }
        }
        EXPECT_EQ(runMenus, 1);
        EXPECT_EQ(runBoxes, kLaunchers - 1);
        menus += runMenus;
        boxes += runBoxes;
        for (auto& launcher : launchers)
            if (launcher->Proc().Running()) ::PostMessageW(launcher->Form(), WM_CLOSE, 0, 0);
        for (auto& launcher : launchers) EXPECT_EQ(launcher->WaitForExit(), 0u);
    }
    std::cout << "race: " << kRuns << " runs of " << kLaunchers << " launchers: " << menus << " menus, " << boxes
              << " boxes\n";
}

}  // namespace
