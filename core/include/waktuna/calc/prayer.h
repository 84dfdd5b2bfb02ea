// The six daily times from the low-order Fourier model of the sun (or, when
// asked, the precise sun of sun.h), their texts, and the
// degrees-minutes-seconds texts of coordinates.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "waktuna/calc/calendar.h"
#include "waktuna/calc/datetime.h"

namespace waktuna {

// Index into PrayerTimes / TSholatString. The day is listed from sunset.
enum Prayer : int { Maghrib = 0, Isya = 1, Shubuh = 2, Terbit = 3, Dhuhur = 4, Asar = 5 };
inline constexpr int kPrayerCount = 6;

// Six times of day (whole part 0), or MissingTime() where the sun never
// reaches the altitude that defines the time.
using PrayerTimes = std::array<DateTime, kPrayerCount>;
// The same times as clock texts in the current time format.
using TSholatString = std::array<std::string, kPrayerCount>;

// Rounding of "HH:mm" times (Pembulatan).
enum RoundingMode : uint8_t { RoundDown = 0, RoundUp = 1, RoundNormal = 2 };

// Values every calculation reads; the main window loads them from the
// settings key and hands them to each call.
struct CoreSettings {
    int32_t add_shubuh = 0;
    int32_t add_dhuhur = 0;
    int32_t add_asar = 0;
    int32_t add_maghrib = 0;
    int32_t add_isya = 0;
    int32_t add_terbit = 0;  // Add_Terbit: sunrise too can be moved
    uint8_t pembulatan = RoundDown;
    int8_t hijriyah_diff = 0;
    std::string time_format{kFormatHHmmss};
    HijriCalendar hijri_calendar = HijriCalendar::Tabular;  // HijriCalendar
    uint8_t imsak_minutes = 0;  // Imsak: minutes before Fajr, 1..60; 0 = off
};

// What fixes Fajr and Isha where the night is too short for the twilight
// angles (HighLatitude). The default keeps the times the angles give and
// only fills a time the sun never reaches: dawn and nightfall then lie
// angle/60 of the night from sunrise and sunset. The other two rules also
// bound the times: Fajr no earlier than sunrise less half (a seventh of) the
// night, Isha no later than sunset plus as much.
enum class HighLatitudeRule : uint8_t { TwilightAngle = 0, MiddleOfNight = 1, OneSeventh = 2 };
inline constexpr int kHighLatitudeRuleCount = 3;

// The place and convention of one calculation, as 32-bit values. Every field
// after `longitude` is zero (or false) in the conventions of the six buttons.
struct CalcSettings {
    int32_t altitude = 0;
    bool syafii = false;
    float time_zone = 0;
    float fajr_angle = 0;  // Gd
    float isha_angle = 0;  // Gn
    float latitude = 0;
    float longitude = 0;
    bool precise_sun = false;  // PreciseSun: the sun of sun.h instead of the Fourier model
    HighLatitudeRule high_latitude = HighLatitudeRule::TwilightAngle;  // HighLatitude
    // Isya a fixed number of minutes after Maghrib instead of by its angle
    // (IshaInterval; 0 = by the angle), and in the Hijri month of Ramadan
    // (IshaIntervalRamadan; 0 = the same as the rest of the year).
    int32_t isha_interval = 0;
    int32_t isha_interval_ramadan = 0;
    // Maghrib when the sun's centre is this far below the horizon
    // (MaghribAngle, degrees; 0 = at sunset).
    float maghrib_angle = 0;
    // Fajr and Isya by the seasonal twilight of the Moonsighting Committee
    // (SeasonalTwilight) instead of the angles.
    bool seasonal_twilight = false;
    // Sunrise and sunset at sea level whatever the altitude (IgnoreAltitude).
    bool ignore_altitude = false;
};

// Clock time in hours to a time of day, with the seconds rule of the time
// format and its rounding. Hours outside [0, 24) wrap into the day.
DateTime HoursToTime(float hours, const CoreSettings& core);

// The times of the six buttons' conventions: the arguments of the settings
// page; every later field of CalcSettings at its default.
void CalculatePrayerTimes(int32_t altitude, bool syafii, PrayerTimes& times, DateTime date,
                          float timeZone, float fajrAngle, float ishaAngle, float latitude,
                          float longitude, const CoreSettings& core);

PrayerTimes CalculatePrayerTimes(const CalcSettings& place, DateTime date,
                                 const CoreSettings& core);

TSholatString FormatPrayerTimes(const PrayerTimes& times, std::string_view picture);

// Truncation toward zero that counts a value within 1e-7 below a whole number
// as that number.
double TabularInt(double x);

// D°M'S" of the absolute value (Windows-1252 degree sign 0xB0).
std::string DegreesToText(double degrees);
std::string LatitudeText(double latitude);    // ... N / S (0 gives S)
std::string LongitudeText(double longitude);  // ... E / W (0 gives W)

}  // namespace waktuna
