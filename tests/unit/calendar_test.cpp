#include "waktuna/calc/calendar.h"

#include <gtest/gtest.h>

using namespace waktuna;

namespace {
CalendarDate D(int d, int m, int y) {
    return CalendarDate{static_cast<uint8_t>(d), static_cast<uint8_t>(m), y};
}
CalendarDate ToHijri(int y, int m, int d, int8_t diff = 0) {
    return ConvertCalendar(Conversion::WesternToHijri, y, m, d, diff);
}
CalendarDate ToGregorian(int y, int m, int d, int8_t diff = 0) {
    return ConvertCalendar(Conversion::HijriToWestern, y, m, d, diff);
}
}  // namespace

TEST(Calendar, ReferenceValues) {
    EXPECT_EQ(ToHijri(2009, 3, 21), D(24, 3, 1430));
    EXPECT_EQ(ToGregorian(1430, 3, 24), D(21, 3, 2009));
    EXPECT_EQ(ToGregorian(1430, 9, 1), D(22, 8, 2009));
    EXPECT_EQ(ToHijri(1582, 10, 15), D(17, 9, 990));
    EXPECT_EQ(ToHijri(1582, 10, 4), D(16, 9, 990));  // a Julian date
    EXPECT_EQ(ToGregorian(1, 1, 1), D(16, 7, 622));  // Julian
}

TEST(Calendar, JulianGregorianCutOver) {
    // 14 October 1582 and earlier are Julian dates: the Julian 14 October is
    // ten days after the Julian 4 October.
    EXPECT_EQ(ToHijri(1582, 10, 14), D(26, 9, 990));
    // Back again: the day after Julian 4 October 1582 is Gregorian 15 October.
    EXPECT_EQ(ToGregorian(990, 9, 16), D(4, 10, 1582));
    EXPECT_EQ(ToGregorian(990, 9, 17), D(15, 10, 1582));
}

TEST(Calendar, CorrectionShiftsBothDirections) {
    EXPECT_EQ(ToHijri(2009, 3, 21, 1), D(25, 3, 1430));
    EXPECT_EQ(ToGregorian(1430, 3, 24, 1), D(22, 3, 2009));
    // The corrected day may leave the month: 1 March with -1 is 28 February.
    EXPECT_EQ(ToHijri(2009, 3, 1, -1), ToHijri(2009, 2, 28));
    EXPECT_EQ(ToHijri(2009, 3, 1, -2), ToHijri(2009, 2, 27));
    EXPECT_EQ(ToHijri(2008, 3, 1, -1), ToHijri(2008, 2, 29));
    EXPECT_EQ(ToHijri(2009, 1, 31, 1), ToHijri(2009, 2, 1));
    EXPECT_EQ(ToHijri(2009, 12, 31, 127), ToHijri(2010, 5, 7));
    EXPECT_EQ(ToGregorian(1430, 1, 1, -128), ToGregorian(1429, 8, 20));  // 147 days from 1 Syaban
}

TEST(Calendar, HijriInputIsNeverCheckedAgainstWesternMonths) {
    for (int y : {1, 1000, 1430, 1500}) {
        const auto g = ToGregorian(y, 2, 29);
        EXPECT_GE(g.day, 1);
        EXPECT_LE(g.day, 31);
        EXPECT_EQ(ToHijri(g.year, g.month, g.day), D(29, 2, y));
    }
    EXPECT_EQ(ToGregorian(1430, 2, 30), ToGregorian(1430, 3, 1));  // Safar has 29 days in 1430
}

TEST(Calendar, RoundTripAndConsecutiveDaysFrom1600To2400) {
    CalendarDate prev = ToHijri(1599, 12, 31);
    for (int y = 1600; y <= 2400; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const CalendarDate h = ToHijri(y, m, d);
                ASSERT_EQ(ToGregorian(h.year, h.month, h.day), D(d, m, y));
                // The next Hijri day: day + 1, or day 1 of the next month.
                const bool next_day = h.day == prev.day + 1 && h.month == prev.month &&
                                      h.year == prev.year;
                const bool next_month = h.day == 1 && prev.day >= 29 &&
                                        ((h.month == prev.month + 1 && h.year == prev.year) ||
                                         (h.month == 1 && prev.month == 12 && h.year == prev.year + 1));
                ASSERT_TRUE(next_day || next_month) << y << "-" << m << "-" << d;
                prev = h;
            }
        }
    }
}

TEST(Calendar, DateTexts) {
    EXPECT_EQ(HijriDateText(ToHijri(2009, 3, 21), EnglishHijriMonths()), "24 Rabiul Awal 1430 H");
    EXPECT_EQ(GregorianDateText(ToGregorian(1430, 9, 1), EnglishGregorianMonths()),
              "22 August 2009");
    EXPECT_EQ(HijriOf(EncodeDate(2009, 3, 21) + 0.99), D(24, 3, 1430));
}
