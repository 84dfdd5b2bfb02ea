// The watch's cost: one tick with fifty tasks in today's list, and a whole
// simulated day of ticks (all alerts on, the drop zone showing the countdown).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "quiet_desktop.h"
#include "waktuna/watch/watch.h"

using namespace waktuna;

namespace {

struct Setup {
    SettableClock clock;
    QuietDesktop desktop;
    MemorySettingsStore key;
    Watch watch{desktop, clock, &key};

    Setup() {
        MainSettings m = StartSettings();
        m.calc.area = "Jakarta";
        m.calc.latitude = "-6.175";
        m.calc.longitude = "106.8272";
        m.calc.time_zone = 7;
        m.calc.gd = 20;
        m.calc.gn = 18;
        m.dz_remaining = true;
        m.alerts = AlertSettings{10, 5, 1, 1, 1, 0, 15, 30, 0.5, 1};
        WriteDword(key, "UseDua", 1);
        // Fifty daily commands spread over the day.
        const std::string path = (std::filesystem::temp_directory_path() / "waktuna_bench_tasks.dat").string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (int k = 0; k < 50; ++k) {
            out << "task|5|1|" << FormatTime((k * 1728 + 7) / 86400.0, kFormatHHmmss) << "|-1|0|0|cmd"
                << k << "\r\n";
        }
        out.close();
        clock.now = EncodeDate(2009, 3, 21) + EncodeTime(0, 0, 0, 500);
        watch.Start();
        watch.SetSettings(m);
        watch.SetTaskFile(path);
        watch.RecomputeTimes();
        watch.LoadTodayTasks();
    }
    void Tick() {
        clock.now += 1.0 / 86400;
        watch.OnClockTick();
    }
};

}  // namespace

static void BM_WatchTick(benchmark::State& state) {
    Setup s;
    if (s.watch.TodayTasks().size() != 50) state.SkipWithError("task file not read");
    for (auto _ : state) s.Tick();
    benchmark::DoNotOptimize(s.desktop.tip);
}
BENCHMARK(BM_WatchTick);

static void BM_WatchDay(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Setup s;
        state.ResumeTiming();
        for (int i = 0; i < 86400; ++i) s.Tick();
        benchmark::DoNotOptimize(s.desktop.tip);
    }
}
BENCHMARK(BM_WatchDay)->Unit(benchmark::kMillisecond);
