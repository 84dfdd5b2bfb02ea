// The watch driven by any settings file: the values are imported into the
// key as the program would import them, and the watch ticks through the
// seconds its rules look at (each time of the day, the reminders before and
// after it, the delayed power action, the Friday reminder, midnight) and
// through jumps of the clock read from the input. Nothing may crash, and the
// countdown must name something on every tick.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "quiet_desktop.h"
#include "waktuna/settings/settings_file.h"
#include "waktuna/watch/watch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MemorySettingsStore key;
    ImportSettingsText(text, key);
    SettableClock clock;
    QuietDesktop desktop;
    Watch watch(desktop, clock, &key);
    const DateTime day = EncodeDate(2024, 1 + static_cast<int>(size % 12), 1 + static_cast<int>(size % 28));
    clock.now = day + 0.5 / 86400;
    watch.Start();
    watch.SetSettings(ReadMainSettings(key));
    watch.RecomputeTimes();

    const AlertSettings a = ReadAlertSettings(key);
    const auto around = [&](double second) {
        clock.now = day + (second - 1.5) / 86400;
        for (int i = 0; i < 3; ++i) {
            clock.AdvanceMs(1000);
            desktop.tip.clear();
            watch.OnClockTick();
            if (desktop.tip.empty()) std::abort();
        }
    };
    for (DateTime t : watch.TodayTimes()) {
        if (IsMissing(t)) continue;
        const double at = *SecondOfDay(t);
        for (double offset : {0.0, -60.0 * a.message1, 60.0 * a.message2, 60.0 * a.m_time_shutdown}) {
            around(at + offset);
        }
    }
    if (!IsMissing(a.m_jumat)) around(SecondOfDay(a.m_jumat).value_or(0));
    around(86400);
    // Jumps forward and back by the input's last bytes.
    for (size_t i = size > 16 ? size - 16 : 0; i < size; ++i) {
        clock.AdvanceMs((static_cast<int>(data[i]) - 100) * 997);
        watch.OnClockTick();
    }
    return 0;
}
