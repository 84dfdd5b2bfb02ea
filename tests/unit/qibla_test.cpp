#include "waktuna/calc/qibla.h"

#include <gtest/gtest.h>

using namespace waktuna;

TEST(Qibla, KnownPlaces) {
    const double jakarta = QiblaDirection(-6.175f, 106.8272f);
    EXPECT_NEAR(jakarta, 295.14608764, 1e-6);
    EXPECT_NEAR(EastWestAngle(jakarta), 25.146, 1e-3);
    EXPECT_EQ(QiblaAngleText(jakarta), "295.146\xBA");
    EXPECT_EQ(QiblaAngleText(EastWestAngle(jakarta)), "25.1460\xBA");

    const double london = QiblaDirection(51.5f, -0.1f);
    EXPECT_NEAR(london, 119.01, 0.01);
    EXPECT_NEAR(EastWestAngle(london), 29.01, 0.01);
    const double tehran = QiblaDirection(35.7f, 51.4f);
    EXPECT_NEAR(tehran, 218.42, 0.01);
    EXPECT_NEAR(EastWestAngle(tehran), 51.58, 0.01);
    EXPECT_NEAR(QiblaDirection(0, 0), 58.51, 0.01);
}

TEST(Qibla, OnTheKaabasMeridian) {
    EXPECT_FLOAT_EQ(QiblaDirection(50.0f, 39.823333f), 180.0f);
    EXPECT_FLOAT_EQ(QiblaDirection(-10.0f, 39.823333f), 0.0f);
}

TEST(Qibla, BearingAlwaysInRange) {
    for (float lat = -89.5f; lat < 90; lat += 7.25f) {
        for (float lon = -180; lon <= 180; lon += 3.5f) {
            const float q = QiblaDirection(lat, lon);
            ASSERT_GE(q, 0.0f);
            ASSERT_LT(q, 360.0f);
            const double e = EastWestAngle(q);
            ASSERT_GE(e, 0.0);
            ASSERT_LE(e, 90.0);
        }
    }
}

TEST(Qibla, EastWestAngleInEachQuadrant) {
    EXPECT_DOUBLE_EQ(EastWestAngle(30), 60);
    EXPECT_DOUBLE_EQ(EastWestAngle(90), 0);
    EXPECT_DOUBLE_EQ(EastWestAngle(120), 30);
    EXPECT_DOUBLE_EQ(EastWestAngle(200), 70);
    EXPECT_DOUBLE_EQ(EastWestAngle(300), 30);
}

TEST(QiblaCompass, DirectionLineAndArcs) {
    // Jakarta points up-left; its blue arc runs from the line to the west.
    const auto j = BuildQiblaCompass(QiblaDirection(-6.175f, 106.8272f));
    EXPECT_EQ(j.direction_end, (Point{5, 29}));
    EXPECT_EQ(j.north_arc.box, (Box{25, 25, 75, 75}));
    EXPECT_EQ(j.north_arc.start, j.direction_end);
    EXPECT_EQ(j.north_arc.end, (Point{50, 25}));
    EXPECT_EQ(j.east_west_arc.box, (Box{20, 20, 80, 80}));
    EXPECT_EQ(j.east_west_arc.start, j.direction_end);
    EXPECT_EQ(j.east_west_arc.end, (Point{20, 50}));

    const auto first = BuildQiblaCompass(45);  // from east to the line
    EXPECT_EQ(first.direction_end, (Point{85, 15}));
    EXPECT_EQ(first.east_west_arc.start, (Point{70, 50}));
    EXPECT_EQ(first.east_west_arc.end, first.direction_end);

    const auto london = BuildQiblaCompass(QiblaDirection(51.5f, -0.1f));  // from the line to east
    EXPECT_EQ(london.direction_end, (Point{94, 74}));
    EXPECT_EQ(london.east_west_arc.start, london.direction_end);
    EXPECT_EQ(london.east_west_arc.end, (Point{70, 50}));

    const auto third = BuildQiblaCompass(218.42);  // from west to the line
    EXPECT_EQ(third.east_west_arc.start, (Point{20, 50}));
    EXPECT_EQ(third.east_west_arc.end, third.direction_end);

    EXPECT_EQ(BuildQiblaCompass(0).direction_end, (Point{50, 0}));
    EXPECT_EQ(BuildQiblaCompass(180).direction_end, (Point{50, 100}));
    EXPECT_EQ(BuildQiblaCompass(90).direction_end, (Point{100, 50}));
}
