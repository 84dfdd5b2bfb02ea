// A zone of the tz database read from its compiled file (TZif, RFC 8536),
// as Linux keeps them under /usr/share/zoneinfo: the transitions the file
// lists and, after the last of them, the POSIX TZ rule of its footer, so the
// offset is known for any year.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/time_zone.h"

namespace waktuna {

// A POSIX TZ text such as "GMT0BST,M3.5.0/1,M10.5.0" or "<+07>-7": a
// standard offset and, for zones with daylight saving, the daylight offset
// and the yearly start and end rules.
class PosixZoneRule {
public:
    static std::optional<PosixZoneRule> Parse(std::string_view text);
    int32_t OffsetAt(UnixSeconds utc) const;
    bool HasDaylightSaving() const { return has_dst_; }

    // When a switch happens in a year: Mm.w.d, Jn or n, then the local time.
    struct Change {
        enum Kind { kMonthWeekDay, kJulianNoLeap, kDayOfYear } kind = kMonthWeekDay;
        int month = 0, week = 0, weekday = 0;  // Mm.w.d (weekday 0 = Sunday)
        int day = 0;                           // Jn (1..365) or n (0..365)
        int32_t time = 7200;                   // seconds of local time, may pass 24 h
    };

private:
    UnixSeconds ChangeInstant(int year, const Change& change, int32_t offset) const;

    int32_t std_offset_ = 0;  // east of UTC
    int32_t dst_offset_ = 0;
    bool has_dst_ = false;
    Change start_, end_;
};

class TzifZone final : public ZoneRule {
public:
    // nullopt when the bytes are not a well-formed TZif file.
    static std::optional<TzifZone> Parse(std::string_view bytes, std::string name);

    std::optional<int32_t> OffsetAt(UnixSeconds utc) const override;
    std::string Name() const override { return name_; }

private:
    std::string name_;
    std::vector<int64_t> transitions_;
    std::vector<uint8_t> transition_types_;
    std::vector<int32_t> type_offsets_;
    std::optional<PosixZoneRule> footer_;
};

// The system's zone database folder ("/usr/share/zoneinfo/", or $TZDIR).
std::string ZoneDatabaseFolder();

struct LoadedZone {
    std::optional<TzifZone> zone;
    std::string error;  // why not, naming the zone
};

// The zone named like "Europe/London" from the database folder. Names are
// letters, digits and "/_-+" parts; "." and ".." parts are refused, so a name
// never reaches outside the folder.
LoadedZone LoadZone(std::string_view name, const std::string& folder = ZoneDatabaseFolder());

}  // namespace waktuna
