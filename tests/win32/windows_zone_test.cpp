// The system's time-zone rules behind the core's zone seam, under Wine's
// copy of the Windows zone list.
#include <gtest/gtest.h>

#include "win/windows_zone.h"

using namespace app;
using namespace waktuna;

namespace {

float Hours(const ZoneRule& zone, int y, int m, int d) {
    return ZoneHoursOfDate(zone, EncodeDate(y, m, d)).value_or(-99.0f);
}

}  // namespace

// The days on either side of the 2025 and 2026 switches, by the Windows names.
TEST(WindowsZone, NamedZonesSwitchOnTheirDays) {
    const auto london = WindowsZone::Named("GMT Standard Time");
    ASSERT_NE(london, nullptr);
    EXPECT_EQ(london->Name(), "GMT Standard Time");
    EXPECT_EQ(Hours(*london, 2025, 3, 29), 0.0f);
    EXPECT_EQ(Hours(*london, 2025, 3, 30), 1.0f);
    EXPECT_EQ(Hours(*london, 2026, 10, 24), 1.0f);
    EXPECT_EQ(Hours(*london, 2026, 10, 25), 0.0f);
    const auto sydney = WindowsZone::Named("aus eastern standard time");  // any letter case
    ASSERT_NE(sydney, nullptr);
    EXPECT_EQ(Hours(*sydney, 2026, 4, 4), 11.0f);
    EXPECT_EQ(Hours(*sydney, 2026, 4, 5), 10.0f);
    EXPECT_EQ(Hours(*sydney, 2026, 10, 3), 10.0f);
    EXPECT_EQ(Hours(*sydney, 2026, 10, 4), 11.0f);
    const auto jakarta = WindowsZone::Named("SE Asia Standard Time");
    ASSERT_NE(jakarta, nullptr);
    EXPECT_EQ(Hours(*jakarta, 2026, 1, 1), 7.0f);
    EXPECT_EQ(Hours(*jakarta, 2026, 7, 1), 7.0f);

    EXPECT_EQ(WindowsZone::Named("No Such Standard Time"), nullptr);
    EXPECT_EQ(WindowsZone::Named("GMT Standard Time\\Dynamic DST"), nullptr);
    EXPECT_EQ(WindowsZone::Named(""), nullptr);
}

// The zone Windows is set to: its offset today is the one the clock shows.
TEST(WindowsZone, CurrentZoneIsTheClocksOffset) {
    const auto zone = WindowsZone::Current();
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    FILETIME l, u;
    SystemTimeToFileTime(&local, &l);
    SystemTimeToFileTime(&utc, &u);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<int64_t>(static_cast<uint64_t>(f.dwHighDateTime) << 32 | f.dwLowDateTime);
    };
    const int64_t minutes = (ticks(l) - ticks(u) + 300000000) / 600000000;  // to the nearest minute
    const DateTime today = EncodeDate(local.wYear, local.wMonth, local.wDay);
    const auto offset = ZoneOffsetOfDate(*zone, today);
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(*offset, minutes * 60);
}
