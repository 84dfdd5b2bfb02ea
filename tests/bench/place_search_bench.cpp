// Searching the shipped place-name files (230,368 places and their other
// names) as the user types: building the index once with the detail files,
// then one search per keystroke, the places found ranked by population.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "waktuna/files/place_search.h"

using namespace waktuna;

namespace {

PlaceIndex ReadAll() {
    PlaceIndex index;
    const std::filesystem::path folder = std::filesystem::path(WAKTUNA_SOURCE_DIR) / "dist/Placenames";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".wpn")
            index.AddFile(entry.path().stem().string(), entry.path().string());
    }
    return index;
}

}  // namespace

static void BM_PlaceIndexReadAllFiles(benchmark::State& state) {
    for (auto _ : state) {
        const PlaceIndex index = ReadAll();
        if (index.Size() != 230368) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PlaceIndexReadAllFiles)->Unit(benchmark::kMillisecond);

// Each iteration types a word one letter at a time, one search a letter;
// the first letter finds the most places ("B" 21,821; "S" 32,671, the most
// of any letter). The time per item is the time of one keystroke.
static void TypeWord(benchmark::State& state, const std::string& word) {
    static const PlaceIndex index = ReadAll();
    size_t found = 0;
    for (auto _ : state) {
        for (size_t n = 1; n <= word.size(); ++n) found += index.Find(word.substr(0, n)).size();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * word.size()));
}
BENCHMARK_CAPTURE(TypeWord, Bandung, std::string("Bandung"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypeWord, Bombay, std::string("Bombay"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypeWord, SanJose, std::string("San Jose"))->Unit(benchmark::kMicrosecond);

// The worst single keystroke: the first letter that finds the most places.
static void BM_PlaceSearchFirstLetterS(benchmark::State& state) {
    static const PlaceIndex index = ReadAll();
    for (auto _ : state) benchmark::DoNotOptimize(index.Find("S"));
}
BENCHMARK(BM_PlaceSearchFirstLetterS)->Unit(benchmark::kMillisecond);
