#include "waktuna/calc/prayer.h"

#include <cmath>
#include <numbers>

#include "waktuna/calc/calendar.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/calc/sun.h"

namespace waktuna {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;
constexpr double kRadToHours = 3.8197186342054880582;  // 12 / pi

float F32(double x) { return static_cast<float>(x); }

// Hour angle (hours, f32, 0..12) at which the sun stands at altitude h, from
// the spherical triangle pole-zenith-sun: cos H = (sin h - sin lat sin decl) /
// (cos lat cos decl). NaN when |cos H| > 1: the sun never reaches h that day.
double HourAngle(double sin_h, double lat_rad, double decl_rad) {
    const double q = (sin_h - std::sin(lat_rad) * std::sin(decl_rad)) /
                     (std::cos(lat_rad) * std::cos(decl_rad));
    if (!(q >= -1.0 && q <= 1.0)) return std::nan("");
    return F32(std::atan2(std::sqrt(1.0 - q * q), q) * kRadToHours);
}

DateTime WrapDay(DateTime t) { return t - std::floor(t); }

// HoursToTime plus a correction in minutes; missing stays missing.
DateTime Finish(double hours, int32_t add_minutes, const CoreSettings& core) {
    if (std::isnan(hours)) return MissingTime();
    return WrapDay(HoursToTime(F32(hours), core) + add_minutes / 1440.0);
}

}  // namespace

double TabularInt(double x) {
    if (x < -0.0000001) return std::ceil(x - 0.0000001);
    return std::floor(x + 0.0000001);
}

DateTime HoursToTime(float hours, const CoreSettings& core) {
    double x = hours;
    if (!std::isfinite(x)) return MissingTime();
    x = std::fmod(x, 24.0);
    if (x < 0) x += 24.0;
    const double h = std::floor(x);
    const double m = std::floor((x - h) * 60.0);
    const double s = std::floor(((x - h) * 60.0 - m) * 60.0);
    const bool hhmm = core.time_format == kFormatHHmm;
    DateTime t = (3600.0 * h + 60.0 * m + (hhmm ? 0.0 : s)) / kSecondsPerDay;
    if (hhmm) {
        if (core.pembulatan == RoundUp || (core.pembulatan == RoundNormal && s >= 30.0))
            t += kOneMinute;
    }
    return WrapDay(t);
}

namespace {

// Hour angles (hours) of one day's events, each measured from the noon it
// belongs to; NaN where the sun never reaches the altitude. The morning and
// the evening differ only with the precise sun, whose declination moves
// during the day.
struct DayAngles {
    double noon = 0;  // clock hours
    double rise = NAN, set = NAN;
    double fajr = NAN, isha = NAN;
    double asar = NAN;
    double maghrib = NAN;  // by the Maghrib angle; NaN when it is 0
};

// Altitude (degrees) of the sun's centre at sunrise and sunset: refraction
// and semidiameter, and the dip of the horizon seen from the altitude.
double HorizonAltitude(const CalcSettings& p) {
    const int32_t altitude = p.ignore_altitude ? 0 : p.altitude;
    const double sign = altitude >= 0 ? 1.0 : -1.0;
    return -0.8333 - sign * 0.0347 * std::sqrt(std::fabs(static_cast<double>(altitude)));
}

// The altitude (degrees) of the Asar shadow on a day of declination `decl`.
double AsarAltitude(const CalcSettings& p, double decl) {
    const double f = p.syafii ? 1.0 : 2.0;
    return std::atan2(1.0 / (std::tan(std::fabs(p.latitude - decl) * kRad) + f), 1.0);
}

// The Fourier model: one declination and equation of time for the whole day,
// rounded to 32-bit values as the program has always computed them.
//
// Method: J. W. Spencer's Fourier series of the sun's position ("Fourier
// series representation of the position of the sun", Search 2(5), 1971), the
// form NOAA's "General Solar Position Calculations" gives. Errors: about
// 0.035 degrees in declination and half a minute in the equation of time.
DayAngles FourierDay(const CalcSettings& p, DateTime date) {
    const Ymd ymd = DecodeDate(date);
    // d: days since 1 January, 0..365 (the day's start, not its noon).
    const double d = std::trunc(date - EncodeDate(ymd.year, 1, 1));

    // g: the fractional year, radians, 0..2*pi over the year (365 days).
    const double g = F32(d * 2.0 * kPi / 365.0);
    // decl: the sun's declination, degrees, -23.45..23.45 (the series gives
    // radians). eqt: the equation of time, minutes, about -14.3..16.4 (the
    // series gives radians; 229.18 = 1440 / (2 * pi) minutes per radian).
    const double decl =
        F32((0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
             0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g) -
             0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g)) *
            57.29577951308232);
    const double eqt = F32((0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                            0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g)) *
                           229.18);

    DayAngles a;
    // z: the zone's meridian, degrees east. noon: local clock hours, 0..24
    // for every place on earth (4 minutes of clock a degree of longitude).
    const double z = F32(p.time_zone * 15.0);
    a.noon = (z - p.longitude) / 15.0 + 12.0 - eqt / 60.0;
    const double lat = p.latitude * kRad;
    const double dec = decl * kRad;
    a.rise = a.set = HourAngle(std::sin(HorizonAltitude(p) * kRad), lat, dec);
    a.fajr = HourAngle(-std::sin(p.fajr_angle * kRad), lat, dec);
    a.isha = HourAngle(-std::sin(p.isha_angle * kRad), lat, dec);
    a.asar = HourAngle(std::sin(AsarAltitude(p, decl)), lat, dec);
    if (p.maghrib_angle != 0) a.maghrib = HourAngle(-std::sin(p.maghrib_angle * kRad), lat, dec);
    return a;
}

// The precise sun: each event is found twice, first with the sun of noon,
// then with the sun at the first answer; the second answer is within a
// fraction of a second of the converged one.
DayAngles PreciseDay(const CalcSettings& p, DateTime date) {
    const SunDay sun(date, p.time_zone);
    const double sin_lat = std::sin(p.latitude * kRad);
    const double cos_lat = std::cos(p.latitude * kRad);
    const double meridian = 12.0 + (p.time_zone * 15.0 - p.longitude) / 15.0;
    const auto noon_at = [&](double hours) { return meridian - sun.EquationOfTime(hours) / 60.0; };
    // Hour angle (hours) of the altitude whose sine is sin_h, for a
    // declination of the given sine and cosine; NaN when never reached.
    const auto hour_angle = [&](double sin_h, double sin_d, double cos_d) {
        const double q = (sin_h - sin_lat * sin_d) / (cos_lat * cos_d);
        if (!(q >= -1.0 && q <= 1.0)) return std::nan("");
        return std::atan2(std::sqrt(1.0 - q * q), q) * kRadToHours;
    };
    DayAngles a;
    a.noon = noon_at(noon_at(12.0));
    const SunPosition noon_sun = sun.At(a.noon);
    const double noon_decl = noon_sun.declination;
    const double sin_noon = noon_sun.sin_declination;
    const double cos_noon = std::sqrt(1.0 - sin_noon * sin_noon);
    // Hour angle on the side `side` (-1 morning, +1 evening), measured from
    // a.noon: first with the sun of noon, then with the sun at that time.
    const auto event_from = [&](double sin_h, double side, double first) {
        if (std::isnan(first)) return first;
        const double at = a.noon + side * first;
        const double sin_d = sun.SinDeclination(at);
        return hour_angle(sin_h, sin_d, std::sqrt(1.0 - sin_d * sin_d)) + side * (noon_at(at) - a.noon);
    };
    const auto event = [&](double sin_h, double side) {
        return event_from(sin_h, side, hour_angle(sin_h, sin_noon, cos_noon));
    };
    const double sin_horizon = std::sin(HorizonAltitude(p) * kRad);
    const double horizon_at_noon = hour_angle(sin_horizon, sin_noon, cos_noon);
    a.rise = event_from(sin_horizon, -1, horizon_at_noon);
    a.set = event_from(sin_horizon, +1, horizon_at_noon);
    a.fajr = event(-std::sin(p.fajr_angle * kRad), -1);
    a.isha = event(-std::sin(p.isha_angle * kRad), +1);
    // The Asar altitude A has cot A = f + tan|latitude - declination|.
    const double cot_asar = (p.syafii ? 1.0 : 2.0) + std::tan(std::fabs(p.latitude - noon_decl) * kRad);
    a.asar = event(1.0 / std::sqrt(1.0 + cot_asar * cot_asar), +1);
    if (p.maghrib_angle != 0) a.maghrib = event(-std::sin(p.maghrib_angle * kRad), +1);
    return a;
}

// The seasonal twilight holds up to this latitude (degrees, either
// hemisphere); above it the Moonsighting Committee puts Fajr and Isya a
// seventh of the night from sunrise and sunset (its method as published on
// moonsighting.com; msofg.org, "How do we calculate our prayers time").
constexpr double kSeasonalTwilightLatitude = 55.0;

// Minutes from sunrise back to Fajr (isha false) or from sunset on to Isya
// (isha true) by the seasonal twilight the Moonsighting Committee publishes:
// a function of the latitude, interpolated linearly between four values over
// the days counted from the winter solstice of the place's hemisphere
// (21 December in the north, 21 June in the south).
double SeasonalTwilightMinutes(bool isha, double latitude, DateTime date) {
    const double lat = std::fabs(latitude);
    const Ymd ymd = DecodeDate(date);
    const bool north = latitude >= 0;
    DateTime solstice = EncodeDate(ymd.year, north ? 12 : 6, 21);
    if (solstice > std::floor(date)) solstice = EncodeDate(ymd.year - 1, north ? 12 : 6, 21);
    const double day = std::floor(date) - solstice;
    // Values at 0, 91, 137, 183 days (and back again by 229, 275, 365).
    const double a = 75 + (isha ? 25.60 : 28.65) / 55.0 * lat;
    const double b = 75 + (isha ? 2.05 : 19.44) / 55.0 * lat;
    const double c = 75 + (isha ? -9.21 : 32.74) / 55.0 * lat;
    const double d = 75 + (isha ? 6.14 : 48.10) / 55.0 * lat;
    if (day < 91) return a + (b - a) / 91.0 * day;
    if (day < 137) return b + (c - b) / 46.0 * (day - 91);
    if (day < 183) return c + (d - c) / 46.0 * (day - 137);
    if (day < 229) return d + (c - d) / 46.0 * (day - 183);
    if (day < 275) return c + (b - c) / 46.0 * (day - 229);
    return b + (a - b) / 91.0 * (day - 275);
}

// Fajr and Isya by the high-latitude rule, where the sun still sets.
void ApplyHighLatitudeRule(const CalcSettings& p, DayAngles& a) {
    if (std::isnan(a.rise) || std::isnan(a.set)) return;
    const double night = 24.0 - (a.rise + a.set);
    switch (p.high_latitude) {
        case HighLatitudeRule::TwilightAngle:
            // Only where twilight never ends: dawn and nightfall lie
            // angle/60 of the night from it.
            if (std::isnan(a.fajr)) a.fajr = a.rise + p.fajr_angle / 60.0 * night;
            if (std::isnan(a.isha)) a.isha = a.set + p.isha_angle / 60.0 * night;
            return;
        case HighLatitudeRule::MiddleOfNight:
        case HighLatitudeRule::OneSeventh: {
            const double bound = night / (p.high_latitude == HighLatitudeRule::MiddleOfNight ? 2.0 : 7.0);
            if (!(a.fajr <= a.rise + bound)) a.fajr = a.rise + bound;
            if (!(a.isha <= a.set + bound)) a.isha = a.set + bound;
            return;
        }
    }
}

}  // namespace

PrayerTimes CalculatePrayerTimes(const CalcSettings& p, DateTime date, const CoreSettings& core) {
    DayAngles a = p.precise_sun ? PreciseDay(p, date) : FourierDay(p, date);
    if (p.seasonal_twilight && !std::isnan(a.rise) && !std::isnan(a.set)) {
        if (std::fabs(p.latitude) > kSeasonalTwilightLatitude) {
            // Beyond the seasons' reach the committee takes a seventh of the
            // night on either side.
            const double seventh = (24.0 - (a.rise + a.set)) / 7.0;
            a.fajr = a.rise + seventh;
            a.isha = a.set + seventh;
        } else {
            a.fajr = a.rise + SeasonalTwilightMinutes(false, p.latitude, date) / 60.0;
            a.isha = a.set + SeasonalTwilightMinutes(true, p.latitude, date) / 60.0;
        }
    }
    ApplyHighLatitudeRule(p, a);
    const double maghrib = p.maghrib_angle != 0 ? a.maghrib : a.set;
    int32_t interval = p.isha_interval;
    // Ramadan in the program's Hijri calendar (tabular or Umm al-Qura) with
    // the user's correction.
    if (p.isha_interval_ramadan != 0 && IsRamadanOn(date, core))
        interval = p.isha_interval_ramadan;
    if (interval != 0) a.isha = maghrib + interval / 60.0;

    PrayerTimes times{};
    times[Shubuh] = Finish(a.noon - a.fajr, core.add_shubuh, core);
    times[Terbit] = Finish(a.noon - a.rise, core.add_terbit, core);
    times[Dhuhur] = Finish(a.noon, core.add_dhuhur, core);
    times[Asar] = Finish(a.noon + a.asar, core.add_asar, core);
    times[Maghrib] = Finish(a.noon + maghrib, core.add_maghrib, core);
    times[Isya] = Finish(a.noon + a.isha, core.add_isya, core);
    return times;
}

void CalculatePrayerTimes(int32_t altitude, bool syafii, PrayerTimes& times, DateTime date,
                          float timeZone, float fajrAngle, float ishaAngle, float latitude,
                          float longitude, const CoreSettings& core) {
    CalcSettings p;
    p.altitude = altitude;
    p.syafii = syafii;
    p.time_zone = timeZone;
    p.fajr_angle = fajrAngle;
    p.isha_angle = ishaAngle;
    p.latitude = latitude;
    p.longitude = longitude;
    times = CalculatePrayerTimes(p, date, core);
}

TSholatString FormatPrayerTimes(const PrayerTimes& times, std::string_view picture) {
    TSholatString texts;
    for (int i = 0; i < kPrayerCount; ++i) texts[i] = FormatTime(times[i], picture);
    return texts;
}

std::string DegreesToText(double degrees) {
    const double v = std::fabs(degrees);
    double d = TabularInt(v);
    const double frac = v - d;
    double m = TabularInt(frac * 60.0);
    double s = std::nearbyint((frac * 60.0 - m) * 60.0);
    if (s == 0.0) s = 0.0;  // no "-0"
    // A seconds value that rounds up to a whole minute carries.
    if (s >= 60.0) {
        s -= 60.0;
        m += 1.0;
    }
    if (m >= 60.0) {
        m -= 60.0;
        d += 1.0;
    }
    auto whole = [](double x) { return IntText(static_cast<int64_t>(x)); };
    return whole(d) + '\xB0' + whole(m) + '\'' + whole(s) + '"';
}

std::string LatitudeText(double latitude) {
    return DegreesToText(latitude) + (latitude > 0 ? "N" : "S");
}

std::string LongitudeText(double longitude) {
    return DegreesToText(longitude) + (longitude > 0 ? "E" : "W");
}

}  // namespace waktuna
