#include "waktuna/pages/place_picker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

using namespace waktuna;

namespace {

std::vector<std::string> Column(const PlaceList& list, PlaceList::Column c) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < list.Size(); ++i) texts.push_back(list.Text(i, c));
    return texts;
}

}  // namespace

TEST(PlacePicker, SortingByAColumnAndAgainReverses) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    PlaceList list;
    list.ShowSection({{"bekasi", -6.2349f, 106.9896f},
                      {"Bandung", -6.9f, 107.6f},
                      {"\xC9toile", 10.5f, -9.75f},
                      {"Damaged", nan, nan},
                      {"Aceh", 4.5f, 96.75f}},
                     kFirstLoadCoordinateWidth);
    list.SortBy(PlaceList::kName);
    EXPECT_EQ(Column(list, PlaceList::kName),
              (std::vector<std::string>{"Aceh", "Bandung", "bekasi", "Damaged", "\xC9toile"}));
    list.SortBy(PlaceList::kName);
    EXPECT_EQ(list.Text(0, PlaceList::kName), "\xC9toile");
    // Coordinates by value, not as text ("-6.9" after "-6.23"), the damaged
    // value first.
    list.SortBy(PlaceList::kLatitude);
    EXPECT_EQ(Column(list, PlaceList::kLatitude),
              (std::vector<std::string>{"NAN", "-6.90000", "-6.23489", "4.5", "10.5"}));
    list.SortBy(PlaceList::kLongitude);
    list.SortBy(PlaceList::kLongitude);
    EXPECT_EQ(list.Text(0, PlaceList::kName), "Bandung");
    // A new section starts unsorted, with its own width.
    list.ShowSection({{"Medan", 3.5833f, 98.6667f}}, kSectionCoordinateWidth);
    list.SortBy(PlaceList::kLatitude);
    EXPECT_EQ(list.Text(0, PlaceList::kLatitude), "3.58330");
}

TEST(PlacePicker, FoundPlacesAndTheChosenOne) {
    const std::string bytes = std::string("\xC7\x00", 2) + std::string(12, '\0') + "\x01" +
                              std::string(1, '\0') + "\xFA\x09West Java" + "\x07" + "Bandung" +
                              std::string("\xD4\x82\xDD\xC0\xC1\x36\xD7\x42", 8);
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(bytes));
    PlaceIndex index;
    index.AddFile("Indonesia", file);

    PlaceList list;
    list.ShowFound(index, index.Find("band"));
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_TRUE(list.ShowsFound());
    EXPECT_EQ(list.Text(0, PlaceList::kRegion), "Indonesia / West Java");
    const std::optional<ChosenPlace> chosen = list.Chosen(0);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "Bandung");
    EXPECT_EQ(chosen->latitude, "-6.9222");  // -6.92222 in 32 bits, cut to 7
    EXPECT_EQ(chosen->longitude, "107.606");
    EXPECT_FALSE(list.Chosen(1));

    // Nothing is chosen from an empty list or a row without a name.
    list.ShowSection({{"", 1, 2}}, kSectionCoordinateWidth);
    EXPECT_FALSE(list.ShowsFound());
    EXPECT_FALSE(list.Chosen(0));
    list.Clear();
    EXPECT_FALSE(list.Chosen(0));
    EXPECT_EQ(PlaceCountText("Total Place names", 0), " Total Place names : 0");
}

TEST(PlacePicker, FilesOfTheFolder) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "waktuna_wpn";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "sub.wpn");
    for (const char* name : {"Europe.wpn", "asia.WPN", "notes.txt", "Indonesia.wpn"})
        std::ofstream(dir / name) << "x";
    EXPECT_EQ(ListPlaceFiles(dir.string()), (std::vector<std::string>{"asia", "Europe", "Indonesia"}));
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(ListPlaceFiles(dir.string()).empty());
}
