#include "waktuna/calc/time_zone.h"
#include "waktuna/files/files.h"
#include "waktuna/files/tzif.h"

#include <gtest/gtest.h>

#include "example_place.h"

using namespace waktuna;

namespace {

DateTime Day(int y, int m, int d) { return EncodeDate(y, m, d); }

// The system's zone database; under Wine the Linux one through drive Z:.
std::string Database() {
#if defined(_WIN32)
    return "Z:/usr/share/zoneinfo/";
#else
    return ZoneDatabaseFolder();
#endif
}

LoadedZone Load(const char* name) { return LoadZone(name, Database()); }

// Hours in force at local noon of a day in a zone of the system's database.
float HoursOn(const ZoneRule& zone, int y, int m, int d) {
    const auto hours = ZoneHoursOfDate(zone, Day(y, m, d));
    EXPECT_TRUE(hours.has_value());
    return hours.value_or(-99);
}

}  // namespace

// London's switches from the file's table (2026) and from its footer's rule
// (2080, past the table): the days on either side differ by the hour. The
// command-line tests go through London, Cairo and Sydney in 2025 and 2026.
TEST(TimeZone, DatabaseZoneFromItsTableAndItsFooter) {
    const LoadedZone london = Load("Europe/London");
    ASSERT_TRUE(london.zone) << london.error;
    EXPECT_EQ(HoursOn(*london.zone, 2026, 3, 28), 0.0f);
    EXPECT_EQ(HoursOn(*london.zone, 2026, 3, 29), 1.0f);
    EXPECT_EQ(HoursOn(*london.zone, 2026, 10, 24), 1.0f);
    EXPECT_EQ(HoursOn(*london.zone, 2026, 10, 25), 0.0f);
    EXPECT_EQ(HoursOn(*london.zone, 2080, 3, 30), 0.0f);
    EXPECT_EQ(HoursOn(*london.zone, 2080, 3, 31), 1.0f);
    EXPECT_EQ(HoursOn(*london.zone, 1900, 7, 1), 0.0f);  // before any summer time

    CalcSettings place = JakartaCalc();
    place.time_zone = 5;  // the fixed zone: used only without a rule
    EXPECT_EQ(PlaceOnDate(place, &*london.zone, EncodeDate(2026, 7, 15)).time_zone, 1.0f);
    EXPECT_EQ(PlaceOnDate(place, nullptr, EncodeDate(2026, 7, 15)).time_zone, 5.0f);
}

TEST(TimeZone, PosixRulesOfBothHemispheresAndEveryDayForm) {
    const auto at = [](const PosixZoneRule& r, int y, int m, int d, int hour) {
        return r.OffsetAt(UnixSecondsOfDay(Day(y, m, d)) + hour * 3600) / 3600.0;
    };
    const auto london = PosixZoneRule::Parse("GMT0BST,M3.5.0/1,M10.5.0");
    ASSERT_TRUE(london);
    EXPECT_EQ(at(*london, 2030, 3, 31, 0), 0);  // 01:00 UTC on the last Sunday of March
    EXPECT_EQ(at(*london, 2030, 3, 31, 1), 1);
    EXPECT_EQ(at(*london, 2030, 10, 27, 0), 1);  // 02:00 BST = 01:00 UTC
    EXPECT_EQ(at(*london, 2030, 10, 27, 1), 0);
    const auto sydney = PosixZoneRule::Parse("AEST-10AEDT,M10.1.0,M4.1.0/3");
    ASSERT_TRUE(sydney);
    EXPECT_EQ(at(*sydney, 2040, 1, 1, 0), 11);
    EXPECT_EQ(at(*sydney, 2040, 7, 1, 0), 10);
    const auto julian = PosixZoneRule::Parse("<+03>-3<+04>,J60/0,J300/0");  // 1 March, 27 October
    ASSERT_TRUE(julian);
    EXPECT_EQ(at(*julian, 2028, 2, 29, 12), 3);  // leap day is not counted by Jn
    EXPECT_EQ(at(*julian, 2028, 3, 1, 12), 4);
    const auto fixed = PosixZoneRule::Parse("<+0545>-5:45");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(at(*fixed, 2026, 6, 1, 0), 5.75);
    for (const char* bad : {"", "GMT", "X0", "GMT0BST,M13.1.0,M10.5.0", "GMT0BST,M3.5.0",
                            "EST5EDT,M3.2.0/200,M11.1.0", "<+07-7"})
        EXPECT_FALSE(PosixZoneRule::Parse(bad)) << bad;
}

// Names reach only files inside the database folder; broken files are refused.
TEST(TimeZone, UnsafeNamesAndDamagedFilesAreRefused) {
    for (const char* name : {"../../etc/passwd", "/etc/localtime", "Europe/../../x", "", "Europe//London"})
        EXPECT_FALSE(Load(name).zone) << name;
    EXPECT_FALSE(Load("Mars/Olympus_Mons").zone);
    const auto bytes = ReadWholeFile(Database() + "Europe/London");
    ASSERT_TRUE(bytes);
    for (size_t cut : {size_t{10}, size_t{60}, bytes->size() / 2, bytes->size() - 1})
        EXPECT_FALSE(TzifZone::Parse(bytes->substr(0, cut), "x")) << cut;
    EXPECT_TRUE(TzifZone::Parse(*bytes, "x"));
}
