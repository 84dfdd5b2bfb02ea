// Searching the shipped place-name files (171,075 places) as the user types:
// building the index once, then one search per keystroke.
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
        if (index.Size() != 171075) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PlaceIndexReadAllFiles)->Unit(benchmark::kMillisecond);

// Each iteration types "Bandung" one letter at a time: seven searches, the
// first of which ("B") finds over ten thousand places.
static void BM_PlaceSearchTypingBandung(benchmark::State& state) {
    static const PlaceIndex index = ReadAll();
    const std::string word = "Bandung";
    size_t found = 0;
    for (auto _ : state) {
        for (size_t n = 1; n <= word.size(); ++n) found += index.Find(word.substr(0, n)).size();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * word.size()));
}
BENCHMARK(BM_PlaceSearchTypingBandung)->Unit(benchmark::kMicrosecond);
