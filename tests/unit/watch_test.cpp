#include "waktuna/watch/watch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "watch_fake.h"

using namespace waktuna;
using namespace waktuna::fake;
using ::testing::ElementsAre;

class WatchTest : public WatchFixture {};

TEST(WatchText, HeaderDateLabelAndHelpers) {
    const LanguageList english = BuiltInEnglish();
    const DateTime day = EncodeDate(2009, 3, 21);  // a Saturday; 24 Rabiul Awal 1430
    EXPECT_EQ(HeaderDateLabel(day, english, 0), "Saturday, 21 March 2009 ( 24 Rabiul Awal 1430 H )");
    EXPECT_EQ(HeaderDateLabel(day + 1, english, 1), "Sunday, 22 March 2009 ( 26 Rabiul Awal 1430 H )");
    EXPECT_EQ(HeaderDateLabel(EncodeDate(2024, 1, 5), english, 0).substr(0, 19), "Friday, 5 January 2");
    // In the Umm al-Qura calendar 21 February 2023 is 1 Syaban, not 30 Rajab.
    CoreSettings core;
    core.hijri_calendar = HijriCalendar::UmmAlQura;
    EXPECT_EQ(HeaderDateLabel(EncodeDate(2023, 2, 21), english, core), "Tuesday, 21 February 2023 ( 1 Syaban 1444 H )");

    EXPECT_EQ(DurationText(0), "00:00:00");
    EXPECT_EQ(DurationText(3 * 3600 + 4 * 60 + 5), "03:04:05");
    EXPECT_EQ(DurationText(30 * 3600), "30:00:00");
    // The second a time's text shows: to the millisecond, then cut.
    EXPECT_EQ(SecondOfDay(EncodeTime(12, 0, 32, 999)), 12 * 3600 + 32);
    EXPECT_EQ(SecondOfDay(EncodeTime(12, 0, 32) - 0.0004 / 86400), 12 * 3600 + 32);
    EXPECT_EQ(SecondOfDay(MissingTime()), std::nullopt);
    EXPECT_EQ(ClockSecondOf(EncodeDate(2009, 3, 21) + EncodeTime(23, 59, 59, 999)) % 86400, 86399);
}

TEST_F(WatchTest, DayChangeByTickCountAndByDate) {
    // Started at 23:59:55: the counted change comes at the 14th tick.
    Begin(2009, 3, 20, 23, 59, 55);
    EXPECT_EQ(watch.DayChangeTick(), 14u);
    EXPECT_EQ(watch.TimesDate(), EncodeDate(2009, 3, 20));
    EXPECT_EQ(actions.date_label, "Friday, 20 March 2009 ( 23 Rabiul Awal 1430 H )");
    for (int i = 0; i < 4; ++i) Tick();  // 23:59:59
    EXPECT_EQ(watch.TimesDate(), EncodeDate(2009, 3, 20));
    Tick();  // 00:00:00: the date has changed, the times follow at once
    EXPECT_EQ(watch.TimesDate(), EncodeDate(2009, 3, 21));
    EXPECT_EQ(actions.date_label, "Saturday, 21 March 2009 ( 24 Rabiul Awal 1430 H )");
    EXPECT_EQ(actions.days.today, EncodeDate(2009, 3, 21));
    EXPECT_EQ(FormatTime(actions.days.today_times[Dhuhur], kFormatHHmmss), "12:00:32");
    for (int i = 0; i < 8; ++i) Tick();
    EXPECT_EQ(watch.DayTickCount(), 13u);
    Tick();  // the 14th tick: the counted change, then every 86 400 ticks
    EXPECT_EQ(watch.DayTickCount(), 0u);
    EXPECT_EQ(watch.DayChangeTick(), 86400u);
    EXPECT_EQ(actions.With("days").size(), 2u);

    Begin(2009, 3, 21, 0, 0, 5);
    EXPECT_EQ(watch.DayChangeTick(), 86404u);
}

TEST_F(WatchTest, AnnouncementInOrder) {
    settings.alerts.m_adzan = 1;
    settings.alerts.m_message = 1;
    settings.alerts.m_minimize = 1;
    settings.alerts.m_shutdown = 2;
    WriteString(key, "AdzanDhuhur", Adzan("zuhr"));
    actions.drop_zone = DropZoneState::Visible;
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 0, 32);
    EXPECT_THAT(actions.log,
                ElementsAre("12:00:32 announce Zuhr", "12:00:32 hibernate", "12:00:32 minimize",
                            "12:00:32 dz-alert Now is the time to pray Zuhr", "12:00:32 adzan-menu on",
                            "12:00:32 open C:\\adzan\\zuhr.wav",
                            "12:00:32 bar Now is the time to pray Zuhr",
                            "12:00:32 dialog-information Now is the time to pray Zuhr"));
    EXPECT_EQ(actions.dz_second, "");
    EXPECT_EQ(actions.sounds[0]->plays, 1);

    // Hibernation refused by the system: line 140 instead; a shutdown at the
    // time when MShutdown is 1. Nothing at sunrise.
    actions.log.clear();
    actions.hibernate_allowed = false;
    TickTo(15, 11, 0);
    EXPECT_EQ(actions.With("information Your computer doesn't support hibernate").size(), 1u);
    EXPECT_EQ(actions.With("announce").size(), 1u);
    settings.alerts = AlertSettings{};
    settings.alerts.m_shutdown = 1;
    actions.drop_zone = DropZoneState::Absent;
    Begin(2009, 3, 21, 5, 0, 0);
    TickTo(12, 0, 32);
    EXPECT_THAT(actions.log, ElementsAre("12:00:32 announce Zuhr", "12:00:32 shutdown",
                                         "12:00:32 shutdown"));  // the delay 0 asks again at once
}

TEST_F(WatchTest, SameTimeTextAnnouncesTheFirstInArrivalOrderOnly) {
    // With "HH:mm": Dhuhur 12:00, Asar 15:11, Maghrib 18:04, Isya 19:13.
    settings.core.time_format = std::string(kFormatHHmm);
    settings.core.add_asar = -191;  // 12:00, as Dhuhur
    settings.core.add_isya = -69;   // 18:04, as Maghrib
    settings.alerts.message1 = 1;
    Begin(2009, 3, 21, 11, 0, 0);
    TickTo(18, 30, 0);
    EXPECT_THAT(actions.With("announce"), ElementsAre("12:00:00 announce Zuhr", "18:04:00 announce Maghrib"));
    // The reminders look in the order Shubuh, Dhuhur, Asar, Maghrib, Isya.
    EXPECT_THAT(actions.With("bar"), ElementsAre("11:59:00 bar 1 minutes again time to sholah Zuhr",
                                                 "18:03:00 bar 1 minutes again time to sholah Maghrib"));
}

TEST_F(WatchTest, RemindersBeforeAndAfterOncePerTimeAcrossMidnight) {
    settings.alerts.message1 = 10;
    settings.alerts.message2 = 5;
    Begin(2009, 3, 21, 11, 0, 0);
    TickTo(15, 30, 0);
    EXPECT_THAT(actions.With("bar"),
                ElementsAre("11:50:32 bar 10 minutes again time to sholah Zuhr",
                            "12:05:32 bar 5 minutes has left from Zuhr time",
                            "15:01:00 bar 10 minutes again time to sholah Asr",
                            "15:16:00 bar 5 minutes has left from Asr time"));
    EXPECT_EQ(actions.With("dialog-information").size(), 4u);

    // 300 minutes before Shubuh (04:40:01) is 23:40:01 the evening before:
    // the clock texts wrap around midnight.
    settings.alerts.message1 = 300;
    settings.alerts.message2 = 0;
    Begin(2009, 3, 21, 23, 39, 0);
    TickTo(23, 41, 0);
    EXPECT_THAT(actions.With("bar"), ElementsAre("23:40:01 bar 300 minutes again time to sholah Fajr"));
}

TEST_F(WatchTest, PowerActionsAfterTheTime) {
    settings.alerts.m_shutdown = 1;
    settings.alerts.m_time_shutdown = 15;
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 20, 0);
    EXPECT_THAT(actions.With("shutdown"), ElementsAre("12:00:32 shutdown", "12:15:32 shutdown"));

    // Hibernate after the time needs a delay above 0.
    settings.alerts = AlertSettings{};
    settings.alerts.m_shutdown_after = 2;
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 20, 0);
    EXPECT_TRUE(actions.With("hibernate").empty());
    settings.alerts.m_time_shutdown = 5;
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 20, 0);
    EXPECT_THAT(actions.With("hibernate"), ElementsAre("12:05:32 hibernate"));
    settings.alerts.m_shutdown_after = 1;
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 20, 0);
    EXPECT_THAT(actions.With("shutdown"), ElementsAre("12:05:32 shutdown"));
}

TEST_F(WatchTest, FridayReminderOnFridaysOnly) {
    // Only the time of day of MJumat counts, whatever its date part.
    settings.alerts.m_jumat = EncodeDate(2001, 7, 3) + EncodeTime(11, 30, 0);
    Begin(2009, 3, 19, 11, 0, 0);  // Thursday
    TickTo(12, 0, 0);
    EXPECT_TRUE(actions.With("friday").empty());
    Begin(2009, 3, 20, 11, 0, 0);  // Friday
    TickTo(12, 0, 0);
    EXPECT_THAT(actions.With("friday"), ElementsAre("11:30:00 bar Prepare your self for friday prayer",
                                                    "11:30:00 dialog-information Prepare your self for friday prayer"));
    settings.alerts.m_jumat = 0.0;
    Begin(2009, 3, 20, 0, 0, 0);
    TickTo(23, 59, 59);
    EXPECT_TRUE(actions.With("friday").empty());
}

// Imsak (10 minutes before Shubuh, 04:40:01): a message in the bar and the
// dialog when asked for, and nothing else; nothing while Imsak is off.
TEST_F(WatchTest, ImsakMessageWhenAskedAndOn) {
    settings.core.imsak_minutes = 10;
    settings.alerts.m_imsak = 1;
    settings.alerts.m_adzan = 1;
    actions.drop_zone = DropZoneState::Visible;
    Begin(2009, 3, 21, 4, 0, 0);
    TickTo(4, 35, 0);
    EXPECT_THAT(actions.log, ElementsAre("04:30:01 bar Imsak: stop eating and drinking, Fajr is near.",
                                         "04:30:01 dialog-information Imsak: stop eating and drinking, Fajr is near."));
    for (auto [minutes, asked] : {std::pair<uint8_t, uint16_t>{0, 1}, {10, 0}}) {
        settings.core.imsak_minutes = minutes;
        settings.alerts.m_imsak = asked;
        Begin(2009, 3, 21, 4, 0, 0);
        TickTo(4, 35, 0);
        EXPECT_TRUE(actions.With("Imsak").empty()) << int{minutes};
    }
}

TEST_F(WatchTest, CountdownNamesTheNextTime) {
    settings.dz_remaining = true;
    actions.drop_zone = DropZoneState::Visible;
    Begin(2009, 3, 21, 4, 59, 59);
    Tick();  // 05:00:00, between Shubuh and Terbit: sunrise is next, never announced
    EXPECT_EQ(actions.dz_first, "Shurook 05:56:46");
    EXPECT_EQ(actions.dz_second, "Remaining 00:56:46");
    EXPECT_EQ(actions.cell, (PanelCell{false, Terbit}));
    EXPECT_EQ(actions.tip, "Jakarta\rShurook 05:56:46\rRemaining 00:56:46\rWaktuna v3.10");
    TickTo(5, 56, 46);
    EXPECT_EQ(actions.dz_first, "Zuhr 12:00:32");
    EXPECT_TRUE(actions.With("announce").empty());

    // After Isya: tomorrow's Shubuh with " : ", counted from 23:59:59 plus
    // Shubuh read back from its text.
    TickTo(19, 13, 0);
    const DateTime fajr = CalculatePrayerTimes(ToCalcSettings(settings.calc), EncodeDate(2009, 3, 22),
                                               settings.core)[Shubuh];
    const int32_t fajr_second = *SecondOfDay(fajr);
    EXPECT_EQ(actions.dz_first, "Fajr : " + FormatTime(fajr, kFormatHHmmss));
    EXPECT_EQ(actions.dz_second, "Remaining " + DurationText(4 * 3600 + 46 * 60 + 59 + fajr_second));
    EXPECT_EQ(actions.cell, (PanelCell{true, Shubuh}));

    // A long place name: the tip is cut to 63 characters.
    settings.calc.area = std::string(60, 'x');
    watch.SetSettings(settings);
    Tick();
    EXPECT_EQ(actions.tip, std::string(60, 'x') + "\rFa");

    // Flashing or hidden drop zone: its texts are left alone.
    actions.drop_zone = DropZoneState::Alerting;
    actions.dz_first = "kept";
    Tick();
    actions.drop_zone = DropZoneState::Hidden;
    Tick();
    EXPECT_EQ(actions.dz_first, "kept");
    // Without dzRemaining the second text is not written.
    settings.dz_remaining = false;
    watch.SetSettings(settings);
    actions.drop_zone = DropZoneState::Visible;
    actions.dz_second = "kept";
    Tick();
    EXPECT_EQ(actions.dz_second, "kept");
}

TEST_F(WatchTest, InformationEveryIntervalOfTicks) {
    settings.alerts.show_information = 30;
    Begin(2009, 3, 21, 10, 36, 47);
    for (int i = 0; i < 3600; ++i) Tick();
    EXPECT_THAT(actions.With("information"),
                ElementsAre("11:06:47 information Fajr: 04:40:01 Shurook: 05:56:46 Zuhr: 12:00:32 "
                            "Asr: 15:11:00 Maghrib: 18:04:19 Isha: 19:13:00 | - Time to pray Zuhr "
                            "still 00:53:45 (hours:minutes:second) -",
                            "11:36:47 information Fajr: 04:40:01 Shurook: 05:56:46 Zuhr: 12:00:32 "
                            "Asr: 15:11:00 Maghrib: 18:04:19 Isha: 19:13:00 | - Time to pray Zuhr "
                            "still 00:23:45 (hours:minutes:second) -"));
    EXPECT_EQ(watch.TickCount(), 3600u);
}

TEST_F(WatchTest, AdzanThenDua) {
    settings.alerts.m_adzan = 1;
    const std::string zuhr = Adzan("zuhr");
    WriteString(key, "AdzanDhuhur", zuhr);
    WriteDword(key, "UseDua", 1);
    actions.files.insert("C:\\Waktuna\\Dua.mp3");
    actions.lengths[zuhr] = 3000;
    actions.lengths["C:\\Waktuna\\Dua.mp3"] = 2000;
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 0, 40);
    EXPECT_THAT(actions.log,
                ElementsAre("12:00:32 announce Zuhr", "12:00:32 adzan-menu on", "12:00:32 open " + zuhr,
                            "12:00:35 adzan-menu on", "12:00:35 open C:\\Waktuna\\Dua.mp3",
                            "12:00:37 adzan-menu off", "12:00:37 adzan-menu off"));
    EXPECT_FALSE(watch.HasAdzanPlayer());
    EXPECT_FALSE(watch.HasDuaPlayer());
    EXPECT_TRUE(actions.sounds[0]->stopped && actions.sounds[1]->stopped);

    // Without UseDua the adzan is closed at its end; a file that cannot be
    // decoded (length 0) counts as ended at the next tick.
    WriteDword(key, "UseDua", 0);
    actions.lengths[zuhr] = 0;
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 0, 40);
    EXPECT_THAT(actions.log, ElementsAre("12:00:32 announce Zuhr", "12:00:32 adzan-menu on",
                                         "12:00:32 open " + zuhr, "12:00:32 adzan-menu off"));

    // A missing adzan file: the warning, no player, so no Dua.
    WriteDword(key, "UseDua", 1);
    WriteString(key, "AdzanDhuhur", "C:\\gone.wav");
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 0, 40);
    EXPECT_THAT(actions.log,
                ElementsAre("12:00:32 announce Zuhr",
                            "12:00:32 dialog-warning Adzan File not found. Make sure you select "
                            "correct location of the file."));
}

TEST_F(WatchTest, MissingDuaWarnsOnceAndClosesTheAdzan) {
    settings.alerts.m_adzan = 1;
    WriteString(key, "AdzanDhuhur", Adzan("zuhr"));
    WriteDword(key, "UseDua", 1);
    Begin(2009, 3, 21, 12, 0, 30);
    // The warning stays open for 20 seconds, with ticks running inside.
    actions.inside_dialog = [&] {
        for (int i = 0; i < 20; ++i) Tick();
    };
    TickTo(12, 2, 0);
    EXPECT_EQ(actions.With("File Dua.mp3 not found").size(), 1u);
    EXPECT_EQ(actions.With("dialog-warning File Dua.mp3 not found")[0], "12:00:33 dialog-warning File Dua.mp3 not found");
    EXPECT_FALSE(watch.HasAdzanPlayer());

    // From the menu, StartDua only warns.
    actions.log.clear();
    actions.inside_dialog = nullptr;
    watch.StartDua();
    EXPECT_THAT(actions.log, ElementsAre("12:02:00 dialog-warning File Dua.mp3 not found"));
}

TEST_F(WatchTest, DuaLeftByAStoppedAdzanDoesNotSwallowTheNextOne) {
    settings.alerts.m_adzan = 1;
    WriteString(key, "AdzanDhuhur", Adzan("zuhr"));
    WriteString(key, "AdzanAsar", Adzan("asr"));
    WriteDword(key, "UseDua", 1);
    actions.files.insert("C:\\Waktuna\\Dua.mp3");
    actions.lengths["C:\\Waktuna\\Dua.mp3"] = 5000;
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 0, 35);  // adzan (1 s) ended, the Dua plays
    ASSERT_TRUE(watch.HasDuaPlayer());
    watch.CloseAdzan();  // "Stop Adzan": the Dua plays on, unwatched
    TickTo(12, 1, 0);
    EXPECT_TRUE(watch.HasDuaPlayer());
    TickTo(15, 11, 10);
    // The Asr adzan is followed by its Dua.
    EXPECT_EQ(actions.With("open C:\\Waktuna\\Dua.mp3").size(), 2u);
    EXPECT_EQ(actions.With("open C:\\Waktuna\\Dua.mp3")[1], "15:11:01 open C:\\Waktuna\\Dua.mp3");
}

TEST_F(WatchTest, PauseAndContinueFromTheMenu) {
    settings.alerts.m_adzan = 1;
    WriteString(key, "AdzanDhuhur", Adzan("zuhr"));
    actions.lengths["C:\\adzan\\zuhr.wav"] = 5000;
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 0, 33);
    watch.PauseAdzan();
    TickTo(12, 0, 50);  // paused: not at its end, so it stays
    ASSERT_TRUE(watch.HasAdzanPlayer());
    watch.ResumeAdzan();
    TickTo(12, 0, 53);
    EXPECT_TRUE(watch.HasAdzanPlayer());
    TickTo(12, 0, 55);
    EXPECT_FALSE(watch.HasAdzanPlayer());
}

TEST_F(WatchTest, SecondsNoTickFellInAreExaminedOnce) {
    settings.alerts.message2 = 1;
    Begin(2009, 3, 21, 12, 0, 30);  // 12:00:30.500
    Tick(1400);                     // 12:00:31.900
    Tick(1300);                     // 12:00:33.200: 12:00:32 fell between ticks
    EXPECT_THAT(actions.log, ElementsAre("12:00:33 announce Zuhr"));
    Tick(300);  // same second again: nothing twice
    Tick(600);
    EXPECT_EQ(actions.With("announce").size(), 1u);

    // A stall of 20 seconds: only the last 10 seconds are looked at.
    Begin(2009, 3, 21, 12, 0, 10);
    Tick(20000);  // 12:00:30
    Tick(12000);  // 12:00:42: looks at 12:00:32 .. 12:00:42
    EXPECT_EQ(actions.With("announce").size(), 1u);
    Begin(2009, 3, 21, 12, 0, 10);
    Tick(10000);  // 12:00:20
    Tick(13000);  // 12:00:33: 12:00:21, 12:00:22 are passed over, 12:00:32 is not
    EXPECT_EQ(actions.With("announce").size(), 1u);
    Begin(2009, 3, 21, 12, 0, 10);
    Tick(21000);  // 12:00:31
    Tick(12000);  // 12:00:43: 12:00:32 is 11 seconds back
    EXPECT_TRUE(actions.With("announce").empty());

    // The after-reminder for the prayer comes once, one minute later.
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 2, 0);
    EXPECT_EQ(actions.With("bar 1 minutes has left from Zuhr time").size(), 1u);
}

TEST_F(WatchTest, ClockSetBackRepeatsWhatItCrossesAndForwardSkips) {
    Begin(2009, 3, 21, 12, 0, 0);
    TickTo(12, 1, 0);
    clock.AdvanceMs(-3600 * 1000);  // back to 11:01
    TickTo(12, 1, 0);
    EXPECT_THAT(actions.With("announce"), ElementsAre("12:00:32 announce Zuhr", "12:00:32 announce Zuhr"));
    // Set forward over Asar: skipped.
    actions.log.clear();
    TickTo(15, 10, 50);
    clock.AdvanceMs(600 * 1000);
    TickTo(15, 30, 0);
    EXPECT_TRUE(actions.With("announce").empty());
}

TEST_F(WatchTest, SleepAcrossMidnightAnnouncesTheNewDaysTimes) {
    Begin(2009, 3, 21, 22, 0, 0);
    Tick();
    clock.Set(2009, 3, 22, 5, 59, 59, 500);  // woken after eight hours; ticks at 06:00:00
    Tick();
    EXPECT_EQ(watch.TimesDate(), EncodeDate(2009, 3, 22));
    EXPECT_EQ(actions.cell, (PanelCell{false, Dhuhur}));
    TickTo(12, 1, 0);
    // 22 March's noon, not 21 March's 12:00:32.
    const auto announced = actions.With("announce");
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0], FormatTime(watch.TodayTimes()[Dhuhur], kFormatHHmmss) + " announce Zuhr");
    EXPECT_NE(announced[0].substr(0, 8), "12:00:32");
    // The counted day change still comes, late by the lost ticks: tick 7209
    // after a start at 22:00:00.
    const auto days = actions.With("days");
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].substr(0, 8), "06:00:00");
    EXPECT_EQ(days[1].substr(0, 8), "08:00:07");
}

TEST_F(WatchTest, MissingTimesAreNeverAnnouncedNorCountedTo) {
    // Tromsø at midsummer: no Shubuh, sunrise, Maghrib or Isya.
    settings = Place("Tromso", "69.65", "18.96", 0, 1, 18, 17);
    settings.alerts.message1 = 5;
    settings.alerts.message2 = 5;
    actions.drop_zone = DropZoneState::Visible;
    Begin(2024, 6, 21, 0, 0, 0);
    ASSERT_TRUE(IsMissing(watch.TodayTimes()[Isya]));
    std::set<std::string> named;
    for (int i = 0; i < 86399; ++i) {
        Tick();
        named.insert(actions.dz_first.substr(0, actions.dz_first.find(' ')));
    }
    EXPECT_EQ(actions.With("announce").size(), 2u);  // Zuhr and Asr
    EXPECT_EQ(actions.With("bar").size(), 4u);
    EXPECT_EQ(named, (std::set<std::string>{"Zuhr", "Asr"}));
    EXPECT_EQ(actions.cell, (PanelCell{true, Dhuhur}));  // after Asr: tomorrow's noon
    EXPECT_EQ(actions.dz_first.find("Zuhr : "), 0u);
}

TEST_F(WatchTest, DialogsRunTicksInsideWithoutLossOrRepeat) {
    // The announcement's dialog stays open 70 seconds with jittered ticks
    // running inside it; the after-reminder falls inside. The shutdown the
    // tick decided for its own second (delay 0) comes once, when the dialog
    // has returned.
    settings.alerts.m_message = 1;
    settings.alerts.message2 = 1;
    settings.alerts.m_shutdown = 1;
    int depth = 0;
    actions.inside_dialog = [&] {
        ++depth;
        for (int i = 0; i < 70; ++i) Tick(i % 3 == 0 ? 1400 : 800);
        --depth;
    };
    Begin(2009, 3, 21, 12, 0, 30);
    TickTo(12, 3, 0);
    EXPECT_THAT(actions.log,
                ElementsAre("12:00:32 announce Zuhr", "12:00:32 shutdown",
                            "12:00:32 bar Now is the time to pray Zuhr",
                            "12:00:32 dialog-information Now is the time to pray Zuhr",
                            "12:01:32 bar 1 minutes has left from Zuhr time",
                            "12:01:32 dialog-dropped 1 minutes has left from Zuhr time",
                            "12:01:42 shutdown"));
    EXPECT_EQ(depth, 0);
}

namespace {

// GMT until the switch instant, an hour ahead from it (London, 29 March 2026,
// 01:00 UTC); `moved` stands for the user choosing another zone.
class SpringSwitch final : public ZoneRule {
public:
    std::optional<int32_t> OffsetAt(UnixSeconds utc) const override {
        if (moved) return *moved;
        return utc < UnixSecondsOfDay(EncodeDate(2026, 3, 29)) + 3600 ? 0 : 3600;
    }
    std::string Name() const override { return "Europe/London"; }
    std::optional<int32_t> moved;
};

}  // namespace

// With FollowWindowsZone on, the night of the switch moves the day's times by
// the hour and the alert comes at the new clock time; off, the fixed TZ stays.
TEST_F(WatchTest, ZoneThatFollowsTheSystemMovesTheTimesOnTheSwitchNight) {
    settings = Place("London", "51.5", "-0.12", 0, 0, 18, 17);
    settings.alerts.m_message = 1;
    settings.calc.follow_windows_zone = true;
    SpringSwitch rule;
    watch.SetZoneRule(&rule);
    Begin(2026, 3, 28, 23, 59, 50);
    const std::string saturday = FormatTime(actions.days.today_times[Dhuhur], kFormatHHmmss);
    EXPECT_EQ(actions.days.today_zone, 0.0f);
    EXPECT_EQ(FormatTime(actions.days.tomorrow[Dhuhur], kFormatHHmmss).substr(0, 3), "13:");
    TickTo(0, 0, 1);
    EXPECT_EQ(actions.days.today_zone, 1.0f);
    const std::string sunday = FormatTime(actions.days.today_times[Dhuhur], kFormatHHmmss);
    EXPECT_EQ(saturday.substr(0, 3), "12:");
    EXPECT_EQ(sunday.substr(0, 3), "13:");
    Hms t;
    ASSERT_TRUE(ParseClockText(sunday, t));
    TickTo(t.hour, t.minute, t.second);
    const auto announced = actions.With("announce Zuhr");
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced.front().substr(0, 8), sunday);

    // The system's zone changed while running (the main window recomputes on
    // the time-change message): the times move at once.
    rule.moved = 2 * 3600;
    watch.RecomputeTimes();
    EXPECT_EQ(actions.days.today_zone, 2.0f);
    EXPECT_EQ(FormatTime(actions.days.today_times[Dhuhur], kFormatHHmmss).substr(0, 3), "14:");

    rule.moved.reset();
    settings.calc.follow_windows_zone = false;
    Begin(2026, 3, 29, 10, 0, 0);
    EXPECT_EQ(actions.days.today_zone, 0.0f);
    EXPECT_EQ(FormatTime(actions.days.today_times[Dhuhur], kFormatHHmmss).substr(0, 3), "12:");
}
