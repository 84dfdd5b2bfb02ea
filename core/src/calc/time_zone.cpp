#include "waktuna/calc/time_zone.h"

#include <algorithm>
#include <cmath>

namespace waktuna {

UnixSeconds UnixSecondsOfDay(DateTime date) {
    return static_cast<UnixSeconds>(std::floor(date) - kUnixEpochDay) * 86400;
}

std::optional<int32_t> ZoneOffsetOfDate(const ZoneRule& rule, DateTime date) {
    const UnixSeconds noon = UnixSecondsOfDay(date) + 12 * 3600;  // local noon, read as UTC
    // The offset at local noon is the one whose UTC instant gives that noon:
    // start from the offset at the same clock reading in UTC and settle.
    std::optional<int32_t> offset = rule.OffsetAt(noon);
    for (int step = 0; offset && step < 3; ++step) {
        const std::optional<int32_t> next = rule.OffsetAt(noon - *offset);
        if (!next || *next == *offset) return next;
        offset = next;
    }
    return offset;
}

std::optional<float> ZoneHoursOfDate(const ZoneRule& rule, DateTime date) {
    const std::optional<int32_t> offset = ZoneOffsetOfDate(rule, date);
    if (!offset) return std::nullopt;
    return static_cast<float>(*offset / 3600.0);
}

std::optional<int32_t> ZoneStandardOffset(const ZoneRule& rule, int year) {
    const UnixSeconds january = UnixSecondsOfDay(EncodeDate(year, 1, 15)) + 12 * 3600;
    const UnixSeconds july = UnixSecondsOfDay(EncodeDate(year, 7, 15)) + 12 * 3600;
    const std::optional<int32_t> a = rule.OffsetAt(january), b = rule.OffsetAt(july);
    if (!a || !b) return std::nullopt;
    return std::min(*a, *b);
}

CalcSettings PlaceOnDate(const CalcSettings& place, const ZoneRule* rule, DateTime date) {
    CalcSettings out = place;
    if (rule) {
        if (const auto hours = ZoneHoursOfDate(*rule, date)) out.time_zone = *hours;
    }
    return out;
}

float TimeZoneOfDay(float fixedHours, bool follow, const ZoneRule* rule, DateTime date) {
    if (!follow || !rule) return fixedHours;
    return ZoneHoursOfDate(*rule, date).value_or(fixedHours);
}

}  // namespace waktuna
