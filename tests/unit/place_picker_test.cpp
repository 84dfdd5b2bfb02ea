#include "waktuna/pages/place_picker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(PlacePicker, TheChosenPlaceIsTheRowAsShown) {
    PlaceList list;
    list.ShowSection({{"Bandung", -6.92222f, 107.60694f}, {"", 1, 2}}, kSectionCoordinateWidth);
    const std::optional<ChosenPlace> chosen = list.Chosen(0);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "Bandung");
    EXPECT_EQ(chosen->latitude, "-6.9222");
    EXPECT_EQ(chosen->longitude, "107.606");
    // Nothing from a row without a name, past the end or an empty list.
    EXPECT_FALSE(list.Chosen(1));
    EXPECT_FALSE(list.Chosen(2));
    list.Clear();
    EXPECT_FALSE(list.Chosen(0));
}
