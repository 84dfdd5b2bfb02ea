// The ranges every calculation value must lie in, in one place: the prayer
// page refuses a typed value outside them, the command line refuses an option
// outside them, and a stored value outside them (or not a finite number) is
// read as missing, so no calculation ever runs on a place that cannot exist.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "waktuna/calc/prayer.h"

namespace waktuna {

enum class CalcValue { Latitude, Longitude, TimeZone, Altitude, Correction, Angle, IshaInterval, MaghribAngle };

struct CalcRange {
    double low;
    double high;
    int refusal_line;  // the language line that refuses a value outside it
};

// Latitude -90..90 and longitude -180..180 (line 160), time zone -12..14 and
// altitude -500..9000 metres (line 161), corrections -120..120 minutes
// (line 162), twilight angles 0..30 degrees (line 163), Isya intervals
// 0..240 minutes (line 294), the Maghrib angle 0..10 degrees (line 296).
const CalcRange& RangeOf(CalcValue value);

// Finite and within the value's range.
bool InCalcRange(CalcValue value, double number);

// "-90..90"
std::string RangeText(CalcValue value);

// A typed text as a setting page checks it: the language line of the refusal,
// or nullopt when accepted. Refused: a text other than exactly "0" that reads
// as 0 (an empty box, "0.0", letters), and a value outside the range. Decimal
// values read with ReadDecimal, whole ones (altitude, corrections) with
// ReadWholeNumber.
std::optional<int> RefusalOf(CalcValue value, std::string_view text);

// Whether a place can be used for the Qibla: both coordinates in range.
bool UsablePlace(float latitude, float longitude);

// Whether the calculation can run on these inputs: the place, time zone,
// altitude, angles and Isya intervals in range. A stored correction is a whole number of
// minutes and shifts a time plainly, so it is not checked here.
bool UsableForCalculation(const CalcSettings& place);

}  // namespace waktuna
