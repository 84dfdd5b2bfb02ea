// The main window's texts: the prayer-times panel, the tray menu model and
// the "Setting saved" strip.
#include <gtest/gtest.h>

#include "waktuna/watch/panel.h"
#include "waktuna/look/saved_notice.h"
#include "waktuna/watch/tray_menu.h"

using namespace waktuna;

namespace {

LanguageList LinesWith(std::initializer_list<std::pair<int, std::string>> set) {
    std::vector<std::string> lines(227);
    for (auto& [n, text] : set) lines[static_cast<size_t>(n) - 1] = text;
    return LanguageList(std::move(lines));
}

}  // namespace

TEST(PanelTexts, TimeZoneAltitudeAndMazhab) {
    EXPECT_EQ(TimeZoneText(7), "+ 7");
    EXPECT_EQ(TimeZoneText(-5), "- 5");
    EXPECT_EQ(TimeZoneText(0), "- 0");
    EXPECT_EQ(TimeZoneText(5.5f), "+ 5.5");
    EXPECT_EQ(TimeZoneText(-3.5f), "- 3.5");
    EXPECT_EQ(AltitudeText(0), "0 m");
    EXPECT_EQ(AltitudeText(8), "8 m");
    EXPECT_EQ(AltitudeText(-12), "-12 m");
    EXPECT_EQ(MazhabText(true), "Mazhab Imam Syafii");
    EXPECT_EQ(MazhabText(false), "Mazhab Imam Hanafi");
}

TEST(PanelTexts, CoordinatesKeepTheStoredTextBesideTheirDegrees) {
    // 0.175 degrees = 10'30"; 0.8272 degrees = 49'37.92" -> 38".
    EXPECT_EQ(LatitudeValueText("-6.175"), "-6.175 (6\xB0"
                                           "10'30\"S)");
    EXPECT_EQ(LongitudeValueText("106.8272"), "106.8272 (106\xB0"
                                              "49'38\"E)");
    EXPECT_EQ(LatitudeValueText("51,5"), "51,5 (51\xB0"
                                         "30'0\"N)");
    // Text that reads as no number: the point 0, which counts as south/west.
    EXPECT_EQ(LatitudeValueText(""), " (0\xB0"
                                     "0'0\"S)");
}

TEST(PanelTexts, ConventionLines) {
    EXPECT_EQ(ConventionNameLine(0), 82);
    EXPECT_EQ(ConventionNameLine(1), 77);
    EXPECT_EQ(ConventionNameLine(5), 81);
    EXPECT_EQ(ConventionNameLine(6), 82);
    EXPECT_EQ(ConventionNameLine(-1), 82);
    const LanguageList lang = LinesWith({{60, "Place name"},
                                         {78, "Islamic Society of North America (ISNA)"},
                                         {82, "Customize degree"},
                                         {203, "Conventions for Fajr and Ishaa"}});
    EXPECT_EQ(OrganisationText(lang, 2),
              "Conventions for Fajr and Ishaa : Islamic Society of North America (ISNA)");
    EXPECT_EQ(OrganisationText(lang, 9), "Conventions for Fajr and Ishaa : Customize degree");
    EXPECT_EQ(PlaceHeadingText(lang, "Jakarta"), "Place name Jakarta");
}

TEST(PanelTexts, ColumnsRunFromShubuhToIsyaInTheTimeFormat) {
    PrayerTimes t{};
    t[Maghrib] = EncodeTime(17, 58, 40);
    t[Isya] = EncodeTime(19, 8, 5);
    t[Shubuh] = EncodeTime(4, 21, 0);
    t[Terbit] = EncodeTime(5, 40, 59);
    t[Dhuhur] = EncodeTime(11, 52, 30);
    t[Asar] = EncodeTime(15, 13, 9);
    const auto minutes = PanelColumn(t, "HH:mm");
    const std::array<std::string, 6> want_minutes = {"04:21", "05:40", "11:52",
                                                     "15:13", "17:58", "19:08"};
    EXPECT_EQ(minutes, want_minutes);
    const auto seconds = PanelColumn(t, "HH:mm:ss");
    EXPECT_EQ(seconds[0], "04:21:00");
    EXPECT_EQ(seconds[5], "19:08:05");
    t[Shubuh] = MissingTime();
    EXPECT_EQ(PanelColumn(t, "HH:mm")[0], "--:--");
}

TEST(TrayMenu, ItemsNumbersAndLines) {
    const auto items = TrayMenuItems();
    ASSERT_EQ(items.size(), 25u);
    for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].number, static_cast<int>(i));
    int separators = 0;
    for (const auto& item : items) separators += item.initial_caption == nullptr;
    EXPECT_EQ(separators, 4);  // items 1, 5, 10 and 14
    EXPECT_EQ(items[kItemClose].language_line, 154);
    EXPECT_STREQ(items[kItemClose].initial_caption, "Close Waktuna");
    EXPECT_EQ(items[kItemPauseAdzan].submenu, kItemAdzan);
    EXPECT_EQ(items[kItemAbout].submenu, -1);
    EXPECT_EQ(items[kItemPlay].submenu, kItemMultimedia);
    EXPECT_EQ(items[kItemMultimedia].language_line, 0);
    EXPECT_EQ(OpenItemLine(false), 143);
    EXPECT_EQ(OpenItemLine(true), 144);
}

TEST(TrayMenu, HelpFileFollowsTheWordHelp) {
    EXPECT_EQ(HelpFileName("Open help"), "Waktuna3en.chm");
    EXPECT_EQ(HelpFileName("Buka bantuan"), "Waktuna3id.chm");
    // Only the lower-case word counts: the initial caption picks Indonesian.
    EXPECT_EQ(HelpFileName("Open Help"), "Waktuna3id.chm");
    EXPECT_EQ(HelpFileName("helpful"), "Waktuna3en.chm");
}

TEST(TrayMenu, PagesButtonsAndTitles) {
    const LanguageList lang = LinesWith({{49, "Main Page Window"}, {50, "Main page"},
                                         {55, "Task scheduler"}, {56, "About"},
                                         {132, "About Window"}});
    EXPECT_EQ(PageTitle(lang, kPageMain), "Waktuna - [Main Page Window]");
    EXPECT_EQ(PageTitle(lang, kPageAbout), "Waktuna - [About Window]");
    EXPECT_EQ(PageButtonCaption(lang, kPageMain), "Main page");
    EXPECT_EQ(PageButtonCaption(lang, kPageTaskScheduler), "Task scheduler");
    EXPECT_EQ(PageButtonCaption(lang, kPageConverter), "Konversi");
    EXPECT_EQ(PageButtonCaption(lang, kPageAbout), "About");
}

TEST(SavedNoticeStrip, SlidesInTurnsYellowStaysAndSlidesOut) {
    SavedNotice s;
    s.Start();
    EXPECT_EQ(s.CurrentColor(), FromRrggbb(0xffffff));
    int ticks = 0;
    while (s.height < SavedNotice::kFullHeight) {
        ASSERT_TRUE(s.Tick());
        ++ticks;
    }
    EXPECT_EQ(ticks, 33);  // a third of a second at 10 ms
    while (s.counter < 100) ASSERT_TRUE(s.Tick());
    // White (0, 255, 0) to yellow (43, 128, 256) in hue, lightness, saturation.
    EXPECT_EQ(s.CurrentColor(), FromRrggbb(0xfcff01));
    while (s.counter < 200) ASSERT_TRUE(s.Tick());
    EXPECT_EQ(s.height, 33);
    ASSERT_TRUE(s.Tick());  // 201: the slide out begins
    EXPECT_EQ(s.height, 32);
    while (s.Tick()) ++ticks;
    EXPECT_EQ(s.counter, 233);
    EXPECT_EQ(s.height, 0);
    EXPECT_FALSE(s.Tick());
}

TEST(SavedNoticeStrip, HslBlendHalfway) {
    // Worked out with the formulas: the midpoint (22, 192, 128) converts to (224, 193, 160).
    EXPECT_EQ(BlendColorHsl(FromRrggbb(0xffffff), FromRrggbb(0xffff00), 0.5),
              FromRrggbb(0xe0c1a0));
    EXPECT_EQ(BlendColorHsl(FromRrggbb(0x123456), FromRrggbb(0xffff00), -1),
              JoinColor(HslToRgb(RgbToHsl(SplitColor(FromRrggbb(0x123456))))));
}

// Imsak on: a row of its own above Fajr, ten minutes before it (a Fajr just
// after midnight gives an Imsak late on the same clock day); the prayers'
// rows move down one. Off (0 or a value outside 1..60): the six rows.
TEST(PanelTexts, ImsakRowAboveFajrWhenOn) {
    PrayerTimes t{};
    t[Shubuh] = EncodeTime(4, 21, 0);
    t[Dhuhur] = EncodeTime(11, 52, 30);
    CoreSettings core;
    core.time_format = std::string(kFormatHHmm);
    core.imsak_minutes = 10;
    EXPECT_EQ(BuiltInEnglish().Line(PanelRows(core)[0].line), "Imsak");
    EXPECT_EQ(PanelColumn(t, core), (std::vector<std::string>{"04:11", "04:21", "00:00", "11:52", "00:00", "00:00", "00:00"}));
    EXPECT_EQ(PanelRowOf(Dhuhur, core), 3);
    t[Shubuh] = EncodeTime(0, 5, 0);
    EXPECT_EQ(PanelColumn(t, core)[0], "23:55");
    t[Shubuh] = MissingTime();
    EXPECT_EQ(PanelColumn(t, core)[0], "--:--");
    for (uint8_t off : {0, 61}) {
        core.imsak_minutes = off;
        EXPECT_EQ(PanelRows(core).size(), 6u) << int{off};
        EXPECT_EQ(PanelRowOf(Dhuhur, core), 2);
    }
}
