// The precise sun: its declination and the equation of time at an instant,
// from the solar theory of Jean Meeus, "Astronomical Algorithms" (2nd ed.,
// 1998): chapter 25 (the Sun's apparent position, low-accuracy series with
// nutation and aberration) and chapter 28 (the equation of time). Over
// 1900-2100 the apparent longitude is within about 0.003 degrees, which puts
// a sunrise or a noon within about a second of time.
#pragma once

#include "waktuna/calc/datetime.h"

namespace waktuna {

struct SunPosition {
    double declination = 0;       // degrees, north positive
    double sin_declination = 0;
    double equation_of_time = 0;  // minutes: apparent minus mean solar time
};

// The Julian day (UT) of a date-time read as universal time.
double JulianDayOf(DateTime utc);

// The apparent place at a Julian day. The day is taken as Terrestrial Time;
// read as UT instead (the difference is about a minute), the Sun moves less
// than 3 arc seconds, a fifth of a second in the times.
SunPosition PreciseSunAt(double julianDay);

// One calendar day of the sun, for the times of that day: two positions
// (local midnight and the next) and the declination and the equation of
// time between them by linear interpolation, so each time of the day costs
// no new series. The curvature left out is below 0.001 degrees of
// declination and 0.1 s of the equation of time.
class SunDay {
public:
    // `date`: the calendar day; `timeZone`: hours east of UTC of its clock.
    SunDay(DateTime date, double timeZone);
    // The sun at a clock time of the day, in hours (outside 0..24 allowed).
    SunPosition At(double clockHours) const;
    // Its parts alone, without the arc sine of the declination.
    double SinDeclination(double clockHours) const;
    double EquationOfTime(double clockHours) const;

private:
    SunPosition p0_, p24_;
};

}  // namespace waktuna
