// Place-name files of a country's size: the first load of a file whose first
// section holds 100,000 places, and choosing a section of 50,000. With the
// argument 1 each place's two coordinate texts (as the window shows them)
// are made too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "waktuna/files/places.h"

using namespace waktuna;

namespace {

void AppendFloat(std::string& out, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    for (int i = 0; i < 4; ++i) out += static_cast<char>(bits >> (8 * i) & 0xFF);
}

void AppendSection(std::string& out, const std::string& name, int places) {
    out += static_cast<char>(0xFA);
    out += static_cast<char>(name.size());
    out += name;
    for (int i = 0; i < places; ++i) {
        const std::string place = std::string("Kampung nomor ").append(std::to_string(i));
        out += static_cast<char>(place.size());
        out += place;
        AppendFloat(out, -6.0f - static_cast<float>(i % 1000) * 0.001f);
        AppendFloat(out, 106.0f + static_cast<float>(i % 997) * 0.001f);
    }
}

// A file on disk, as the window reads it: 100,000 places, then 50,000.
const std::string& BigFile() {
    static const std::string path = [] {
        std::string bytes("\xC7\x00", 2);
        bytes.append(12, '\0');
        bytes += '\x02';
        bytes += '\x00';
        AppendSection(bytes, "Jawa", 100000);
        AppendSection(bytes, "Sumatera", 50000);
        const std::string p =
            (std::filesystem::temp_directory_path() / "waktuna_bench.wpn").string();
        std::ofstream(p, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p;
    }();
    return path;
}

size_t Texts(const std::vector<Place>& places, size_t width) {
    size_t chars = 0;
    for (const Place& p : places) {
        chars += PlaceCoordinateText(p.latitude, width).size() +
                 PlaceCoordinateText(p.longitude, width).size();
    }
    return chars;
}

}  // namespace

static void BM_PlaceFileFirstLoad100k(benchmark::State& state) {
    const std::string& path = BigFile();
    for (auto _ : state) {
        PlaceNameFile file;
        file.Open(path);
        if (state.range(0))
            benchmark::DoNotOptimize(Texts(file.FirstSectionPlaces(), kFirstLoadCoordinateWidth));
        if (file.FirstSectionPlaces().size() != 100000) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PlaceFileFirstLoad100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_PlaceFileSection50k(benchmark::State& state) {
    PlaceNameFile file;
    file.Open(BigFile());
    for (auto _ : state) {
        const std::vector<Place> places = file.ReadSection(1);
        if (state.range(0)) benchmark::DoNotOptimize(Texts(places, kSectionCoordinateWidth));
        if (places.size() != 50000) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PlaceFileSection50k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
