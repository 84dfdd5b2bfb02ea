#include "waktuna/calc/prayer.h"

#include <cmath>
#include <numbers>

#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;
constexpr double kRadToHours = 3.8197186342054880582;  // 12 / pi

float F32(double x) { return static_cast<float>(x); }

// Hour angle (hours, f32) at which the sun stands at altitude h (radians);
// NaN when the sun never reaches it that day.
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

void CalculatePrayerTimes(int32_t altitude, bool syafii, PrayerTimes& times, DateTime date,
                          float timeZone, float fajrAngle, float ishaAngle, float latitude,
                          float longitude, const CoreSettings& core) {
    const Ymd ymd = DecodeDate(date);
    const double d = std::trunc(date - EncodeDate(ymd.year, 1, 1));

    const double g = F32(d * 2.0 * kPi / 365.0);
    const double decl =
        F32((0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) -
             0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g) -
             0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g)) *
            57.29577951308232);
    const double eqt = F32((0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                            0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g)) *
                           229.18);

    const double z = F32(timeZone * 15.0);
    const double noon = (z - longitude) / 15.0 + 12.0 - eqt / 60.0;

    const double sign = altitude >= 0 ? 1.0 : -1.0;
    const double h0 = -0.8333 - sign * 0.0347 * std::sqrt(std::fabs(static_cast<double>(altitude)));

    const double lat = latitude * kRad;
    const double dec = decl * kRad;
    const double hs = HourAngle(std::sin(h0 * kRad), lat, dec);
    double hf = HourAngle(-std::sin(fajrAngle * kRad), lat, dec);
    double hi = HourAngle(-std::sin(ishaAngle * kRad), lat, dec);
    const double f = syafii ? 1.0 : 2.0;
    const double asr_alt = std::atan2(1.0 / (std::tan(std::fabs(latitude - decl) * kRad) + f), 1.0);
    const double ha = HourAngle(std::sin(asr_alt), lat, dec);

    // Where twilight never ends but the sun still sets, the night is shared
    // out by the angle: dawn and nightfall lie angle/60 of the night from it.
    if (!std::isnan(hs)) {
        const double night = 24.0 - 2.0 * hs;
        if (std::isnan(hf)) hf = hs + fajrAngle / 60.0 * night;
        if (std::isnan(hi)) hi = hs + ishaAngle / 60.0 * night;
    }

    times[Shubuh] = Finish(noon - hf, core.add_shubuh, core);
    times[Terbit] = Finish(noon - hs, 0, core);
    times[Dhuhur] = Finish(noon, core.add_dhuhur, core);
    times[Asar] = Finish(noon + ha, core.add_asar, core);
    times[Maghrib] = Finish(noon + hs, core.add_maghrib, core);
    times[Isya] = Finish(noon + hi, core.add_isya, core);
}

PrayerTimes CalculatePrayerTimes(const CalcSettings& place, DateTime date,
                                 const CoreSettings& core) {
    PrayerTimes times{};
    CalculatePrayerTimes(place.altitude, place.syafii, times, date, place.time_zone,
                         place.fajr_angle, place.isha_angle, place.latitude, place.longitude,
                         core);
    return times;
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
