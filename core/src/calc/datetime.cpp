#include "waktuna/calc/datetime.h"

#include <cmath>
#include <ctime>
#include <limits>

namespace waktuna {

namespace {

// Days before 0001-01-01 for a date (proleptic Gregorian): the usual
// days-from-civil count shifted so that 0001-01-01 is day 1.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);               // [0, 399]
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;             // [0, 146096]
    return era * 146097 + static_cast<int64_t>(doe) - 719468;  // days since 1970-01-01
}

constexpr int64_t kUnixEpochDay = 719163;  // day number of 1970-01-01 (0001-01-01 = 1)

Ymd CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);                // [0, 146096]
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);  // [0, 365]
    const unsigned mp = (5 * doy + 2) / 153;                       // [0, 11]
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;               // [1, 31]
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;                  // [1, 12]
    return Ymd{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

DateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) return 0.0;
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                             static_cast<unsigned>(day)) +
                               kUnixEpochDay);
}

Ymd DecodeDate(DateTime value) {
    return CivilFromDays(static_cast<int64_t>(std::floor(value)) - kUnixEpochDay);
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    return (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) /
           (kSecondsPerDay * 1000.0);
}

Hms DecodeTime(DateTime value) {
    const double frac = value - std::floor(value);
    auto ms = static_cast<int64_t>(std::llround(frac * kSecondsPerDay * 1000.0));
    if (ms >= 86400000) ms = 86399999;  // a fraction a hair below 1 stays on the same day
    Hms t;
    t.millisecond = static_cast<int>(ms % 1000);
    const int64_t s = ms / 1000;
    t.second = static_cast<int>(s % 60);
    t.minute = static_cast<int>(s / 60 % 60);
    t.hour = static_cast<int>(s / 3600);
    return t;
}

int DayOfWeek(DateTime value) {
    // 0001-01-01 (day 1) was a Monday.
    const int64_t day = static_cast<int64_t>(std::floor(value));
    const int64_t r = ((day - 1) % 7 + 7) % 7;
    return static_cast<int>(r) + 1;
}

DateTime DateOf(DateTime value) { return std::floor(value); }

DateTime MissingTime() { return std::numeric_limits<double>::quiet_NaN(); }

bool IsMissing(DateTime value) { return !std::isfinite(value); }

std::string FormatTime(DateTime value, std::string_view picture) {
    const bool with_seconds = picture != kFormatHHmm;
    if (IsMissing(value)) return with_seconds ? "--:--:--" : "--:--";
    const Hms t = DecodeTime(value);
    char buf[16];
    auto two = [](char* p, int v) {
        p[0] = static_cast<char>('0' + v / 10 % 10);
        p[1] = static_cast<char>('0' + v % 10);
    };
    two(buf, t.hour);
    buf[2] = ':';
    two(buf + 3, t.minute);
    if (!with_seconds) return std::string(buf, 5);
    buf[5] = ':';
    two(buf + 6, t.second);
    return std::string(buf, 8);
}

namespace {
bool ReadDigits(std::string_view text, size_t pos, size_t count, int& out) {
    if (pos + count > text.size()) return false;
    out = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}
}  // namespace

bool ParseIsoDate(std::string_view text, Ymd& out) {
    Ymd d;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    if (!ReadDigits(text, 0, 4, d.year) || !ReadDigits(text, 5, 2, d.month) ||
        !ReadDigits(text, 8, 2, d.day))
        return false;
    if (!IsValidDate(d.year, d.month, d.day)) return false;
    out = d;
    return true;
}

bool ParseClockText(std::string_view text, Hms& out) {
    Hms t;
    if ((text.size() != 5 && text.size() != 8) || text[2] != ':') return false;
    if (!ReadDigits(text, 0, 2, t.hour) || !ReadDigits(text, 3, 2, t.minute)) return false;
    if (text.size() == 8 && (text[5] != ':' || !ReadDigits(text, 6, 2, t.second))) return false;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return false;
    out = t;
    return true;
}

DateTime LocalNow() {
    const auto now = std::time(nullptr);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &now);
#else
    localtime_r(&now, &tm);
#endif
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace waktuna
