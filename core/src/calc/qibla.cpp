#include "waktuna/calc/qibla.h"

#include <cmath>
#include <numbers>

#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {
constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kKaabaLatitudeRad = 0.3739076452412768;  // 21.42333 degrees
constexpr double kKaabaLongitude = 39.823333;
}  // namespace

float QiblaDirection(float latitude, float longitude) {
    const double phi = latitude * kRad;
    const double dl = (kKaabaLongitude - longitude) * kRad;
    const float a = static_cast<float>(std::sin(dl));
    const float b = static_cast<float>(std::cos(phi) * std::tan(kKaabaLatitudeRad));
    const float c = static_cast<float>(std::sin(phi) * std::cos(dl));
    float q = static_cast<float>(std::atan2(static_cast<double>(a), static_cast<double>(b) - c) /
                                 kRad);
    if (q < 0) q += 360.0f;
    if (q >= 360.0f) q = 0.0f;  // -tiny + 360 rounds up to 360 in 32 bits
    return q;
}

double EastWestAngle(double q) {
    if (q < 90) return 90 - q;
    if (q < 180) return q - 90;
    if (q < 270) return 270 - q;
    return q - 270;
}

std::string QiblaAngleText(double degrees) {
    return DecimalText(degrees).substr(0, 7) + '\xBA';
}

QiblaCompass BuildQiblaCompass(double q) {
    QiblaCompass c;
    const double r = q * kRad;
    c.direction_end = {50 + static_cast<int>(std::nearbyint(50 * std::sin(r))),
                       50 - static_cast<int>(std::nearbyint(50 * std::cos(r)))};
    const Point north{50, 25};
    const Point east{70, 50};
    const Point west{20, 50};
    c.north_arc = {{25, 25, 75, 75}, c.direction_end, north};
    const Box blue{20, 20, 80, 80};
    if (q < 90)
        c.east_west_arc = {blue, east, c.direction_end};
    else if (q < 180)
        c.east_west_arc = {blue, c.direction_end, east};
    else if (q < 270)
        c.east_west_arc = {blue, west, c.direction_end};
    else
        c.east_west_arc = {blue, c.direction_end, west};
    return c;
}

}  // namespace waktuna
