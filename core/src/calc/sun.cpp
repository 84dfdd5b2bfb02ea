#include "waktuna/calc/sun.h"

#include <cmath>
#include <numbers>

namespace waktuna {

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// Degrees into 0..360.
double Revolution(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360.0 : r;
}

}  // namespace

double JulianDayOf(DateTime utc) {
    // 2000-01-01 00:00 UT is Julian day 2451544.5.
    static const double kOffset = 2451544.5 - EncodeDate(2000, 1, 1);
    return utc + kOffset;
}

SunPosition PreciseSunAt(double jd) {
    const double t = (jd - 2451545.0) / 36525.0;  // Julian centuries from J2000.0
    // Geometric mean longitude and mean anomaly (Meeus 25.2, 25.3).
    const double l0 = Revolution(280.46646 + t * (36000.76983 + t * 0.0003032));
    const double m = (357.52911 + t * (35999.05029 - t * 0.0001537)) * kRad;
    // Equation of the centre, true and apparent longitude (Meeus 25, "low accuracy").
    const double c = (1.914602 - t * (0.004817 + t * 0.000014)) * std::sin(m) +
                     (0.019993 - t * 0.000101) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double omega = (125.04 - 1934.136 * t) * kRad;
    const double lambda = (l0 + c - 0.00569 - 0.00478 * std::sin(omega)) * kRad;
    // Obliquity (Meeus 22.2) with the nutation term of 25.8.
    const double eps0 = 23.4392911111 - t * (0.0130041667 + t * (1.638889e-7 - t * 5.036111e-7));
    const double eps = (eps0 + 0.00256 * std::cos(omega)) * kRad;
    const double sin_lambda = std::sin(lambda);
    const double alpha = std::atan2(std::cos(eps) * sin_lambda, std::cos(lambda)) / kRad;
    SunPosition p;
    p.declination = std::asin(std::sin(eps) * sin_lambda) / kRad;
    // Equation of time (Meeus 28.1): E = L0 - 0.0057183 - alpha + dpsi cos eps,
    // with the nutation in longitude dpsi of the same short series as lambda.
    const double dpsi = -0.00478 * std::sin(omega);
    double e = l0 - 0.0057183 - alpha + dpsi * std::cos(eps);
    e = std::remainder(e, 360.0);
    p.equation_of_time = e * 4.0;  // one degree is four minutes of time
    return p;
}

SunDay::SunDay(DateTime date, double timeZone) {
    const double jd0 = JulianDayOf(std::floor(date)) - timeZone / 24.0;
    p0_ = PreciseSunAt(jd0);
    p12_ = PreciseSunAt(jd0 + 0.5);
    p24_ = PreciseSunAt(jd0 + 1.0);
}

SunPosition SunDay::At(double clockHours) const {
    // Lagrange through (0, p0), (12, p12), (24, p24).
    const double x = clockHours / 12.0 - 1.0;  // -1 .. 1
    const auto through = [x](double a, double b, double c) {
        return b + x * (c - a) / 2.0 + x * x * (a + c - 2.0 * b) / 2.0;
    };
    SunPosition p;
    p.declination = through(p0_.declination, p12_.declination, p24_.declination);
    p.equation_of_time = through(p0_.equation_of_time, p12_.equation_of_time, p24_.equation_of_time);
    return p;
}

}  // namespace waktuna
