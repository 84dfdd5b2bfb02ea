#include "waktuna/calc/ranges.h"

#include <cmath>

#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {

constexpr CalcRange kLatitude{-90, 90, 160};
constexpr CalcRange kLongitude{-180, 180, 160};
constexpr CalcRange kTimeZone{-12, 14, 161};
constexpr CalcRange kAltitude{-500, 9000, 161};
constexpr CalcRange kCorrection{-120, 120, 162};
constexpr CalcRange kAngle{0, 30, 163};
constexpr CalcRange kIshaInterval{0, 240, 294};
constexpr CalcRange kMaghribAngle{0, 10, 296};

bool IsWhole(CalcValue value) {
    return value == CalcValue::Altitude || value == CalcValue::Correction ||
           value == CalcValue::IshaInterval;
}

}  // namespace

const CalcRange& RangeOf(CalcValue value) {
    switch (value) {
        case CalcValue::Latitude: return kLatitude;
        case CalcValue::Longitude: return kLongitude;
        case CalcValue::TimeZone: return kTimeZone;
        case CalcValue::Altitude: return kAltitude;
        case CalcValue::Correction: return kCorrection;
        case CalcValue::IshaInterval: return kIshaInterval;
        case CalcValue::MaghribAngle: return kMaghribAngle;
        case CalcValue::Angle: break;
    }
    return kAngle;
}

bool InCalcRange(CalcValue value, double number) {
    const CalcRange& r = RangeOf(value);
    return std::isfinite(number) && number >= r.low && number <= r.high;
}

std::string RangeText(CalcValue value) {
    const CalcRange& r = RangeOf(value);
    return DecimalText(r.low) + ".." + DecimalText(r.high);
}

std::optional<int> RefusalOf(CalcValue value, std::string_view text) {
    const int line = RangeOf(value).refusal_line;
    if (IsWhole(value)) {
        if (!IsAcceptedWholeNumber(text)) return line;
        if (!InCalcRange(value, ReadWholeNumber(text))) return line;
        return std::nullopt;
    }
    if (!IsAcceptedDecimal(text)) return line;
    // The calculation reads 32-bit values: both readings must be in range.
    const double number = ReadDecimal(text);
    if (!InCalcRange(value, number) || !InCalcRange(value, static_cast<float>(number))) return line;
    return std::nullopt;
}

bool UsablePlace(float latitude, float longitude) {
    return InCalcRange(CalcValue::Latitude, latitude) && InCalcRange(CalcValue::Longitude, longitude);
}

bool UsableForCalculation(const CalcSettings& place) {
    return UsablePlace(place.latitude, place.longitude) &&
           InCalcRange(CalcValue::TimeZone, place.time_zone) &&
           InCalcRange(CalcValue::Altitude, place.altitude) &&
           InCalcRange(CalcValue::Angle, place.fajr_angle) &&
           InCalcRange(CalcValue::Angle, place.isha_angle) &&
           InCalcRange(CalcValue::IshaInterval, place.isha_interval) &&
           InCalcRange(CalcValue::IshaInterval, place.isha_interval_ramadan) &&
           InCalcRange(CalcValue::MaghribAngle, place.maghrib_angle);
}

}  // namespace waktuna
