#include "waktuna/watch/clock_timer.h"

namespace waktuna {

int ClockTimerDelayMs(DateTime now) {
    if (IsMissing(now)) return 1000;
    return 1000 - DecodeTime(now).millisecond + kClockTickMarginMs;
}

}  // namespace waktuna
