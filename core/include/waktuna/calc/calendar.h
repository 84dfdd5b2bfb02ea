// Hijri <-> Western calendar through the Julian day number: the tabular
// rule, and the Umm al-Qura calendar from its table. Western dates before
// 15 October 1582 are Julian-calendar dates.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "waktuna/calc/datetime.h"

namespace waktuna {

struct CalendarDate {
    uint8_t day = 0;
    uint8_t month = 0;
    int32_t year = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Which way a conversion goes: the calendar of its input, then of its answer.
enum class Conversion : uint8_t { HijriToWestern, WesternToHijri };

// The tabular rule. The correction (HijriyahDiff, days) is added to the
// input's day in both directions before anything else.
CalendarDate ConvertCalendar(Conversion direction, uint16_t year, uint16_t month, uint16_t day,
                             int8_t hijriyahDiff = 0);

// Western dates as the conversion reads them: Julian up to 14 October 1582
// (every fourth year a leap year), Gregorian from the 15th on. So 5..14
// October 1582 are the last ten days of the Julian calendar (Gregorian 15..24
// October), not days that never were.
bool IsWesternDate(int year, int month, int day);
int WesternDaysInMonth(int year, int month);
// The Julian day number of a Western date (the day count of ConvertCalendar,
// before any correction).
int64_t WesternDayNumber(int year, int month, int day);
// 1 = Monday ... 7 = Sunday, from the day number, so a Julian date gets its
// own weekday.
int WesternWeekday(int year, int month, int day);

// Hijri date of a date-time's calendar day (tabular).
CalendarDate HijriOf(DateTime date, int8_t hijriyahDiff = 0);

// ---- The calendar the program shows ------------------------------------------

// The stored choice (DWORD "HijriCalendar"): 0 or missing the tabular rule,
// 1 Umm al-Qura, the official calendar of Saudi Arabia. Any other number
// reads as tabular.
enum class HijriCalendar : uint8_t { Tabular = 0, UmmAlQura = 1 };
inline constexpr std::string_view kHijriCalendarValue = "HijriCalendar";
HijriCalendar HijriCalendarOf(uint32_t stored);

// The Umm al-Qura months are known from 1 Muharram 1300 to the end of 1600
// AH (November 1882 to 2174); outside them the tabular rule gives the date.
int UmmAlQuraFirstYear();
int UmmAlQuraLastYear();

struct HijriConversion {
    CalendarDate date;
    // Umm al-Qura was asked for a date outside its table: the tabular rule
    // gave this date, and whoever shows it says so.
    bool tabular_fallback = false;
};

// The one conversion every Hijri date of the program goes through. The
// correction shifts both directions by whole days, as ConvertCalendar does:
// a Western date is read as the date `hijriyahDiff` days later, and a Hijri
// date gives the Western date that many days after its own. Umm al-Qura
// reads a Hijri day past its month's end as a day of the next month, as the
// tabular rule does. A Hijri year, month or day outside 0..65535 (or a
// Western one outside the years 1..65535) is the caller's to refuse.
HijriConversion ConvertHijri(Conversion direction, int year, int month, int day, int8_t hijriyahDiff,
                             HijriCalendar calendar);

// The Hijri date, and month, of a date-time's calendar day in the calendar
// and with the correction of the settings every calculation reads. The
// Ramadan rule of the prayer times asks IsRamadanOn.
struct CoreSettings;
CalendarDate HijriDateOn(DateTime date, const CoreSettings& core);
int HijriMonthOn(DateTime date, const CoreSettings& core);
inline constexpr int kRamadan = 9;
bool IsRamadanOn(DateTime date, const CoreSettings& core);

// Month-name tables, slots 1..12 (slot 0 unused).
using MonthNames = std::array<std::string, 13>;
const MonthNames& EnglishGregorianMonths();
const MonthNames& EnglishHijriMonths();

// "24 Rabiul Awal 1430 H"
std::string HijriDateText(const CalendarDate& date, const MonthNames& hijriMonths);
// "21 March 2009"
std::string GregorianDateText(const CalendarDate& date, const MonthNames& months);

}  // namespace waktuna
