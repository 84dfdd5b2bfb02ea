#include "waktuna/calc/sun.h"

#include <cmath>
#include <numbers>

namespace waktuna {

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// Degrees into 0..360.
double Revolution(double degrees) { return degrees - 360.0 * std::floor(degrees / 360.0); }

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
    // Equation of the centre, true and apparent longitude (Meeus 25, "low
    // accuracy"); sin 2M and sin 3M from sin M and cos M.
    const double sin_m = std::sin(m), cos_m = std::cos(m);
    const double c = (1.914602 - t * (0.004817 + t * 0.000014)) * sin_m +
                     (0.019993 - t * 0.000101) * 2 * sin_m * cos_m +
                     0.000289 * sin_m * (3 - 4 * sin_m * sin_m);
    const double omega = (125.04 - 1934.136 * t) * kRad;
    const double sin_omega = std::sin(omega);
    const double lambda = (l0 + c - 0.00569 - 0.00478 * sin_omega) * kRad;
    // Obliquity (Meeus 22.2) with the nutation term of 25.8.
    const double eps0 = 23.4392911111 - t * (0.0130041667 + t * (1.638889e-7 - t * 5.036111e-7));
    const double eps = (eps0 + 0.00256 * std::cos(omega)) * kRad;
    const double sin_lambda = std::sin(lambda), cos_lambda = std::cos(lambda);
    SunPosition p;
    p.sin_declination = std::sin(eps) * sin_lambda;
    p.declination = std::asin(p.sin_declination) / kRad;
    // Right ascension by the reduction to the equator, alpha = lambda -
    // y sin 2lambda + y^2/2 sin 4lambda - y^3/3 sin 6lambda with y =
    // tan^2(eps/2); the next term is below 0.0001 degrees.
    const double cos_eps = std::cos(eps);
    const double y = (1 - cos_eps) / (1 + cos_eps);  // tan^2(eps/2)
    const double s2 = 2 * sin_lambda * cos_lambda, c2 = 1 - 2 * sin_lambda * sin_lambda;
    const double s4 = 2 * s2 * c2, c4 = 1 - 2 * s2 * s2;
    const double s6 = s4 * c2 + c4 * s2;
    const double alpha = lambda / kRad - (y * s2 - y * y / 2 * s4 + y * y * y / 3 * s6) / kRad;
    // Equation of time (Meeus 28.1): E = L0 - 0.0057183 - alpha + dpsi cos eps,
    // with the nutation in longitude dpsi of the same short series as lambda.
    const double dpsi = -0.00478 * sin_omega;
    double e = l0 - 0.0057183 - alpha + dpsi * cos_eps;
    e -= 360.0 * std::floor(e / 360.0 + 0.5);  // into -180..180
    p.equation_of_time = e * 4.0;  // one degree is four minutes of time
    return p;
}

SunDay::SunDay(DateTime date, double timeZone) {
    const double jd0 = JulianDayOf(std::floor(date)) - timeZone / 24.0;
    p0_ = PreciseSunAt(jd0);
    p24_ = PreciseSunAt(jd0 + 1.0);
}

double SunDay::SinDeclination(double clockHours) const {
    return p0_.sin_declination + clockHours / 24.0 * (p24_.sin_declination - p0_.sin_declination);
}

double SunDay::EquationOfTime(double clockHours) const {
    return p0_.equation_of_time + clockHours / 24.0 * (p24_.equation_of_time - p0_.equation_of_time);
}

SunPosition SunDay::At(double clockHours) const {
    SunPosition p;
    p.sin_declination = SinDeclination(clockHours);
    p.declination = std::asin(p.sin_declination) / (std::numbers::pi / 180.0);
    p.equation_of_time = EquationOfTime(clockHours);
    return p;
}

}  // namespace waktuna
