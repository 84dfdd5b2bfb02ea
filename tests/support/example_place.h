// The example place of tests and benchmarks: Jakarta, latitude -6.175,
// longitude 106.8272, 8 m, UTC+7, Fajr 20, Isha 18, Syafi'i.
#pragma once

#include "waktuna/calc/prayer.h"

inline waktuna::CalcSettings JakartaCalc() {
    waktuna::CalcSettings c;
    c.altitude = 8;
    c.syafii = true;
    c.time_zone = 7;
    c.fajr_angle = 20;
    c.isha_angle = 18;
    c.latitude = -6.175f;
    c.longitude = 106.8272f;
    return c;
}
