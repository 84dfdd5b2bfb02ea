#include "waktuna/calc/imsak.h"

namespace waktuna {

uint8_t ImsakMinutesOf(uint32_t stored) {
    return stored >= 1 && stored <= static_cast<uint32_t>(kLastImsakMinute) ? static_cast<uint8_t>(stored) : 0;
}

DateTime ImsakTime(const PrayerTimes& times, const CoreSettings& core) {
    const DateTime fajr = times[Shubuh];
    if (!ImsakOn(core) || IsMissing(fajr)) return MissingTime();
    const DateTime imsak = fajr - core.imsak_minutes * kOneMinute;
    return imsak < 0 ? imsak + 1.0 : imsak;
}

}  // namespace waktuna
