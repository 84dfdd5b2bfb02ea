// The notification-area icon when the shell is not there yet (logon): the
// program keeps trying until the shell takes the icon.
#include <gtest/gtest.h>

#include <vector>

#include "tray_icon.h"

using namespace app;

namespace {

// A shell that refuses the first `g_refusals` calls.
int g_refusals = 0;
std::vector<DWORD> g_calls;

BOOL WINAPI RefusingShell(DWORD message, PNOTIFYICONDATAA) {
    g_calls.push_back(message);
    if (g_refusals > 0) {
        --g_refusals;
        return FALSE;
    }
    return TRUE;
}

struct NoListener final : TrayListener {
    void OnTrayDoubleClick() override {}
    void OnTrayRightButton() override {}
};

void PumpFor(DWORD milliseconds, const TrayIcon& tray) {
    const DWORD start = GetTickCount();
    while (!tray.Added() && GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
}

}  // namespace

TEST(TrayIcon, AnIconTheShellRefusesIsAddedOnceTheShellTakesIt) {
    // Refused twice: the add and its modify, then once more on the first retry.
    g_refusals = 3;
    g_calls.clear();
    NoListener listener;
    TrayIcon tray(RefusingShell);
    ASSERT_TRUE(tray.Create(&listener));
    tray.Add();
    EXPECT_FALSE(tray.Added());
    PumpFor(3 * TrayIcon::kRetryMilliseconds, tray);
    EXPECT_TRUE(tray.Added());
    EXPECT_EQ(g_calls, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY}));

    // Once added nothing more is tried, and a removed icon is not added back.
    tray.Remove();
    g_calls.clear();
    g_refusals = 100;
    tray.Add();
    tray.Remove();
    const size_t calls = g_calls.size();
    PumpFor(TrayIcon::kRetryMilliseconds + 500, tray);
    EXPECT_EQ(g_calls.size(), calls);
    DestroyWindow(tray.hwnd());
}
