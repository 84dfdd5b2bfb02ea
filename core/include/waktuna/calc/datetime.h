// Date-time values: days counted from 0001-01-01 = 1.0 in the proleptic
// Gregorian calendar, the time of day as the fraction (one minute = 1/1440).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace waktuna {

using DateTime = double;

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kOneMinute = 1.0 / 1440.0;

struct Ymd {
    int year = 1;
    int month = 1;
    int day = 1;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

struct Hms {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Whole day number of a valid date (0001-01-01 gives 1). Invalid dates give 0.
DateTime EncodeDate(int year, int month, int day);
// Calendar date of the whole-day part of a value >= 1.
Ymd DecodeDate(DateTime value);

// Fraction of a day for a clock time; hours may exceed 23 (the caller wraps).
DateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
// Clock fields of the fraction, taken to the nearest millisecond.
Hms DecodeTime(DateTime value);

// 1 = Monday ... 5 = Friday ... 7 = Sunday.
int DayOfWeek(DateTime value);

// Whole-day part.
DateTime DateOf(DateTime value);

// A time that does not exist on a day (the sun never reaches the altitude).
DateTime MissingTime();
bool IsMissing(DateTime value);

// The two clock pictures the program uses.
inline constexpr std::string_view kFormatHHmm = "HH:mm";
inline constexpr std::string_view kFormatHHmmss = "HH:mm:ss";

// "HH:mm" or "HH:mm:ss" text of the time of day: the fraction is taken to the
// nearest millisecond and then cut to whole seconds. Any picture other than
// "HH:mm" gives seconds. A missing time gives "--:--" or "--:--:--".
std::string FormatTime(DateTime value, std::string_view picture);

// "YYYY-MM-DD"; false when the text is not exactly a valid date of that form.
bool ParseIsoDate(std::string_view text, Ymd& out);
// "HH:mm:ss" or "HH:mm"; false otherwise.
bool ParseClockText(std::string_view text, Hms& out);

// The local date-time now, from the system clock.
DateTime LocalNow();

// The source of "now": the watch and the pages never read the system clock
// themselves, so tests can drive a simulated one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;
    DateTime Today() const { return DateOf(Now()); }
};

class SystemClock final : public Clock {
public:
    DateTime Now() const override { return LocalNow(); }
};

// A clock that shows what it is set to: simulations and tests move it.
class SettableClock : public Clock {
public:
    DateTime Now() const override { return now; }
    void AdvanceMs(int64_t ms) { now += static_cast<double>(ms) / 86400000.0; }
    DateTime now = 0;
};

}  // namespace waktuna
