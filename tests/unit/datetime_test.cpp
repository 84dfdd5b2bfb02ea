#include "waktuna/calc/datetime.h"

#include <gtest/gtest.h>

using namespace waktuna;

TEST(DateTime, DayNumbersCountFromYearOne) {
    EXPECT_EQ(EncodeDate(1, 1, 1), 1.0);
    EXPECT_EQ(EncodeDate(1, 12, 31), 365.0);
    EXPECT_EQ(EncodeDate(2, 1, 1), 366.0);
    // 1899-12-30, the zero of the common spreadsheet date serial, is day 693594.
    EXPECT_EQ(EncodeDate(1899, 12, 30), 693594.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);  // 2000 is leap
    EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);  // 1900 is not
    EXPECT_EQ(EncodeDate(2009, 2, 29), 0.0);                           // invalid date
}

TEST(DateTime, EncodeDecodeRoundTripOverFourCenturies) {
    DateTime expected = EncodeDate(1800, 1, 1);
    for (int y = 1800; y < 2200; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const DateTime v = EncodeDate(y, m, d);
                ASSERT_EQ(v, expected) << y << "-" << m << "-" << d;
                ASSERT_EQ(DecodeDate(v + 0.75), (Ymd{y, m, d}));
                expected += 1.0;
            }
        }
    }
}

TEST(DateTime, WeekdayIsMondayOneToSundaySeven) {
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 1);         // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2009, 3, 21)), 6);     // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2009, 3, 20) + 0.9), 5);  // Friday, late evening
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 7);     // Sunday
}

TEST(DateTime, ClockTextsTakeTheNearestMillisecondThenCut) {
    const DateTime noon = 0.5;
    EXPECT_EQ(FormatTime(noon, "HH:mm:ss"), "12:00:00");
    EXPECT_EQ(FormatTime(noon, "HH:mm"), "12:00");
    EXPECT_EQ(FormatTime(EncodeTime(4, 40, 1), "HH:mm:ss"), "04:40:01");
    // 999.6 ms rounds to the next second; 999.4 ms does not.
    EXPECT_EQ(FormatTime(noon + 0.9996 / 86400, "HH:mm:ss"), "12:00:01");
    EXPECT_EQ(FormatTime(noon + 0.9994 / 86400, "HH:mm:ss"), "12:00:00");
    // 59.7 s is cut, not rounded, in "HH:mm".
    EXPECT_EQ(FormatTime(EncodeTime(23, 59, 59, 700), "HH:mm"), "23:59");
    EXPECT_EQ(FormatTime(EncodeDate(2009, 3, 21) + EncodeTime(7, 5, 9), "HH:mm:ss"), "07:05:09");
    EXPECT_EQ(FormatTime(MissingTime(), "HH:mm"), "--:--");
    EXPECT_EQ(FormatTime(MissingTime(), "HH:mm:ss"), "--:--:--");
}

TEST(DateTime, ParsesIsoDatesAndClockTextsStrictly) {
    Ymd d;
    EXPECT_TRUE(ParseIsoDate("2009-03-21", d));
    EXPECT_EQ(d, (Ymd{2009, 3, 21}));
    EXPECT_FALSE(ParseIsoDate("2009-02-29", d));
    EXPECT_FALSE(ParseIsoDate("2009-3-21", d));
    EXPECT_FALSE(ParseIsoDate("2009-03-21x", d));
    Hms t;
    EXPECT_TRUE(ParseClockText("23:59:59", t));
    EXPECT_EQ(t.hour * 3600 + t.minute * 60 + t.second, 86399);
    EXPECT_TRUE(ParseClockText("07:05", t));
    EXPECT_EQ(t.second, 0);
    EXPECT_FALSE(ParseClockText("24:00:00", t));
    EXPECT_FALSE(ParseClockText("7:05", t));
}
