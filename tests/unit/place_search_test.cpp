#include "waktuna/files/place_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "place_files.h"
#include "waktuna/files/lines.h"
#include "waktuna/pages/place_picker.h"

using namespace waktuna;

namespace {

// A place-name file of named sections, each a list of place names.
PlaceNameFile File(const test_places::Sections& sections) {
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(test_places::Wpn(sections)));
    return file;
}

std::vector<std::string> Found(const PlaceIndex& index, std::string_view prefix) {
    std::vector<std::string> names;
    for (uint32_t i : index.Find(prefix)) {
        const PlaceIndex::Entry& e = index.At(i);
        names.push_back(e.place.name + " (" + index.FileLabel(e) + "/" + index.SectionName(e) + ")");
    }
    return names;
}

}  // namespace

TEST(PlaceSearch, StartOfNameAcrossFilesIgnoringCaseAndAccents) {
    PlaceIndex index;
    PlaceNameFile asia = File({{"Indonesia", {"Bandung", "Bogor", "Bandar Lampung"}},
                               {"Saudi Arabia", {"Makkah", "Madinah"}}});
    PlaceNameFile america = File({{"Colombia", {"Bogot\xE1", "Barranquilla"}},
                                  {"United States", {"Mecca", "BANDERA", "Band"}}});
    index.AddFile("Asia", asia);
    index.AddFile("America", america);
    ASSERT_EQ(index.Size(), 10u);

    // Alphabetical across both files, whatever the case.
    EXPECT_EQ(Found(index, "band"),
              (std::vector<std::string>{"Band (America/United States)",
                                        "Bandar Lampung (Asia/Indonesia)",
                                        "BANDERA (America/United States)",
                                        "Bandung (Asia/Indonesia)"}));
    EXPECT_EQ(Found(index, "BANDU"), std::vector<std::string>{"Bandung (Asia/Indonesia)"});
    // An accent typed or not finds the same places.
    EXPECT_EQ(Found(index, "bogota"), std::vector<std::string>{"Bogot\xE1 (America/Colombia)"});
    EXPECT_EQ(Found(index, "BOGOT\xC1"), std::vector<std::string>{"Bogot\xE1 (America/Colombia)"});
    EXPECT_EQ(Found(index, "M").size(), 3u);
    // Only the start of a name counts; nothing for an empty or unknown text.
    EXPECT_TRUE(Found(index, "ung").empty());
    EXPECT_TRUE(Found(index, "Bandungan").empty());
    EXPECT_TRUE(Found(index, "").empty());
    EXPECT_TRUE(Found(index, "zzz").empty());
    // The place keeps its coordinates.
    EXPECT_EQ(index.At(index.Find("Makkah").at(0)).place.latitude, 4.0f);
}

TEST(PlaceSearch, FoldKeepsLengthAndNonLetters) {
    EXPECT_EQ(FoldPlaceName("\xC5r\xF8s \x8A\x9E\xDF-\xD7\xF7"), "aros sz" "s-\xD7\xF7");
    EXPECT_EQ(FoldPlaceName("Sant Juli\xE0 de L\xF2ria"), "sant julia de loria");
}

TEST(PlaceSearch, OtherNamesFindAPlaceOnceRankedByPopulation) {
    const test_places::MeccaFiles f;
    const auto details = ReadPlaceDetails(f.Details(PlaceFileChecksum(f.wpn)), f.wpn, 2, 3);
    ASSERT_TRUE(details);
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(f.wpn));
    PlaceIndex index;
    index.AddFile("World", file, &*details);
    EXPECT_EQ(Found(index, "makkah"), std::vector<std::string>{"Mecca (World/Saudi Arabia)"});
    // Mecca (found by "Mecca" and "Mekka") once; the cities before the town.
    EXPECT_EQ(Found(index, "Me"),
              (std::vector<std::string>{"Mecca (World/Saudi Arabia)", "Medina (World/Saudi Arabia)",
                                        "Mecca (World/United States)"}));
    EXPECT_EQ(Found(index, "Meka"), std::vector<std::string>{"Mecca (World/United States)"});
    const PlaceIndex::Entry& us = index.At(index.Find("Meka").at(0));
    EXPECT_EQ(index.Region(us), "California");
    EXPECT_EQ(index.Country(us), "United States");

    // Choosing fills altitude and time zone, from a search and from a section.
    PlaceList list;
    list.ShowFound(index, index.Find("Me"));
    const struct {
        size_t row;
        const char *altitude, *zone;
    } rows[] = {{0, "333", "3"}, {1, "0", "3"}, {2, "-57", "-8"}};
    for (const auto& r : rows) {
        const std::optional<ChosenPlace> chosen = list.Chosen(r.row);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(chosen->altitude, r.altitude) << r.row;
        EXPECT_EQ(chosen->time_zone, r.zone) << r.row;
    }
    list.ShowSection(file.ReadSection(1), kSectionCoordinateWidth, &index, "World", 1);
    EXPECT_EQ(list.Chosen(0)->altitude, "-57");
    // A section the index does not hold as shown gives no details.
    list.ShowSection(file.ReadSection(0), kSectionCoordinateWidth, &index, "World", 1);
    EXPECT_EQ(list.Chosen(0)->altitude, "0");
    EXPECT_FALSE(list.Chosen(0)->time_zone);
    // Values the prayer-times page would refuse: the altitude kept at its
    // bound, the zone left out.
    PlaceDetailsTable odd = *details;
    odd.places[2].elevation = -800;
    odd.zones[1].standard_minutes = 15 * 60;
    PlaceIndex odd_index;
    odd_index.AddFile("World", file, &odd);
    list.ShowFound(odd_index, odd_index.Find("Meka"));
    EXPECT_EQ(list.Chosen(0)->altitude, "-500");
    EXPECT_FALSE(list.Chosen(0)->time_zone);
    EXPECT_EQ(ZoneHoursText(330), "5.5");
    EXPECT_EQ(ZoneHoursText(-210), "-3.5");
}

TEST(PlaceSearch, ADamagedDetailsFileLeavesThePlacesFoundByName) {
    const test_places::MeccaFiles f;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "waktuna-wpd-test";
    std::filesystem::create_directories(dir);
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const std::string good = f.Details(PlaceFileChecksum(f.wpn));
    write("Good.wpd", good);
    write("Bad.wpd", good.substr(0, good.size() - 1));
    PlaceIndex index;
    EXPECT_TRUE(index.AddFile("Good", write("Good.wpn", f.wpn)));
    EXPECT_TRUE(index.AddFile("Bad", write("Bad.wpn", f.wpn)));
    EXPECT_TRUE(index.AddFile("Own", write("Own.wpn", f.wpn)));  // no .wpd: not damaged
    std::filesystem::remove_all(dir);

    EXPECT_EQ(index.DamagedDetails(), std::vector<std::string>{"Bad"});
    // Told in the user's language, the damaged files named after the line.
    std::vector<std::string> lines(kLineDamagedPlaceDetails, "x");
    lines.back() = "Rincian tempat rusak:";
    EXPECT_EQ(DamagedDetailsNotice(index, LanguageList(lines)), "Rincian tempat rusak: Bad");
    EXPECT_EQ(DamagedDetailsNotice(index, BuiltInEnglish()).find(
                  "The place details (elevation, time zone, other names)"), 0u);
    EXPECT_EQ(Found(index, "Makkah"), std::vector<std::string>{"Mecca (Good/Saudi Arabia)"});
    EXPECT_EQ(Found(index, "Medina").size(), 3u);
    EXPECT_FALSE(index.Elevation(index.At(index.Find("Medina").at(0))));
}
