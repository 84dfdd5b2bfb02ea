// When the clock timer fires next. Each tick re-arms the timer for just after
// the next whole second of the local clock, so the watch examines a second
// right after it begins and an alert is not late by the timer's phase.
#pragma once

#include "waktuna/calc/datetime.h"

namespace waktuna {

// How long after a second begins its tick is due: enough for a timer that
// fires a little early to still land inside the new second.
inline constexpr int kClockTickMarginMs = 5;

// Milliseconds from `now` (a local date-time) to the next whole second, as
// the watch reads seconds (to the nearest millisecond, cut to the second),
// plus kClockTickMarginMs. Always in (margin, 1000 + margin].
int ClockTimerDelayMs(DateTime now);

}  // namespace waktuna
