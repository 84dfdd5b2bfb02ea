// Imsak: the time to stop eating before the fast, a fixed number of minutes
// before Fajr (10 by common practice in Indonesia and Malaysia). Off unless
// the minutes are stored.
#pragma once

#include <cstdint>
#include <string_view>

#include "waktuna/calc/prayer.h"

namespace waktuna {

// The stored minutes (DWORD "Imsak"): 1..60 as they are; 0 and anything
// outside read as off.
inline constexpr std::string_view kImsakValue = "Imsak";
inline constexpr int kLastImsakMinute = 60;
uint8_t ImsakMinutesOf(uint32_t stored);

// Language line of the name "Imsak" (the panel's row, the timetables'
// column, the chart's line).
inline constexpr int kLineImsak = 299;

inline bool ImsakOn(const CoreSettings& core) { return core.imsak_minutes >= 1 && core.imsak_minutes <= kLastImsakMinute; }

// Fajr of `times` less the minutes, as a time of day (a Fajr within the
// minutes after midnight gives a time late on the same clock day);
// MissingTime() when Imsak is off or the day has no Fajr.
DateTime ImsakTime(const PrayerTimes& times, const CoreSettings& core);

}  // namespace waktuna
