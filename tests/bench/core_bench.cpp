// A century of days: the schedule maker calls the calculation once a day of
// its range, so this is what a long timetable costs.
#include <benchmark/benchmark.h>

#include "example_place.h"
#include "waktuna/calc/calendar.h"
#include "waktuna/calc/prayer.h"

using namespace waktuna;

namespace {
constexpr int kDays = 36525;
}  // namespace

static void BM_PrayerTimesAndTexts(benchmark::State& state) {
    const CalcSettings place = JakartaCalc();
    CoreSettings core;
    core.time_format = std::string(state.range(0) ? kFormatHHmmss : kFormatHHmm);
    const DateTime first = EncodeDate(2000, 1, 1);
    for (auto _ : state) {
        for (int i = 0; i < kDays; ++i) {
            const auto times = CalculatePrayerTimes(place, first + i, core);
            auto texts = FormatPrayerTimes(times, core.time_format);
            benchmark::DoNotOptimize(texts);
        }
    }
    state.counters["ns_per_day"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kDays,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrayerTimesAndTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_ConvertCalendar(benchmark::State& state) {
    const DateTime first = EncodeDate(2000, 1, 1);
    for (auto _ : state) {
        for (int i = 0; i < kDays; ++i) {
            const Ymd g = DecodeDate(first + i);
            benchmark::DoNotOptimize(ConvertCalendar(false, g.year, g.month, g.day, 0));
        }
    }
    state.counters["ns_per_day"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kDays,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConvertCalendar)->Unit(benchmark::kMillisecond);
