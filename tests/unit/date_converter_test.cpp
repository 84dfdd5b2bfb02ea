// The date converter: each change converts the other row once, the
// correction applies at once and never moves the date it was applied to,
// and dates outside what the calendars can show change nothing.
#include <gtest/gtest.h>

#include "waktuna/pages/date_converter.h"
#include "fake_store.h"

using namespace waktuna;
using Row = DateConverter::Row;

namespace {

struct Converter : ::testing::Test {
    LanguageList english = BuiltInEnglish();
    DateConverter c{english};
    void SetUp() override { c.Today(EncodeDate(2009, 3, 21)); }
};

TEST_F(Converter, OpensOnTodayInBothRows) {
    EXPECT_EQ(c.Western(), (Row{20, 2, "2009"}));
    EXPECT_EQ(c.Hijri(), (Row{23, 2, "1430"}));  // 24 Rabiul Awal 1430
    EXPECT_EQ(c.WeekdayName(), "Saturday");
    EXPECT_EQ(c.WesternDayCount(), 31);
}

TEST_F(Converter, CorrectionAppliesOnceStoresAndNeverMovesTheWesternDate) {
    MemorySettingsStore key;
    EXPECT_TRUE(c.PickCorrection(3, &key));  // "1"
    EXPECT_EQ(ReadString(key, "HijriyahDiff"), "1");
    EXPECT_EQ(c.Correction(), 1);
    EXPECT_EQ(c.Western(), (Row{20, 2, "2009"}));
    EXPECT_EQ(c.Hijri(), (Row{24, 2, "1430"}));
    // Picking again, or going through the Hijri row, does not walk the date on.
    c.PickCorrection(3, &key);
    EXPECT_EQ(c.Hijri(), (Row{24, 2, "1430"}));
    c.SetHijriDay(23);  // 24 Rabiul Awal with +1 is 22 March
    EXPECT_EQ(c.Western(), (Row{21, 2, "2009"}));
    c.PickCorrection(0, &key);  // "-2"
    EXPECT_EQ(ReadString(key, "HijriyahDiff"), "-2");
    EXPECT_EQ(c.Hijri(), (Row{22, 2, "1430"}));  // of 20 March
    // A key that refuses the value: reported, and the dialog stays on the
    // correction the program still uses.
    FakeStore refusing;
    refusing.refuse_all = true;
    EXPECT_FALSE(c.PickCorrection(4, &refusing));
    EXPECT_EQ(c.Correction(), -2);
    EXPECT_EQ(c.CorrectionItem(), 0);
    EXPECT_EQ(c.Hijri(), (Row{22, 2, "1430"}));
}

// The list shows the stored correction, the one every conversion applies:
// "0" when none is stored, and a value outside -2..2 as an item of its own.
TEST_F(Converter, TheListShowsTheStoredCorrection) {
    const struct {
        const char* stored;  // nullptr: no value
        std::vector<int> choices;
        int item;
    } cases[] = {
        {nullptr, {-2, -1, 0, 1, 2}, 2},
        {"-1", {-2, -1, 0, 1, 2}, 1},
        {"2 days", {-2, -1, 0, 1, 2}, 4},  // read as the program reads it
        {"3", {-2, -1, 0, 1, 2, 3}, 5},
        {"-30", {-30, -2, -1, 0, 1, 2}, 0},
    };
    for (const auto& k : cases) {
        MemorySettingsStore key;
        if (k.stored) WriteString(key, "HijriyahDiff", k.stored);
        c.LoadCorrection(key);
        EXPECT_EQ(c.CorrectionChoices(), k.choices) << (k.stored ? k.stored : "none");
        ASSERT_EQ(c.CorrectionItem(), k.item) << (k.stored ? k.stored : "none");
        EXPECT_EQ(c.Correction(), k.choices[static_cast<size_t>(k.item)]);
    }
    // The stored -30 applies until another item is picked.
    c.Today(EncodeDate(2009, 3, 21));
    EXPECT_EQ(c.Hijri(), (Row{22, 1, "1430"}));  // 23 Safar, the Hijri date of 19 February
    EXPECT_TRUE(c.PickCorrection(3, nullptr));
    EXPECT_EQ(c.Hijri(), (Row{23, 2, "1430"}));
}

// The year lists span the years around today in both calendars, inside the
// years the converter takes.
TEST_F(Converter, YearListsSpanTheYearsAroundToday) {
    EXPECT_EQ(c.WesternYears(), (YearSpan{1959, 2059}));
    EXPECT_EQ(c.HijriYears(), (YearSpan{1380, 1480}));  // 1430 H
    c.Today(EncodeDate(2026, 12, 9));                   // 28 Jumadil Akhir 1448
    EXPECT_EQ(c.WesternYears(), (YearSpan{1976, 2076}));
    EXPECT_EQ(c.HijriYears(), (YearSpan{1398, 1498}));
    const struct {
        int year, first, last;
        YearSpan span;
    } edges[] = {
        {600, kFirstConverterYear, kLastConverterYear, {592, 692}},
        {9990, kFirstConverterYear, kLastConverterYear, {9899, 9999}},
        {20, 1, kLastConverterYear, {1, 101}},
        {50, 0, 60, {0, 60}},
    };
    for (const auto& e : edges) EXPECT_EQ(YearsAround(e.year, e.first, e.last), e.span) << e.year;
}

TEST_F(Converter, MonthChangeRefillsTheDayListWithTheCalendarOfThatYear) {
    c.SetWesternDay(30);
    c.SetWesternMonth(1);  // February 2009, day 31 chosen
    EXPECT_EQ(c.WesternDayCount(), 28);
    EXPECT_EQ(c.Western().day, -1);
    c.SetWesternYear("1500");  // Julian: a leap year
    c.SetWesternMonth(1);
    EXPECT_EQ(c.WesternDayCount(), 29);
    c.SetWesternDay(28);
    EXPECT_EQ(c.Hijri(), (Row{28, 6, "905"}));  // 29 Rajab 905
    c.SetWesternYear("1900");                 // Gregorian: not a leap year
    c.SetWesternMonth(1);
    EXPECT_EQ(c.WesternDayCount(), 28);
}

TEST_F(Converter, WeekdayAcrossTheCutOverComesFromTheDayNumber) {
    c.SetWesternYear("1582");
    c.SetWesternMonth(9);
    c.SetWesternDay(3);  // 4 October 1582 (Julian), a Thursday
    EXPECT_EQ(c.WeekdayName(), "Thursday");
    EXPECT_EQ(c.Hijri(), (Row{15, 8, "990"}));
    c.SetWesternDay(14);  // 15 October 1582, the next day, a Friday
    EXPECT_EQ(c.WeekdayName(), "Friday");
    EXPECT_EQ(c.Hijri(), (Row{16, 8, "990"}));
    // 10 October 1582 is a Julian date, five days after the 4th.
    c.SetWesternDay(9);
    EXPECT_EQ(c.WeekdayName(), "Wednesday");
    EXPECT_EQ(c.Hijri(), (Row{21, 8, "990"}));
    // The other way: 16 Ramadhan 990 gives the Julian 4 October and its weekday.
    c.SetHijriDay(15);
    EXPECT_EQ(c.Western(), (Row{3, 9, "1582"}));
    EXPECT_EQ(c.WeekdayName(), "Thursday");
}

// Umm al-Qura: both rows follow its table, the correction still applies,
// and outside 1300..1600 H the tabular date comes with a note.
TEST_F(Converter, UmmAlQuraBothWaysAndItsVisibleFallback) {
    c.Today(EncodeDate(2023, 2, 21));
    EXPECT_EQ(c.Hijri(), (Row{29, 6, "1444"}));  // tabular: 30 Rajab
    c.SetCalendar(HijriCalendar::UmmAlQura);
    EXPECT_EQ(c.Hijri(), (Row{0, 7, "1444"}));  // 1 Syaban
    c.PickCorrection(3, nullptr);                // +1
    EXPECT_EQ(c.Hijri(), (Row{1, 7, "1444"}));
    c.SetHijriDay(0);  // 1 Syaban with +1: the day after 21 February
    EXPECT_EQ(c.Western(), (Row{21, 1, "2023"}));
    EXPECT_EQ(c.CalendarNote(), "");
    c.SetHijriYear("1601");
    EXPECT_EQ(c.CalendarNote(), english.Line(kLineUmmAlQuraFallback));
    c.SetWesternYear("2023");
    EXPECT_EQ(c.CalendarNote(), "");
}

TEST_F(Converter, DatesBeyondTheLimitsChangeNothing) {
    const Row hijri = c.Hijri();
    for (const char* year : {"12000", "500", "10000", "-3"}) {
        c.SetWesternYear(year);
        EXPECT_EQ(c.Hijri(), hijri) << year;
    }
    c.SetWesternYear("2009");
    const Row western = c.Western();
    // 70000 must not wrap to 4464, and Hijri 9999 lies past Western 9999.
    for (const char* year : {"70000", "9999", "-1"}) {
        c.SetHijriYear(year);
        EXPECT_EQ(c.Western(), western) << year;
    }
    c.SetHijriYear("9665");  // late in Western 9999: still shown
    EXPECT_EQ(c.Western().year, "9999");
}

}  // namespace
