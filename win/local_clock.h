// The clock of the Windows program: the local time as Windows keeps it now
// (GetLocalTime), so a change of time zone or daylight saving while the
// program runs moves the alerts at once.
#pragma once

#include <windows.h>

#include "waktuna/calc/datetime.h"

namespace app {

class LocalClock final : public waktuna::Clock {
public:
    waktuna::DateTime Now() const override {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return waktuna::EncodeDate(t.wYear, t.wMonth, t.wDay) +
               waktuna::EncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    }
};

}  // namespace app
