// The conventions of the authorities people follow: for each, everything
// the calculation needs (angles or Isya interval, Maghrib angle, Asar rule,
// the minute corrections, rounding, high-latitude rule, whether the altitude
// counts, which sun) and where the values come from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "waktuna/calc/prayer.h"

namespace waktuna {

// The Methods value of the Customize button, which the presets that are not
// one of the five buttons select.
inline constexpr int kCustomizeMethods = 6;

struct Authority {
    uint32_t number;         // stored as Authority; never reused
    std::string_view key;    // on the command line: --method KEY
    std::string_view name;   // as the page and the timetables name it
    int methods;             // the convention button it stands for (1..5; 6 Customize)
    float fajr_angle;        // Gd
    float isha_angle;        // Gn (unused while isha_interval is set)
    int32_t isha_interval;   // minutes after Maghrib; 0 = by the angle
    int32_t isha_interval_ramadan;  // 0 = the same in Ramadan
    float maghrib_angle;     // 0 = at sunset
    bool seasonal_twilight;  // Fajr and Isya by the Moonsighting Committee's seasons
    bool hanafi;             // the Asar rule the authority uses by default
    // Minutes added to Shubuh, Terbit, Dhuhur, Asar, Maghrib, Isya.
    std::array<int8_t, 6> add;
    RoundingMode rounding;   // of "HH:mm" times
    HighLatitudeRule high_latitude;
    bool altitude;           // sunrise and sunset seen from the place's altitude
    bool precise_sun;
    std::string_view source;  // where the values come from
};

// Every preset, in the order the page lists them. The first five are the
// conventions of the five buttons, as they have always been computed.
const std::array<Authority, 19>& Authorities();

// The preset of a stored number, or nullptr (custom) for 0 or a number this
// program does not know.
const Authority* AuthorityByNumber(uint32_t number);
// The preset named on the command line, or nullptr.
const Authority* AuthorityByKey(std::string_view key);

// The calculation settings of a preset on a place: the angles, interval,
// rules and sun of the preset; place, altitude and time zone kept.
CalcSettings WithAuthority(CalcSettings place, const Authority& authority);
// The corrections and rounding of a preset; the rest of `core` kept.
CoreSettings WithAuthority(CoreSettings core, const Authority& authority);

}  // namespace waktuna
