#include "waktuna/calc/prayer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "example_place.h"

using namespace waktuna;

namespace {

// The reference day: Jakarta on 21 March 2009.
const DateTime kDay = EncodeDate(2009, 3, 21);

CoreSettings Format(std::string_view picture, uint8_t mode = RoundDown) {
    CoreSettings core;
    core.time_format = std::string(picture);
    core.pembulatan = mode;
    return core;
}

// Texts in the order Shubuh, Terbit, Dhuhur, Asar, Maghrib, Isya.
std::string Row(const PrayerTimes& t, std::string_view picture) {
    const auto s = FormatPrayerTimes(t, picture);
    return s[Shubuh] + " " + s[Terbit] + " " + s[Dhuhur] + " " + s[Asar] + " " + s[Maghrib] +
           " " + s[Isya];
}

double Hours(DateTime t) { return t * 24.0; }

}  // namespace

TEST(PrayerTimes, ReferenceDayWithSeconds) {
    const auto core = Format("HH:mm:ss", RoundUp);  // the mode has no effect with seconds
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, core), "HH:mm:ss"),
              "04:40:01 05:56:46 12:00:32 15:11:00 18:04:19 19:13:00");
}

TEST(PrayerTimes, ReferenceDayInEachRoundingMode) {
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, Format("HH:mm", RoundDown)), "HH:mm"),
              "04:40 05:56 12:00 15:11 18:04 19:13");
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, Format("HH:mm", RoundUp)), "HH:mm"),
              "04:41 05:57 12:01 15:12 18:05 19:14");
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, Format("HH:mm", RoundNormal)), "HH:mm"),
              "04:40 05:57 12:01 15:11 18:04 19:13");
    // An unknown mode leaves the time as cut.
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, Format("HH:mm", 7)), "HH:mm"),
              "04:40 05:56 12:00 15:11 18:04 19:13");
}

TEST(PrayerTimes, CorrectionsFollowRoundingAndSkipTerbit) {
    CoreSettings core = Format("HH:mm", RoundUp);
    core.add_shubuh = 2;
    core.add_dhuhur = 3;
    core.add_asar = -1;
    core.add_maghrib = 4;
    core.add_isya = 5;
    EXPECT_EQ(Row(CalculatePrayerTimes(JakartaCalc(), kDay, core), "HH:mm"),
              "04:43 05:57 12:04 15:11 18:09 19:19");
}

TEST(PrayerTimes, ArgumentOrderOfTheRecordFillingCall) {
    PrayerTimes t{};
    CalculatePrayerTimes(8, true, t, kDay + 0.7, 7, 20, 18, -6.175f, 106.8272f,
                         Format("HH:mm:ss"));
    EXPECT_EQ(FormatTime(t[Maghrib], "HH:mm:ss"), "18:04:19");
    EXPECT_EQ(FormatTime(t[Shubuh], "HH:mm:ss"), "04:40:01");
}

TEST(HoursToTime, FloorsEachFieldAndRoundsOnlyInMinuteFormat) {
    EXPECT_EQ(FormatTime(HoursToTime(12.0f, Format("HH:mm:ss")), "HH:mm:ss"), "12:00:00");
    // Exactly on the minute, "round upwards" still adds one.
    EXPECT_EQ(FormatTime(HoursToTime(12.0f, Format("HH:mm", RoundUp)), "HH:mm"), "12:01");
    EXPECT_EQ(FormatTime(HoursToTime(12.0f, Format("HH:mm", RoundNormal)), "HH:mm"), "12:00");
    // 12:00:45 -> normal rounding adds a minute, downwards does not.
    const float t = 12.0f + 45.0f / 3600.0f;
    EXPECT_EQ(FormatTime(HoursToTime(t, Format("HH:mm", RoundNormal)), "HH:mm"), "12:01");
    EXPECT_EQ(FormatTime(HoursToTime(t, Format("HH:mm", RoundDown)), "HH:mm"), "12:00");
    // Seconds are dropped from the value itself in "HH:mm".
    EXPECT_DOUBLE_EQ(HoursToTime(t, Format("HH:mm", RoundDown)) * 1440.0, 720.0);
}

TEST(HoursToTime, WrapsIntoTheDay) {
    EXPECT_EQ(FormatTime(HoursToTime(25.5f, Format("HH:mm:ss")), "HH:mm:ss"), "01:30:00");
    EXPECT_EQ(FormatTime(HoursToTime(-0.5f, Format("HH:mm:ss")), "HH:mm:ss"), "23:30:00");
    // Rounding up from 23:59 carries to midnight, not to 24:00.
    const DateTime t = HoursToTime(23.0f + 59.5f / 60.0f, Format("HH:mm", RoundUp));
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 1.0);
    EXPECT_EQ(FormatTime(t, "HH:mm"), "00:00");
}

TEST(PrayerTimes, CorrectionCarriedPastMidnightWraps) {
    // A place whose Isya falls just before midnight in its (far-off) zone.
    CalcSettings c = JakartaCalc();
    c.time_zone = 11.5f;
    CoreSettings core = Format("HH:mm");
    const auto base = CalculatePrayerTimes(c, kDay, core);
    ASSERT_GT(Hours(base[Isya]), 23.5);
    core.add_isya = 60;
    const auto later = CalculatePrayerTimes(c, kDay, core);
    EXPECT_GE(later[Isya], 0.0);
    EXPECT_LT(later[Isya], 1.0);
    EXPECT_NEAR(later[Isya], base[Isya] + 60.0 / 1440.0 - 1.0, 1e-9);
}

TEST(PrayerTimes, EveryTimeIsATimeOfDayWhateverTheZone) {
    CalcSettings c = JakartaCalc();
    for (float tz : {-12.0f, -5.0f, 0.0f, 7.0f, 14.0f}) {
        c.time_zone = tz;
        for (int month = 1; month <= 12; ++month) {
            const auto t = CalculatePrayerTimes(c, EncodeDate(2024, month, 15), Format("HH:mm:ss"));
            for (DateTime v : t) {
                ASSERT_GE(v, 0.0);
                ASSERT_LT(v, 1.0);
            }
        }
    }
}

TEST(PrayerTimes, AltitudeMovesOnlySunriseAndSunset) {
    CalcSettings sea = JakartaCalc();
    sea.altitude = 0;
    CalcSettings high = sea;
    high.altitude = 2000;
    CalcSettings low = sea;
    low.altitude = -400;
    const auto core = Format("HH:mm:ss");
    const auto a = CalculatePrayerTimes(sea, kDay, core);
    const auto b = CalculatePrayerTimes(high, kDay, core);
    const auto c = CalculatePrayerTimes(low, kDay, core);
    for (Prayer p : {Shubuh, Dhuhur, Asar, Isya}) {
        EXPECT_EQ(a[p], b[p]);
        EXPECT_EQ(a[p], c[p]);
    }
    EXPECT_LT(b[Terbit], a[Terbit]);  // a high observer sees the sun earlier
    EXPECT_GT(b[Maghrib], a[Maghrib]);
    EXPECT_GT(c[Terbit], a[Terbit]);  // below sea level: later
    EXPECT_LT(c[Maghrib], a[Maghrib]);
}

TEST(PrayerTimes, HanafiAsarIsLater) {
    CalcSettings hanafi = JakartaCalc();
    hanafi.syafii = false;
    const auto core = Format("HH:mm:ss");
    const auto s = CalculatePrayerTimes(JakartaCalc(), kDay, core);
    const auto h = CalculatePrayerTimes(hanafi, kDay, core);
    EXPECT_GT(h[Asar] - s[Asar], 30.0 / 1440.0);
    EXPECT_EQ(h[Dhuhur], s[Dhuhur]);
}

TEST(PrayerTimes, OriginPlaceNeedsNoSpecialPath) {
    const CalcSettings zero{};  // latitude 0, longitude 0, zone 0, angles 0
    const auto t = CalculatePrayerTimes(zero, kDay, Format("HH:mm:ss"));
    for (DateTime v : t) EXPECT_FALSE(IsMissing(v));
    EXPECT_NEAR(Hours(t[Dhuhur]), 12.13, 0.05);
}

TEST(PrayerTimes, WhiteNightsShareTheNightByTheAngle) {
    // Oslo at midsummer: the sun sets but never gets 18 degrees below.
    CalcSettings oslo;
    oslo.syafii = true;
    oslo.time_zone = 2;
    oslo.fajr_angle = 18;
    oslo.isha_angle = 17;
    oslo.latitude = 59.91f;
    oslo.longitude = 10.75f;
    const auto t = CalculatePrayerTimes(oslo, EncodeDate(2024, 6, 21), Format("HH:mm:ss"));
    for (DateTime v : t) ASSERT_FALSE(IsMissing(v));
    const double night = 24.0 - (Hours(t[Maghrib]) - Hours(t[Terbit]));
    // Isya falls after midnight here: compare on the clock.
    EXPECT_NEAR(std::fmod(Hours(t[Maghrib]) + 17.0 / 60.0 * night, 24.0), Hours(t[Isya]), 2.0 / 3600);
    EXPECT_NEAR(Hours(t[Terbit]) - 18.0 / 60.0 * night, Hours(t[Shubuh]), 2.0 / 3600);
    // In winter the ordinary calculation has an answer and is used unchanged.
    const auto w = CalculatePrayerTimes(oslo, EncodeDate(2024, 12, 21), Format("HH:mm:ss"));
    EXPECT_GT(Hours(w[Isya]) - Hours(w[Maghrib]), 1.5);
}

TEST(PrayerTimes, PolarDayAndNightLeaveTimesMissing) {
    CalcSettings tromso;
    tromso.syafii = true;
    tromso.time_zone = 1;
    tromso.fajr_angle = 18;
    tromso.isha_angle = 17;
    tromso.latitude = 69.65f;
    tromso.longitude = 18.96f;
    const auto summer = CalculatePrayerTimes(tromso, EncodeDate(2024, 6, 21), Format("HH:mm:ss"));
    EXPECT_TRUE(IsMissing(summer[Terbit]));
    EXPECT_TRUE(IsMissing(summer[Maghrib]));
    EXPECT_TRUE(IsMissing(summer[Shubuh]));
    EXPECT_TRUE(IsMissing(summer[Isya]));
    EXPECT_FALSE(IsMissing(summer[Dhuhur]));
    EXPECT_FALSE(IsMissing(summer[Asar]));
    const auto texts = FormatPrayerTimes(summer, "HH:mm:ss");
    EXPECT_EQ(texts[Maghrib], "--:--:--");
    EXPECT_EQ(FormatPrayerTimes(summer, "HH:mm")[Terbit], "--:--");

    const auto winter = CalculatePrayerTimes(tromso, EncodeDate(2024, 12, 21), Format("HH:mm:ss"));
    EXPECT_TRUE(IsMissing(winter[Terbit]));
    EXPECT_FALSE(IsMissing(winter[Shubuh]));
    EXPECT_FALSE(IsMissing(winter[Dhuhur]));
}

TEST(DegreesText, DegreesMinutesSeconds) {
    EXPECT_EQ(DegreesToText(6.175), "6\xB0" "10'30\"");
    EXPECT_EQ(DegreesToText(-6.175), "6\xB0" "10'30\"");
    EXPECT_EQ(DegreesToText(106.8272), "106\xB0" "49'38\"");
    EXPECT_EQ(DegreesToText(0.0), "0\xB0" "0'0\"");
    // 46.6333 is 46 deg 37 min 59.88 s: the seconds carry into the minutes.
    EXPECT_EQ(DegreesToText(46.6333), "46\xB0" "38'0\"");
    // ... and 60 minutes carry into the degrees.
    EXPECT_EQ(DegreesToText(59.99999), "60\xB0" "0'0\"");
    // Within 1e-7 below a whole number counts as that number.
    EXPECT_EQ(DegreesToText(6.99999999), "7\xB0" "0'0\"");
    EXPECT_EQ(LatitudeText(-6.175), "6\xB0" "10'30\"S");
    EXPECT_EQ(LatitudeText(0.0), "0\xB0" "0'0\"S");
    EXPECT_EQ(LatitudeText(21.5), "21\xB0" "30'0\"N");
    EXPECT_EQ(LongitudeText(106.8272), "106\xB0" "49'38\"E");
    EXPECT_EQ(LongitudeText(0.0), "0\xB0" "0'0\"W");
}

TEST(TabularInt, TruncatesTowardZeroWithTolerance) {
    EXPECT_EQ(TabularInt(2.7), 2.0);
    EXPECT_EQ(TabularInt(-2.7), -2.0);
    EXPECT_EQ(TabularInt(2.99999995), 3.0);
    EXPECT_EQ(TabularInt(2.9999998), 2.0);
    EXPECT_EQ(TabularInt(-2.99999995), -3.0);
}
