// Time zones that follow a rule (daylight saving): the offset a zone has at
// an instant, and the offset a day's calculation uses, the one in force at
// 12:00 local time of that day. Daylight-saving switches happen at night, so
// the day's noon is never ambiguous and every time of the day is computed
// with the offset the clock shows at midday.
//
// The rule itself comes from the platform: the compiled zone database on
// Linux (tzif.h), the system's time-zone rules on Windows (app/).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "waktuna/calc/datetime.h"
#include "waktuna/calc/prayer.h"

namespace waktuna {

// Seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = int64_t;

// The date-time value of 1970-01-01.
inline constexpr DateTime kUnixEpochDay = 719163.0;

// Start of the day of a date-time value, in Unix seconds (the date read as UTC).
UnixSeconds UnixSecondsOfDay(DateTime date);

class ZoneRule {
public:
    virtual ~ZoneRule() = default;
    // Seconds east of UTC in force at the instant; nullopt when the rule
    // cannot tell.
    virtual std::optional<int32_t> OffsetAt(UnixSeconds utc) const = 0;
    // The zone's name as the user knows it ("Europe/London", "GMT Standard
    // Time").
    virtual std::string Name() const = 0;
};

// Seconds east of UTC in force at 12:00 local time of the day of `date`.
std::optional<int32_t> ZoneOffsetOfDate(const ZoneRule& rule, DateTime date);

// The same in hours, as a calculation takes it.
std::optional<float> ZoneHoursOfDate(const ZoneRule& rule, DateTime date);

// The place as a calculation of `date` uses it: with the zone's offset of that
// day when a rule is given and can tell, with its fixed time zone otherwise.
CalcSettings PlaceOnDate(const CalcSettings& place, const ZoneRule* rule, DateTime date);

// The hours east of UTC a day's times use: the rule's offset of that day
// when `follow` is on and the rule can tell, `fixedHours` otherwise. This is
// what the settings page shows, locked, while the zone follows the system.
float TimeZoneOfDay(float fixedHours, bool follow, const ZoneRule* rule, DateTime date);

// The zone's standard offset in seconds east of UTC: the smaller of its
// offsets at noon UTC on 15 January and 15 July of `year`, as daylight saving
// only ever moves the clock forward (Dublin's "negative" saving in winter
// gives its winter offset too). nullopt when the rule cannot tell.
std::optional<int32_t> ZoneStandardOffset(const ZoneRule& rule, int year);

// A rule of one fixed offset (a zone without daylight saving).
class FixedZone final : public ZoneRule {
public:
    FixedZone(int32_t offsetSeconds, std::string name)
        : offset_(offsetSeconds), name_(std::move(name)) {}
    std::optional<int32_t> OffsetAt(UnixSeconds) const override { return offset_; }
    std::string Name() const override { return name_; }

private:
    int32_t offset_;
    std::string name_;
};

}  // namespace waktuna
