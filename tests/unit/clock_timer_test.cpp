#include <gtest/gtest.h>

#include "waktuna/watch/clock_timer.h"
#include "waktuna/watch/watch.h"

namespace waktuna {
namespace {

const DateTime kDay = EncodeDate(2024, 3, 11);

TEST(ClockTimer, DueJustAfterTheNextWholeSecond) {
    struct Case {
        int hour, minute, second, ms;
        int delay;
    };
    const Case cases[] = {
        {12, 0, 0, 0, 1005},     // on time: the next second, a whole second on
        {12, 0, 0, 400, 605},
        {12, 0, 0, 996, 9},      // late in the second: a few ms
        {12, 0, 0, 999, 6},
        {23, 59, 59, 500, 505},  // across midnight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(ClockTimerDelayMs(kDay + EncodeTime(c.hour, c.minute, c.second, c.ms)), c.delay);
    }
}

// Whatever the phase, the tick lands kClockTickMarginMs into the second
// after the present one, as the watch counts seconds.
TEST(ClockTimer, EveryPhaseLandsInTheWatchsNextSecond) {
    const DateTime second = kDay + EncodeTime(6, 30, 15, 0);
    for (int ms = 0; ms < 1000; ms += 7) {
        const DateTime now = second + ms / 86'400'000.0;
        const DateTime due = now + ClockTimerDelayMs(now) / 86'400'000.0;
        EXPECT_EQ(ClockSecondOf(due), ClockSecondOf(now) + 1) << ms;
        EXPECT_EQ(DecodeTime(due).millisecond, kClockTickMarginMs) << ms;
    }
}

}  // namespace
}  // namespace waktuna
