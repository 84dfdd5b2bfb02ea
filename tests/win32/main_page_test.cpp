// The panel's red cell (the next prayer) stays on its prayer when the Imsak
// row is shown or hidden: every prayer's row moves, the red goes with it at
// once, not at the watch's next tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/main_page.h"
#include "recording_host.h"
#include "waktuna/calc/datetime.h"

namespace app {
namespace {

// The texts of the shown time cells the page paints in red (the Qibla
// bearing is red too, and no time), asked as Windows asks before painting a
// label.
std::vector<std::string> RedTexts(HWND page) {
    struct Walk {
        HWND page;
        HDC dc;
        std::vector<std::string> red;
    } walk{page, CreateCompatibleDC(nullptr), {}};
    EnumChildWindows(
        page,
        [](HWND child, LPARAM lp) -> BOOL {
            auto& w = *reinterpret_cast<Walk*>(lp);
            if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) return TRUE;
            SetTextColor(w.dc, RGB(0, 0, 0));
            SendMessageA(w.page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(w.dc),
                         reinterpret_cast<LPARAM>(child));
            char text[32] = {};
            GetWindowTextA(child, text, sizeof text);
            if (GetTextColor(w.dc) == RGB(255, 0, 0) && text[2] == ':') w.red.emplace_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    DeleteDC(walk.dc);
    return walk.red;
}

// Each time a minute later than the day before's.
waktuna::PrayerTimes Day(int minute) {
    waktuna::PrayerTimes t{};
    const int hours[6][2] = {{17, 55}, {19, 5}, {4, 30}, {5, 45}, {11, 50}, {15, 10}};  // Maghrib first
    for (size_t p = 0; p < t.size(); ++p) t[p] = waktuna::EncodeTime(hours[p][0], hours[p][1] + minute, 0);
    return t;
}

}  // namespace

TEST(MainPage, RedCellFollowsItsPrayerWhenTheImsakRowComesAndGoes) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    MainPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 430, 310}));
    page.Show(true);
    PanelValues values;
    values.yesterday = Day(-1);
    values.today = Day(0);
    values.tomorrow = Day(1);
    page.FillPanel(values);

    // Today's Dhuhur, then tomorrow's Fajr once Isha has passed; the Imsak
    // row (10 minutes before Fajr) comes, goes and comes again.
    const struct {
        waktuna::PanelCell cell;
        const char* red;
    } cases[] = {{{false, waktuna::Dhuhur}, "11:50"}, {{true, waktuna::Shubuh}, "04:31"}};
    for (const auto& c : cases) {
        values.core.imsak_minutes = 0;
        page.FillPanel(values);
        page.HighlightCell(c.cell);
        EXPECT_EQ(RedTexts(page.hwnd()), std::vector<std::string>{c.red});
        for (uint8_t imsak : {10, 0, 10}) {
            values.core.imsak_minutes = imsak;
            page.FillPanel(values);
            EXPECT_EQ(RedTexts(page.hwnd()), std::vector<std::string>{c.red})
                << c.red << " with Imsak " << int{imsak};
        }
    }
    DestroyWindow(parent);
}

}  // namespace app
