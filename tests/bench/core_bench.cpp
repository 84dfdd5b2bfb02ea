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

// Arguments: the time format (0 "HH:mm", 1 "HH:mm:ss") and the sun (0 the
// Fourier model, 1 the precise sun). A century must stay under 100 ms.
static void BM_PrayerTimesAndTexts(benchmark::State& state) {
    CalcSettings place = JakartaCalc();
    place.precise_sun = state.range(1) != 0;
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
BENCHMARK(BM_PrayerTimesAndTexts)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The calculation alone, a day at a time: the precise sun may cost at most
// twice the Fourier model. Argument: 0 Fourier, 1 precise.
static void BM_OneDay(benchmark::State& state) {
    CalcSettings place = JakartaCalc();
    place.precise_sun = state.range(0) != 0;
    const CoreSettings core;
    DateTime day = EncodeDate(2024, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculatePrayerTimes(place, day, core));
        day = day < EncodeDate(2025, 1, 1) ? day + 1 : EncodeDate(2024, 1, 1);
    }
}
BENCHMARK(BM_OneDay)->Arg(0)->Arg(1);

static void BM_ConvertCalendar(benchmark::State& state) {
    const DateTime first = EncodeDate(2000, 1, 1);
    for (auto _ : state) {
        for (int i = 0; i < kDays; ++i) {
            const Ymd g = DecodeDate(first + i);
            benchmark::DoNotOptimize(ConvertCalendar(Conversion::WesternToHijri, g.year, g.month, g.day, 0));
        }
    }
    state.counters["ns_per_day"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kDays,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConvertCalendar)->Unit(benchmark::kMillisecond);
