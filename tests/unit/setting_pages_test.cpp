// The prayer-times and alert-message pages' models: what they show, which
// entry they refuse first, what Save writes, and a Save the key refuses.
#include <gmock/gmock.h>

#include "waktuna/calc/numbers.h"
#include "waktuna/pages/alert_page.h"
#include "waktuna/pages/prayer_page.h"
#include "waktuna/pages/program_page.h"
#include "waktuna/settings/settings.h"
#include "fake_store.h"

namespace waktuna {
namespace {

// Records the names written, in order; refuses the names in `refused`.
PrayerPage Jakarta() {
    MemorySettingsStore key;
    for (const auto& [name, text] : {std::pair{"Area", "Jakarta"}, {"Latitude", "-6.175"},
                                     {"Longitude", "106,8272"}, {"Altitude", "8"}, {"TZ", "7"}})
        WriteString(key, name, text);
    PrayerPage p;
    p.Load(key, 0);
    p.ClickConvention(kKarachi);
    return p;
}

TEST(PrayerPage, FirstRefusalInTheOrderOfTheBoxes) {
    EXPECT_EQ(Jakarta().Validate(), std::nullopt);
    // Each row spoils one more box, earlier in the order: the earliest wins.
    const std::pair<std::string PrayerPage::*, int> order[] = {
        {&PrayerPage::gd, 163},          {&PrayerPage::gn, 163},
        {&PrayerPage::add_isya, 162},    {&PrayerPage::add_dhuhur, 162},
        {&PrayerPage::altitude, 161},    {&PrayerPage::time_zone, 161},
        {&PrayerPage::longitude, 160},   {&PrayerPage::latitude, 160},
    };
    PrayerPage p = Jakarta();
    for (const auto& [box, line] : order) {
        p.*box = "12345";
        EXPECT_EQ(p.Validate(), line);
    }
    EXPECT_EQ(RefusalText(BuiltInEnglish(), 161),
              "Invalid value for TimeZone or Altitude\r\n"
              "The time zone lies from -12 to 14 hours, the altitude from -500 to 9000 metres.");
}

TEST(PrayerPage, AZeroAngleIsRefusedUntilAConventionFillsTheBoxes) {
    // A fresh install: a place is typed (or chosen, which saves at once)
    // while the angle boxes still show 0.
    PrayerPage p;
    p.Load(MemorySettingsStore{}, 0);
    p.latitude = "-6.175";
    p.longitude = "106.8272";
    EXPECT_EQ(p.Validate(), 163);
    // 0 lies inside the listed ranges: the refusal names the angles only.
    EXPECT_EQ(p.RefusalMessage(BuiltInEnglish()), "Invalid Added value for Gd or Gn");
    for (const ConventionPreset& c : kConventions) {
        p.ClickConvention(c.methods);
        EXPECT_EQ(p.Validate(), std::nullopt) << c.builtin_caption;
    }
    p.gn = "0";  // typed under Customize, Fajr kept
    EXPECT_EQ(p.Validate(), 163);
    p.gn = "45";
    EXPECT_EQ(p.RefusalMessage(BuiltInEnglish()), RefusalText(BuiltInEnglish(), 163));
}

TEST(PrayerPage, SaveWritesInOrderAndLoadShowsItBackWithoutNoise) {
    PrayerPage p = Jakarta();
    p.ClickConvention(kEgypt);
    EXPECT_FALSE(p.angles_editable);
    p.add_dhuhur = "-3";
    p.add_asar = "2 min";
    p.asar_index = 1;
    FakeStore store;
    EXPECT_TRUE(p.Save(store).Ok());
    EXPECT_EQ(store.writes, (std::vector<std::string>{
                                "Area", "latitude", "Longitude", "Altitude", "Gn", "Gd", "TZ",
                                "Add_Dhuhur", "Add_Maghrib", "Add_Shubuh", "Add_Asar", "Add_Isya",
                                "Methods", "Syafii", "FollowWindowsZone", "Authority",
                                "PreciseSun", "HighLatitude", "IshaInterval",
                                "IshaIntervalRamadan", "MaghribAngle", "Add_Terbit",
                                "SeasonalTwilight", "IgnoreAltitude"}));
    EXPECT_EQ(ReadString(store, "Gd"), "19.5");
    EXPECT_EQ(ReadString(store, "Add_Dhuhur"), "-3");
    EXPECT_EQ(ReadString(store, "Add_Asar"), "2");
    EXPECT_EQ(ReadDword(store, "Methods"), 5u);
    EXPECT_EQ(ReadDword(store, "Syafii"), 1u);

    WriteString(store, "TZ", "5.3");
    PrayerPage back;
    back.Load(store, 0);
    EXPECT_EQ(back.convention, kEgypt);
    EXPECT_FALSE(back.angles_editable);
    EXPECT_EQ(back.time_zone, "5.3");  // not 5.30000019073486
    EXPECT_EQ(back.longitude, "106,8272");
    EXPECT_EQ(back.asar_index, 1);

    // Without Methods: Customize, angles locked until a button is clicked.
    store.inner.Delete("Methods");
    back.Load(store, 0);
    EXPECT_EQ(back.convention, kCustomize);
    EXPECT_FALSE(back.angles_editable);
    back.ClickConvention(kCustomize);
    EXPECT_TRUE(back.angles_editable);
    EXPECT_EQ(back.gn, "18.5");
}

TEST(PrayerPage, FollowingWindowsLocksTheZoneAndIsKept) {
    MemorySettingsStore store;
    WriteString(store, "TZ", "1");
    WriteDword(store, "FollowWindowsZone", 1);
    PrayerPage p;
    p.Load(store, 2);  // summer time in force
    EXPECT_TRUE(p.follow_windows_zone);
    EXPECT_FALSE(p.time_zone_editable);
    EXPECT_EQ(p.time_zone, "2");
    // Saved while following, the own zone stays stored for later.
    EXPECT_TRUE(p.Save(store).Ok());
    EXPECT_EQ(ReadString(store, "TZ"), "1");
    p.SetFollowWindowsZone(false, 2);
    EXPECT_TRUE(p.time_zone_editable);
    EXPECT_EQ(p.time_zone, "1");
}

TEST(PrayerPage, ARefusedWriteIsNamedAndTheOthersAreStillTried) {
    FakeStore store;
    store.refused = {"latitude", "Methods"};
    const SaveResult r = Jakarta().Save(store);
    EXPECT_EQ(r.not_stored, (std::vector<std::string>{"latitude", "Methods"}));
    EXPECT_EQ(store.writes.size(), 24u);
}

TEST(AlertPage, ClickRulesKeepPairsExclusiveAndEnableTheBoxes) {
    AlertPage a;
    a.ClickShutdown(true);
    a.ClickHibernate(true);
    EXPECT_FALSE(a.shutdown);
    EXPECT_FALSE(a.DelayBoxEnabled());
    a.ClickHibernateAfter(true);
    EXPECT_TRUE(a.DelayBoxEnabled());
    a.ClickShutdownAfter(true);
    EXPECT_FALSE(a.hibernate_after);
    EXPECT_TRUE(a.DelayBoxEnabled());
    a.ClickShutdownAfter(false);
    EXPECT_FALSE(a.DelayBoxEnabled());
    const AlertSettings s = a.Collect();
    EXPECT_EQ(s.m_shutdown, 2);
    EXPECT_EQ(s.m_shutdown_after, 0);
    EXPECT_EQ(s.m_time_shutdown, 0);
}

TEST(AlertPage, MinutesOutsideADayAreRefusedAndSaveReportsARefusedWrite) {
    AlertPage a;
    a.before = true;
    for (const char* text : {"70000", "-5", "0", "abc", "1440"}) {
        a.before_minutes = text;
        EXPECT_EQ(a.Validate(), kLineAlertMinutes) << text;
    }
    a.before_minutes = "12 min";
    EXPECT_EQ(a.Validate(), std::nullopt);
    a.information_minutes = "0";  // not ticked: does not count
    a.friday = true;
    a.friday_time = EncodeDate(2024, 1, 5) + EncodeTime(11, 30, 0);

    FakeStore store;
    store.refused = {"MJumat"};
    EXPECT_EQ(a.Save(store).not_stored, (std::vector<std::string>{"MJumat"}));
    EXPECT_EQ(store.writes.size(), 11u);  // the ten values and MImsak
    AlertPage back;
    back.Load(store);
    EXPECT_TRUE(back.before);
    EXPECT_EQ(back.before_minutes, "12");
    EXPECT_FALSE(back.friday);  // its write was refused
    EXPECT_FALSE(back.BeforeBoxEnabled() && !back.before);
}

// A first start (no settings key): the pages show what the times are computed
// with, and saving them as shown changes nothing the calculation reads.
TEST(SettingPages, NothingStoredShowsWhatTheTimesAreComputedWith) {
    const MainSettings computed = StartSettings();
    EXPECT_TRUE(computed.calc.syafii);
    EXPECT_EQ(computed.core.time_format, "HH:mm");

    const MemorySettingsStore nothing;
    PrayerPage prayer;
    prayer.Load(nothing, 0);
    ProgramPage program;
    program.FirstLoad(nothing, {});
    EXPECT_EQ(prayer.asar_index == 0, computed.calc.syafii);
    EXPECT_EQ(program.seconds, computed.core.time_format == kFormatHHmmss);
    const std::pair<const std::string&, double> boxes[] = {
        {prayer.altitude, computed.calc.altitude}, {prayer.time_zone, computed.calc.time_zone},
        {prayer.gd, computed.calc.gd},             {prayer.gn, computed.calc.gn},
        {prayer.add_shubuh, computed.core.add_shubuh}, {prayer.add_isya, computed.core.add_isya},
    };
    for (const auto& [text, value] : boxes) EXPECT_EQ(ReadDecimal(text), value) << text;

    MemorySettingsStore saved;
    prayer.Save(saved);
    program.Save(saved, nullptr, "", BuiltInEnglish());
    const MainSettings after = ReadMainSettings(saved);
    EXPECT_EQ(after.calc.syafii, computed.calc.syafii);
    EXPECT_EQ(after.core.time_format, computed.core.time_format);
}

}  // namespace
}  // namespace waktuna
