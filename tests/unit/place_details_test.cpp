#include "waktuna/files/place_details.h"

#include <gtest/gtest.h>

#include <functional>

#include "place_files.h"

using namespace waktuna;
using test_places::MeccaFiles;

namespace {

std::optional<PlaceDetailsTable> Read(const MeccaFiles& f, const std::string& wpd) {
    return ReadPlaceDetails(wpd, f.wpn, 2, 3);
}

}  // namespace

TEST(PlaceDetails, ReadsEachPlaceInFileOrder) {
    const MeccaFiles f;
    const auto t = Read(f, f.Details(PlaceFileChecksum(f.wpn)));
    ASSERT_TRUE(t);
    ASSERT_EQ(t->places.size(), 3u);
    ASSERT_EQ(t->zones.size(), 2u);
    EXPECT_EQ(t->zones[0].name, "Asia/Riyadh");
    EXPECT_EQ(t->zones[0].standard_minutes, 180);
    EXPECT_EQ(t->zones[1].standard_minutes, -480);
    EXPECT_EQ(t->section_country, (std::vector<uint16_t>{3, 4}));

    const PlaceDetails& mecca = t->places[0];
    EXPECT_EQ(mecca.elevation, 333);
    EXPECT_EQ(mecca.zone, 1);
    EXPECT_EQ(mecca.population, 1578722u);
    EXPECT_EQ(t->texts[mecca.region - 1], "Mecca Region");
    ASSERT_EQ(mecca.name_count, 2);
    EXPECT_EQ(t->names[mecca.first_name + 1], "Mekka");
    EXPECT_EQ(t->places[1].elevation, kNoElevation);  // 0: not known
    EXPECT_EQ(t->places[1].population, 1300000u);
    EXPECT_EQ(t->places[1].region, 0);
    EXPECT_EQ(t->places[2].elevation, -57);
    EXPECT_EQ(t->places[2].population, 8577u);
    EXPECT_EQ(t->names[t->places[2].first_name], "Meka");
}

TEST(PlaceDetails, DamagedOrForeignFilesAreRefusedWhole) {
    const MeccaFiles good;
    const uint32_t sum = PlaceFileChecksum(good.wpn);
    using Change = std::function<void(MeccaFiles&)>;
    const std::pair<const char*, Change> cases[] = {
        {"elevation above 9000 m", [](MeccaFiles& f) { f.places[1][0] = '\xD3', f.places[1].insert(1, "\x8C\x01"); }},
        {"zone 3 of 2", [](MeccaFiles& f) { f.places[1][1] = 3; }},
        {"region 7 of 6 texts", [](MeccaFiles& f) { f.places[1][5] = 7; }},
        {"65 other names", [](MeccaFiles& f) { f.places[1][6] = 65; }},
        {"an empty other name", [](MeccaFiles& f) { f.places[2].resize(7), f.places[2][6] = 0; }},
        {"a varint of six bytes", [](MeccaFiles& f) { f.places[1].replace(2, 3, "\x80\x80\x80\x80\x80\x01"); }},
        {"a zone offset of 16 h 1 min", [](MeccaFiles& f) { f.zones[0].second = "\x82\x0F"; }},
        {"a zone name leaving its folder", [](MeccaFiles& f) { f.texts[0] = "../../etc/passwd"; }},
        {"a zone naming no text", [](MeccaFiles& f) { f.zones[0].first = 0; }},
        {"a section country of no text", [](MeccaFiles& f) { f.countries[1] = 7; }},
    };
    for (const auto& [what, change] : cases) {
        MeccaFiles f;
        change(f);
        EXPECT_FALSE(Read(good, f.Details(sum))) << what;
    }
    const std::string wpd = good.Details(sum);
    ASSERT_TRUE(Read(good, wpd));
    // Cut anywhere, with a byte more, with another magic, for a .wpn changed
    // since, or counting more texts than it holds.
    for (size_t n = 0; n < wpd.size(); ++n) EXPECT_FALSE(Read(good, wpd.substr(0, n))) << n;
    EXPECT_FALSE(Read(good, wpd + '\0'));
    EXPECT_FALSE(Read(good, "WPD2" + wpd.substr(4)));
    MeccaFiles changed;
    changed.wpn[20] ^= 1;
    EXPECT_FALSE(ReadPlaceDetails(wpd, changed.wpn, 2, 3));
    EXPECT_FALSE(Read(good, wpd.substr(0, 16) + "\xFF\xFF" + wpd.substr(18)));
    EXPECT_FALSE(ReadPlaceDetails(wpd, good.wpn, 2, 4));
}
