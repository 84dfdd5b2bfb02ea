// The place-name files shipped beside the program, read through our own
// reader: every place is there, and a few known places sit where they should.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "waktuna/files/place_search.h"

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
    EXPECT_EQ(files, 20u);
    EXPECT_EQ(places, 171075u);
    EXPECT_EQ(AllPlaces().Size(), 171075u);
}

TEST(PlaceNamesData, KnownPlaces) {
    struct Known {
        const char *name, *file, *section;
        float latitude, longitude;
    };
    const Known known[] = {
        {"Jakarta", "Indonesia", "Jakarta", -6.21462f, 106.84513f},
        {"Bandung", "Indonesia", "West Java", -6.92222f, 107.60694f},
        {"Makkah", "Asia", "Saudi Arabia", 21.42664f, 39.82563f},
        {"Mecca", "United States", "California", 33.57219f, -116.0782f},
        {"Z\xFCrich", "Europe", "Switzerland", 47.36667f, 8.55f},
        // Letters outside Windows-1252 are spelled with Latin ones.
        {"Gdansk", "Europe", "Poland", 54.35227f, 18.64912f},
    };
    for (const Known& k : known) {
        const PlaceIndex::Entry* e = Lookup(k.name, k.file, k.section);
        ASSERT_NE(e, nullptr) << k.name;
        EXPECT_EQ(e->place.latitude, k.latitude) << k.name;
        EXPECT_EQ(e->place.longitude, k.longitude) << k.name;
    }
    // The name Bandung is found across files by its start, in any case.
    EXPECT_GE(AllPlaces().Find("bandun").size(), 2u);
}
