// Direction of the Kaaba from a place, its texts and the compass picture's
// geometry (the window only draws what this describes).
#pragma once

#include <string>

namespace waktuna {

// Initial great-circle bearing from the place to the Kaaba, degrees clockwise
// from north in [0, 360).
float QiblaDirection(float latitude, float longitude);

// Angle between the direction and the nearer of east or west.
double EastWestAngle(double bearing);

// The decimal text cut to 7 characters, then "º" (Windows-1252 0xBA).
std::string QiblaAngleText(double degrees);

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// An arc on the ellipse of `box`, counter-clockwise from the radial through
// `start` to the radial through `end` (the GDI Arc convention).
struct ArcSpec {
    Box box;
    Point start;
    Point end;
};

// The 100 x 100 compass: centre (50, 50), north up.
struct QiblaCompass {
    static constexpr int kSize = 100;
    Point direction_end;  // red line from (50, 50) to here
    ArcSpec north_arc;    // red: from the direction to north
    ArcSpec east_west_arc;  // blue: between the east-west line and the direction
};

QiblaCompass BuildQiblaCompass(double bearing);

}  // namespace waktuna
