#include "waktuna/files/place_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

using namespace waktuna;

namespace {

std::string Float(float f) {
    char b[4];
    std::memcpy(b, &f, 4);
    return std::string(b, 4);
}

// A place-name file of named sections, each a list of place names.
PlaceNameFile File(const std::vector<std::pair<std::string, std::vector<std::string>>>& sections) {
    std::string bytes("\xC7\x00", 2);
    bytes.append(12, '\0');
    bytes += static_cast<char>(sections.size());
    bytes += '\0';
    float lat = 1;
    for (const auto& [name, places] : sections) {
        bytes += '\xFA';
        bytes += static_cast<char>(name.size());
        bytes += name;
        for (const std::string& place : places) {
            bytes += static_cast<char>(place.size());
            bytes += place + Float(lat++) + Float(100);
        }
    }
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(bytes));
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
