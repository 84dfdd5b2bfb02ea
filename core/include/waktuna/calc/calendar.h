// Tabular Hijri <-> Western calendar through the Julian day number. Western
// dates before 15 October 1582 are Julian-calendar dates.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "waktuna/calc/datetime.h"

namespace waktuna {

struct CalendarDate {
    uint8_t day = 0;
    uint8_t month = 0;
    int32_t year = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// toGregorian: the input is a Hijri date; otherwise a Western one. The
// correction (HijriyahDiff, days) is added to the input's day in both
// directions before anything else.
CalendarDate ConvertCalendar(bool toGregorian, uint16_t year, uint16_t month, uint16_t day,
                             int8_t hijriyahDiff = 0);

// Western dates as the conversion reads them: Julian before 15 October 1582
// (every fourth year a leap year), Gregorian from then on. 5..14 October 1582
// never existed.
bool IsWesternDate(int year, int month, int day);
int WesternDaysInMonth(int year, int month);
// The Julian day number of a Western date (the day count of ConvertCalendar,
// before any correction).
int64_t WesternDayNumber(int year, int month, int day);
// 1 = Monday ... 7 = Sunday, from the day number, so a Julian date gets its
// own weekday.
int WesternWeekday(int year, int month, int day);

// Hijri date of a date-time's calendar day.
CalendarDate HijriOf(DateTime date, int8_t hijriyahDiff = 0);

// Month-name tables, slots 1..12 (slot 0 unused).
using MonthNames = std::array<std::string, 13>;
const MonthNames& EnglishGregorianMonths();
const MonthNames& EnglishHijriMonths();

// "24 Rabiul Awal 1430 H"
std::string HijriDateText(const CalendarDate& date, const MonthNames& hijriMonths);
// "21 March 2009"
std::string GregorianDateText(const CalendarDate& date, const MonthNames& months);

}  // namespace waktuna
