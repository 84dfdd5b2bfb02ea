// A century-long timetable (36,525 days), the longest a user is likely to
// ask for: rendered into a stream that keeps nothing, and written to a file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "example_place.h"
#include "waktuna/files/files.h"
#include "waktuna/files/tzif.h"
#include "waktuna/schedule/chart.h"
#include "waktuna/schedule/schedule.h"

using namespace waktuna;

namespace {

ScheduleRequest Century(ScheduleFormat format) {
    ScheduleRequest r;
    r.first = EncodeDate(2000, 1, 1);
    r.last = r.first + 36524;
    r.format = format;
    r.calc = JakartaCalc();
    r.area = "Jakarta";
    r.html_template = ReadWholeFile(WAKTUNA_SOURCE_DIR "/dist/jadwal.tpl").value_or("");
    return r;
}

struct Discard : std::streambuf {
    int64_t bytes = 0;
    int overflow(int c) override {
        ++bytes;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += n;
        return n;
    }
};

}  // namespace

static void BM_ScheduleCenturyRender(benchmark::State& state) {
    const auto request = Century(static_cast<ScheduleFormat>(state.range(0)));
    const LanguageList english = BuiltInEnglish();
    int64_t bytes = 0;
    for (auto _ : state) {
        Discard sink;
        std::ostream out(&sink);
        benchmark::DoNotOptimize(RenderSchedule(request, english, out));
        bytes = sink.bytes;
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ScheduleCenturyRender)
    ->ArgName("format")  // 0 HTML, 2 CSV, 3 iCalendar
    ->Arg(static_cast<int>(ScheduleFormat::Html))
    ->Arg(static_cast<int>(ScheduleFormat::Csv))
    ->Arg(static_cast<int>(ScheduleFormat::Ics))
    ->Unit(benchmark::kMillisecond);

// The same with each day's offset taken from a zone with daylight saving.
static void BM_ScheduleCenturyRenderLondonZone(benchmark::State& state) {
    auto request = Century(static_cast<ScheduleFormat>(state.range(0)));
    const LoadedZone london = LoadZone("Europe/London");
    if (!london.zone) {
        state.SkipWithError(london.error.c_str());
        return;
    }
    request.zone = &*london.zone;
    request.created = 1796720000;
    const LanguageList english = BuiltInEnglish();
    for (auto _ : state) {
        Discard sink;
        std::ostream out(&sink);
        benchmark::DoNotOptimize(RenderSchedule(request, english, out));
    }
}
BENCHMARK(BM_ScheduleCenturyRenderLondonZone)
    ->ArgName("format")
    ->Arg(static_cast<int>(ScheduleFormat::Csv))
    ->Arg(static_cast<int>(ScheduleFormat::Ics))
    ->Unit(benchmark::kMillisecond);

static void BM_ScheduleCenturyFile(benchmark::State& state) {
    const auto request = Century(static_cast<ScheduleFormat>(state.range(0)));
    const LanguageList english = BuiltInEnglish();
    const std::string file =
        (std::filesystem::temp_directory_path() / "waktuna-bench-schedule.out").string();
    for (auto _ : state) {
        if (!WriteSchedule(request, english, file).ok) state.SkipWithError("cannot write");
    }
    std::remove(file.c_str());
}
BENCHMARK(BM_ScheduleCenturyFile)
    ->ArgName("format")
    ->Arg(static_cast<int>(ScheduleFormat::Html))
    ->Arg(static_cast<int>(ScheduleFormat::Csv))
    ->Arg(static_cast<int>(ScheduleFormat::Ics))
    ->Unit(benchmark::kMillisecond);

// The year chart of one year (the target: under 5 ms), with Imsak, at a
// fixed offset and following London's daylight saving; and ten years, the
// most a chart shows.
static void BM_YearChart(benchmark::State& state) {
    ScheduleRequest request = Century(ScheduleFormat::Svg);
    request.last = request.first + (state.range(0) == 10 ? 3652 : 365);
    request.core.imsak_minutes = 10;
    const LoadedZone london = LoadZone("Europe/London");
    if (state.range(1) == 1) {
        if (!london.zone) {
            state.SkipWithError(london.error.c_str());
            return;
        }
        request.zone = &*london.zone;
    }
    const LanguageList english = BuiltInEnglish();
    for (auto _ : state) benchmark::DoNotOptimize(RenderChart(request, english, ChartUse::Alone));
}
BENCHMARK(BM_YearChart)
    ->ArgNames({"years", "london"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond);
