// The program settings page in a window of its own, with a host that
// records what the page asks of the main window: a Save that is not wholly
// stored shows the error and applies nothing; the Hijri calendar and the
// Imsak minutes reach the settings, and an Imsak box out of range stores
// nothing at all.
#include <gtest/gtest.h>

#include "pages/program_page.h"
#include "recording_host.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings_store.h"

using namespace app;

namespace {

constexpr int kSaveId = 2122;
constexpr int kHijriCalendarId = 2125;
constexpr int kImsakId = 2126;

void PressSave(ProgramPage& page) {
    HWND save = GetDlgItem(page.hwnd(), kSaveId);
    ASSERT_NE(save, nullptr);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kSaveId, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

}  // namespace

TEST(ProgramPage, SaveAppliesOnlyWhatWasWhollyStored) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    waktuna::WriteString(host.store, "Skin", "12");
    ProgramPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
    page.Show(true);

    host.store.refused = {"Skin"};
    PressSave(page);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.errors, 1);
    EXPECT_NE(host.dialogs[0].find("Skin"), std::string::npos);
    EXPECT_EQ(host.loads + host.notices + host.desktop, 0);

    host.store.refused.clear();
    PressSave(page);
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.loads, 1);
    EXPECT_EQ(host.desktop, 1);
    EXPECT_EQ(host.notices, 1);
    EXPECT_EQ(waktuna::ReadString(host.store, "Skin"), "12");
    DestroyWindow(parent);
}

TEST(ProgramPage, SavesTheCalendarAndImsakOnlyWhenImsakIsInRange) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    ProgramPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
    page.Show(true);
    HWND calendar = GetDlgItem(page.hwnd(), kHijriCalendarId);
    HWND imsak = GetDlgItem(page.hwnd(), kImsakId);
    ASSERT_NE(calendar, nullptr);
    ASSERT_NE(imsak, nullptr);
    ASSERT_EQ(SendMessageA(calendar, CB_GETCOUNT, 0, 0), 2);  // tabular, Umm al-Qura
    SendMessageA(calendar, CB_SETCURSEL, 1, 0);

    // One minute past the hour allowed: refused before anything is written.
    SetWindowTextA(imsak, "61");
    PressSave(page);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.errors, 1);
    EXPECT_EQ(host.dialogs[0], "Enter the Imsak minutes as a whole number from 0 to 60.");
    EXPECT_TRUE(host.store.writes.empty());
    EXPECT_EQ(host.loads + host.notices + host.desktop, 0);

    SetWindowTextA(imsak, "10");
    PressSave(page);
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.notices, 1);
    EXPECT_EQ(waktuna::ReadDword(host.store, "HijriCalendar"), 1u);
    EXPECT_EQ(waktuna::ReadDword(host.store, "Imsak"), 10u);
    DestroyWindow(parent);
}
