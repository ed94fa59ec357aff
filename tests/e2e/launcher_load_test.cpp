// The launcher under load: clicks faster than modules start, and a long session of clicks and
// repaints that must not make it grow.
#include "support/Launcher.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <iostream>

namespace {

using namespace e2e;

LPARAM Centre(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    return MAKELPARAM(client.right / 2, client.bottom / 2);
}

TEST(LauncherLoad, ThirtyClicksPostedAtOnceStartThirtyModulesAndTheMenuThenAnswers) {
    Installation installation;
    Launcher launcher(installation);
    const HWND button = launcher.Windows().Button("MeblBut");
    ASSERT_TRUE(button);
    for (int i = 0; i < 30; ++i) {
        ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, Centre(button));
        ::PostMessageW(button, WM_LBUTTONUP, 0, Centre(button));
    }
    ASSERT_TRUE(installation.WaitForStarts(30, 120000)) << installation.Starts().size() << " of 30 started";
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(launcher.Form(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result))
        << "the menu does not answer";
    Settle(500);
    EXPECT_EQ(installation.Starts().size(), 30u);
}

struct Usage {
    DWORD handles = 0, gdiObjects = 0, userObjects = 0;
    SIZE_T workingSet = 0, privateBytes = 0;
};

Usage UsageOf(HANDLE process) {
    Usage usage;
    ::GetProcessHandleCount(process, &usage.handles);
    usage.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    usage.workingSet = memory.WorkingSetSize;
    usage.privateBytes = memory.PrivateUsage;
    return usage;
}

// A counter the system does not report (it reads 0) cannot be checked; the others must stay flat.
template <class T>
void ExpectFlat(const char* what, T before, T after, T allowance) {
    std::cout << what << ": " << before << " -> " << after << "\n";
    if (before == 0) return;
    EXPECT_LE(after, before + allowance) << what << " grew";
}

TEST(LauncherLoad, AThousandClicksAndRepaintsKeepMemoryAndHandlesFlat) {
    Installation installation({"SpozBut", "CzystBut", "PapBut", "OdziezBut", "GospBut", "MeblBut"});
    Launcher launcher(installation);
    const LauncherWindows windows = launcher.Windows();
    ASSERT_TRUE(windows.closeButton);
    const HWND button = windows.Button("PapBut");
    const HANDLE process = launcher.Proc().Handle();

    const auto session = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            // Sent, not posted, so that each round is handled before the next.
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(button, WM_LBUTTONDOWN, MK_LBUTTON, Centre(button), 0, 5000, &result);
            ::SendMessageTimeoutW(button, WM_LBUTTONUP, 0, Centre(button), 0, 5000, &result);
            ::RedrawWindow(windows.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    };
    session(100);  // caches and heaps settle
    const Usage before = UsageOf(process);
    session(1000);
    const Usage after = UsageOf(process);

    EXPECT_TRUE(launcher.Proc().Running());
    EXPECT_TRUE(installation.Starts().empty());
    ExpectFlat<SIZE_T>("working set", before.workingSet, after.workingSet, 1 << 20);
    ExpectFlat<SIZE_T>("private bytes", before.privateBytes, after.privateBytes, 1 << 20);
    ExpectFlat<DWORD>("handles", before.handles, after.handles, 5);
    ExpectFlat<DWORD>("GDI objects", before.gdiObjects, after.gdiObjects, 5);
    ExpectFlat<DWORD>("USER objects", before.userObjects, after.userObjects, 5);
    EXPECT_NE(before.workingSet, 0u) << "no memory figure at all";
}

}  // namespace
