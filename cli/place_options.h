// The place and calculation options shared by "times" and "schedule".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "args.h"
#include "waktuna/calc/prayer.h"
#include "waktuna/calc/time_zone.h"

namespace cli {

// --lat --lon --alt --tz | --zone --fajr --isha --method --hanafi --precise
// --high-lat --isha-interval --isha-interval-ramadan --maghrib-angle
// --time-format --rounding --add-fajr --add-sunrise --add-dhuhr --add-asr
// --add-maghrib --add-isha
std::vector<OptionSpec> PlaceOptionSpecs();
extern const char* const kPlaceOptionsHelp;

struct PlaceOptions {
    waktuna::CalcSettings calc;
    waktuna::CoreSettings core;
    std::string latitude_text;   // as typed
    std::string longitude_text;  // as typed
    int methods = 6;             // convention button: 1..5 presets, 6 custom
    uint32_t authority = 0;      // the --method's preset number; 0 without one
    // --zone: each day's offset from the zone's rules (calc.time_zone unused).
    std::shared_ptr<const waktuna::ZoneRule> zone;
};

PlaceOptions ReadPlaceOptions(const Args& args);

}  // namespace cli
