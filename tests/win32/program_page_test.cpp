// The program settings page and the prayer-times page in windows of their
// own, with a host that records what the page asks of the main window: a
// Save that is not wholly stored shows the error and applies nothing; an
// authority chosen from the list fills the boxes and Save stores them; the
// Hijri calendar and the Imsak minutes reach the settings, and an Imsak box
// out of range stores nothing at all; a hot key another program holds is
// reported.
#include <gtest/gtest.h>

#include "pages/prayer_page.h"
#include "pages/program_page.h"
#include "recording_host.h"
#include "waktuna/calc/authorities.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings.h"
#include "waktuna/settings/settings_store.h"

using namespace app;

namespace {

constexpr int kSaveId = 2122;
constexpr int kHotKeyId = 2128;
constexpr int kHijriCalendarId = 2125;
constexpr int kImsakId = 2126;

void PressSave(ProgramPage& page) {
    HWND save = GetDlgItem(page.hwnd(), kSaveId);
    ASSERT_NE(save, nullptr);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kSaveId, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

void Choose(ProgramPage& page, int id, int item) {
    HWND combo = GetDlgItem(page.hwnd(), id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

}  // namespace

TEST(ProgramPage, HotKeyTakenByAnotherProgramIsReported) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    host.hot_key_free = false;
    ProgramPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
    page.Show(true);
    Choose(page, kHotKeyId, 24 + ('J' - 'A'));
    PressSave(page);
    EXPECT_EQ(waktuna::ReadString(host.store, "HotKey"), "J");
    EXPECT_EQ(host.hot_keys, 1);
    EXPECT_EQ(host.notices, 1);  // everything else was stored and applied
    EXPECT_EQ(host.dialogs, std::vector<std::string>{host.language.Line(waktuna::kLineHotKeyTaken) +
                                                     "\r\nCtrl+Alt+J"});
    DestroyWindow(parent);
}

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

namespace {

// Ids of the prayer-times page.
constexpr int kLatitudeId = 101, kLongitudeId = 102, kPrayerGdId = 120, kPrayerGnId = 121, kPrayerSaveId = 128, kAuthorityId = 130,
              kIshaIntervalId = 133, kMaghribAngleId = 135;

std::string BoxText(HWND page, int id) {
    char text[64] = {};
    GetWindowTextA(GetDlgItem(page, id), text, sizeof text);
    return text;
}

}  // namespace

TEST(PrayerPage, ChosenAuthorityFillsTheBoxesAndSaveStoresIt) {
    // The authorities' published parameters: Umm al-Qura Fajr 18.5 degrees
    // and Isha 90 minutes after Maghrib; Tehran's Institute of Geophysics
    // Fajr 17.7, Isha 14 and Maghrib 4.5 degrees.
    struct Case {
        const char* key;
        const char *gd, *gn, *interval, *maghrib;
    };
    for (const Case& c : {Case{"makkah", "18.5", nullptr, "90", "0"}, Case{"tehran", "17.7", "14", "0", "4.5"}}) {
        SCOPED_TRACE(c.key);
        const waktuna::Authority* authority = waktuna::AuthorityByKey(c.key);
        ASSERT_NE(authority, nullptr);
        HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
        RecordingHost host;
        PrayerPage page(host);
        ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
        page.Show(true);

        SetWindowTextA(GetDlgItem(page.hwnd(), kLatitudeId), "21.4266");
        SetWindowTextA(GetDlgItem(page.hwnd(), kLongitudeId), "39.8256");
        HWND list = GetDlgItem(page.hwnd(), kAuthorityId);
        const std::string name(authority->name);
        const LRESULT item = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_GT(item, 0);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kAuthorityId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(BoxText(page.hwnd(), kPrayerGdId), c.gd);
        if (c.gn) {
            EXPECT_EQ(BoxText(page.hwnd(), kPrayerGnId), c.gn);
        }
        EXPECT_EQ(BoxText(page.hwnd(), kIshaIntervalId), c.interval);
        EXPECT_EQ(BoxText(page.hwnd(), kMaghribAngleId), c.maghrib);

        HWND save = GetDlgItem(page.hwnd(), kPrayerSaveId);
        SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kPrayerSaveId, BN_CLICKED), reinterpret_cast<LPARAM>(save));
        EXPECT_TRUE(host.dialogs.empty()) << (host.dialogs.empty() ? "" : host.dialogs[0]);
        EXPECT_EQ(host.notices, 1);
        EXPECT_EQ(waktuna::ReadDword(host.store, waktuna::kAuthorityValue), authority->number);
        EXPECT_EQ(waktuna::ReadString(host.store, "Gd"), c.gd);
        EXPECT_EQ(waktuna::ReadString(host.store, waktuna::kIshaIntervalValue), c.interval);
        EXPECT_EQ(waktuna::ReadString(host.store, waktuna::kMaghribAngleValue), c.maghrib);
        // The list still names the chosen authority after the page is shown again.
        page.Show(true);
        EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), item);
        // A value the preset filled, typed over: the list says custom at once.
        HWND interval = GetDlgItem(page.hwnd(), kIshaIntervalId);
        SetWindowTextA(interval, "75");
        SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kIshaIntervalId, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(interval));
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
        EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
        DestroyWindow(parent);
    }
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
