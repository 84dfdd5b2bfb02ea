#include "waktuna/calc/calendar.h"

#include <algorithm>
#include <iterator>

#include "waktuna/calc/numbers.h"
#include "waktuna/calc/prayer.h"

namespace waktuna {

namespace {

// Int(a / b): the real quotient through TabularInt. Operands stay far inside
// 53 bits for every 16-bit input, so the double quotient is exact enough.
int64_t Int(int64_t a, int64_t b) {
    return static_cast<int64_t>(TabularInt(static_cast<double>(a) / static_cast<double>(b)));
}

CalendarDate Make(int64_t d, int64_t m, int64_t y) {
    CalendarDate r;
    r.day = static_cast<uint8_t>(d);
    r.month = static_cast<uint8_t>(m);
    r.year = static_cast<int32_t>(y);
    return r;
}

// Method: the integer day-number algorithms of the "Explanatory Supplement to
// the Astronomical Almanac" (P. K. Seidelmann, ed., 1992, chapter 12): Fliegel
// and Van Flandern's for the Gregorian calendar, their Julian-calendar form
// before the reform, and the tabular Islamic calendar: epoch JD 1948440 (16
// July 622, Julian), a cycle of 30 years = 10631 days with eleven 355-day
// years (2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29), months of 30 and 29 days
// alternating, the twelfth 30 in a leap year. Int() is truncation toward zero.

// Julian day number of a Western date whose day may lie outside its month.
// Y stays within 16 bits and |D| within a few hundred, so every product here
// is far below 2^53 and Int's double quotient is exact.
int64_t DayNumber(int64_t Y, int64_t M, int64_t D) {
    if (Y > 1582 || (Y == 1582 && M > 10) || (Y == 1582 && M == 10 && D > 14)) {
        const int64_t a = Int(M - 14, 12);
        return Int(1461 * (Y + 4800 + a), 4) + Int(367 * (M - 2 - 12 * a), 12) -
               Int(3 * Int(Y + 4900 + a, 100), 4) + D - 32075;
    }
    return 367 * Y - Int(7 * (Y + 5001 + Int(M - 9, 7)), 4) + Int(275 * M, 9) + D + 1729777;
}

// The Western date of a Julian day number: Gregorian after 2299160, Julian
// up to it.
CalendarDate WesternDateOfDay(int64_t jd) {
    if (jd > 2299160) {
        int64_t l = jd + 68569;
        const int64_t n = Int(4 * l, 146097);
        l = l - Int(146097 * n + 3, 4);
        const int64_t i = Int(4000 * (l + 1), 1461001);
        l = l - Int(1461 * i, 4) + 31;
        const int64_t j = Int(80 * l, 2447);
        const int64_t d = l - Int(2447 * j, 80);
        l = Int(j, 11);
        const int64_t m = j + 2 - 12 * l;
        const int64_t y = 100 * (n - 49) + i + l;
        return Make(d, m, y);
    }
    int64_t j = jd + 1402;
    const int64_t k = Int(j - 1, 1461);
    const int64_t l = j - 1461 * k;
    const int64_t n = Int(l - 1, 365) - Int(l, 1461);
    int64_t i = l - 365 * n + 30;
    j = Int(80 * i, 2447);
    const int64_t d = i - Int(2447 * j, 80);
    i = Int(j, 11);
    const int64_t m = j + 2 - 12 * i;
    const int64_t y = 4 * k + n + i - 4716;
    return Make(d, m, y);
}

#include "umm_al_qura_table.inc"

constexpr int kUmmAlQuraMonthCount = (kUmmAlQuraLastYear - kUmmAlQuraFirstYear + 1) * 12;
static_assert(std::size(kUmmAlQuraMonths) * 12 == kUmmAlQuraMonthCount);

// The day number each Umm al-Qura month of the table begins on, and after
// the last one the day after the table.
constexpr std::array<int32_t, kUmmAlQuraMonthCount + 1> kUmmAlQuraStarts = [] {
    std::array<int32_t, kUmmAlQuraMonthCount + 1> starts{};
    int32_t day = kUmmAlQuraFirstDay;
    for (int i = 0; i < kUmmAlQuraMonthCount; ++i) {
        starts[static_cast<size_t>(i)] = day;
        day += 29 + ((kUmmAlQuraMonths[i / 12] >> (i % 12)) & 1);
    }
    starts[kUmmAlQuraMonthCount] = day;
    return starts;
}();

}  // namespace

bool IsWesternDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    return day <= WesternDaysInMonth(year, month);
}

int WesternDaysInMonth(int year, int month) {
    if (year >= 1582) return DaysInMonth(year, month);
    if (month == 2) return year % 4 == 0 ? 29 : 28;
    return DaysInMonth(2001, month);
}

int64_t WesternDayNumber(int year, int month, int day) { return DayNumber(year, month, day); }

int WesternWeekday(int year, int month, int day) {
    // Day number 0 was a Monday.
    const int64_t r = WesternDayNumber(year, month, day) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

CalendarDate ConvertCalendar(Conversion direction, uint16_t year, uint16_t month, uint16_t day,
                             int8_t hijriyahDiff) {
    const int64_t Y = year;
    const int64_t M = month;
    const int64_t D = static_cast<int64_t>(day) + hijriyahDiff;

    if (direction == Conversion::HijriToWestern) {
        // jd: the day number of Hijri Y/M/D. Int(11Y + 3, 30) counts the leap
        // days before year Y; 354 days a year, 30 a month less one every
        // second month (Int(M - 1, 2)); 1948440 - 385 puts 1/1/1 AH on the
        // epoch. Y 0..65535 keeps jd in 1.9e6..2.5e7.
        const int64_t jd =
            Int(11 * Y + 3, 30) + 354 * Y + 30 * M - Int(M - 1, 2) + D + 1948440 - 385;
        return WesternDateOfDay(jd);
    }

    // l: days since the epoch shifted by one cycle (10632), so negative years
    // never occur; n: whole 30-year cycles before the date (0 at the epoch).
    int64_t l = DayNumber(Y, M, D) - 1948440 + 10632;
    const int64_t n = Int(l - 1, 10631);
    // l: the day within its cycle, 1..10631, moved on by 354 so that the two
    // products below pick the year j (1..30) within the cycle without a table.
    l = l - 10631 * n + 354;
    const int64_t j = Int(10985 - l, 5316) * Int(50 * l, 17719) + Int(l, 5670) * Int(43 * l, 15238);
    // l: the day within year j, 1..355, plus 29 for the month step below.
    l = l - Int(30 - j, 15) * Int(17719 * j, 50) - Int(j, 16) * Int(15238 * j, 43) + 29;
    // m: 1..12 (709 / 24 = 29.54 days, the mean month); d: 1..30; y: the year.
    const int64_t m = Int(24 * l, 709);
    const int64_t d = l - Int(709 * m, 24);
    const int64_t y = 30 * n + j - 30;
    return Make(d, m, y);
}

CalendarDate HijriOf(DateTime date, int8_t hijriyahDiff) {
    const Ymd g = DecodeDate(date);
    return ConvertCalendar(Conversion::WesternToHijri, static_cast<uint16_t>(g.year), static_cast<uint16_t>(g.month),
                           static_cast<uint16_t>(g.day), hijriyahDiff);
}

HijriCalendar HijriCalendarOf(uint32_t stored) {
    return stored == 1 ? HijriCalendar::UmmAlQura : HijriCalendar::Tabular;
}

int UmmAlQuraFirstYear() { return kUmmAlQuraFirstYear; }
int UmmAlQuraLastYear() { return kUmmAlQuraLastYear; }

HijriConversion ConvertHijri(Conversion direction, int year, int month, int day, int8_t hijriyahDiff,
                             HijriCalendar calendar) {
    if (calendar == HijriCalendar::UmmAlQura) {
        if (direction == Conversion::HijriToWestern) {
            if (year >= kUmmAlQuraFirstYear && year <= kUmmAlQuraLastYear && month >= 1 && month <= 12) {
                const int32_t start =
                    kUmmAlQuraStarts[static_cast<size_t>((year - kUmmAlQuraFirstYear) * 12 + month - 1)];
                return {WesternDateOfDay(int64_t{start} + day - 1 + hijriyahDiff), false};
            }
        } else {
            const int64_t jd = DayNumber(year, month, int64_t{day} + hijriyahDiff);
            if (jd >= kUmmAlQuraStarts.front() && jd < kUmmAlQuraStarts.back()) {
                // The month holding the day: the last start not after it.
                const auto next = std::upper_bound(kUmmAlQuraStarts.begin(), kUmmAlQuraStarts.end(), jd);
                const auto i = static_cast<int>(std::distance(kUmmAlQuraStarts.begin(), next)) - 1;
                return {Make(jd - kUmmAlQuraStarts[static_cast<size_t>(i)] + 1, i % 12 + 1,
                             kUmmAlQuraFirstYear + i / 12),
                        false};
            }
        }
    }
    const CalendarDate tabular =
        ConvertCalendar(direction, static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                        static_cast<uint16_t>(day), hijriyahDiff);
    return {tabular, calendar == HijriCalendar::UmmAlQura};
}

CalendarDate HijriDateOn(DateTime date, const CoreSettings& core) {
    const Ymd g = DecodeDate(date);
    return ConvertHijri(Conversion::WesternToHijri, g.year, g.month, g.day, core.hijriyah_diff, core.hijri_calendar).date;
}

int HijriMonthOn(DateTime date, const CoreSettings& core) { return HijriDateOn(date, core).month; }

bool IsRamadanOn(DateTime date, const CoreSettings& core) { return HijriMonthOn(date, core) == kRamadan; }

const MonthNames& EnglishGregorianMonths() {
    static const MonthNames names = {"",     "January", "February",  "March",   "April",
                                     "May",  "June",    "July",      "August",  "September",
                                     "October", "November", "December"};
    return names;
}

const MonthNames& EnglishHijriMonths() {
    static const MonthNames names = {"",           "Muharram",      "Safar",
                                     "Rabiul Awal", "Rabiul Akhir", "Jumadil Awal",
                                     "Jumadil Akhir", "Rajab",      "Syaban",
                                     "Ramadhan",   "Syawal",        "Dzulqaidah",
                                     "Dzulhijjah"};
    return names;
}

namespace {
std::string DateText(const CalendarDate& date, const MonthNames& months) {
    const std::string& name = date.month >= 1 && date.month <= 12 ? months[date.month] : "";
    return IntText(date.day) + " " + name + " " + IntText(date.year);
}
}  // namespace

std::string HijriDateText(const CalendarDate& date, const MonthNames& hijriMonths) {
    return DateText(date, hijriMonths) + " H";
}

std::string GregorianDateText(const CalendarDate& date, const MonthNames& months) {
    return DateText(date, months);
}

}  // namespace waktuna
