#include "waktuna/files/places.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

using namespace waktuna;

namespace {

// Builds place-name files byte by byte.
class WpnBuilder {
public:
    explicit WpnBuilder(uint16_t sections, unsigned char first = 0xC7) {
        bytes_ += static_cast<char>(first);
        bytes_ += '\0';
        bytes_.append(12, 'r');
        bytes_ += static_cast<char>(sections & 0xFF);
        bytes_ += static_cast<char>(sections >> 8);
    }
    WpnBuilder& Section(const std::string& name) {
        bytes_ += static_cast<char>(0xFA);
        bytes_ += static_cast<char>(name.size());
        bytes_ += name;
        return *this;
    }
    WpnBuilder& Record(const std::string& name, float lat, float lon) {
        bytes_ += static_cast<char>(name.size());
        bytes_ += name;
        Float(lat);
        Float(lon);
        return *this;
    }
    WpnBuilder& Raw(const std::string& raw) {
        bytes_ += raw;
        return *this;
    }
    std::string Bytes() const { return bytes_; }

private:
    void Float(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        for (int i = 0; i < 4; ++i) bytes_ += static_cast<char>(bits >> (8 * i) & 0xFF);
    }
    std::string bytes_;
};

PlaceNameFile Loaded(const std::string& bytes, const PlaceProgress& progress = {}) {
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(bytes), progress);
    return file;
}

std::vector<std::string> Names(const std::vector<Place>& places) {
    std::vector<std::string> names;
    for (const auto& p : places) names.push_back(p.name);
    return names;
}

const std::string kJawa = WpnBuilder(2)
                              .Section("Jawa")
                              .Record("Jakarta", -6.175f, 106.8272f)
                              .Record("Bandung", -6.9f, 107.6f)
                              .Section("Sumatera")
                              .Record("Medan", 3.5833f, 98.6667f)
                              .Record("Sabang", 5.8926f, 95.3238f)
                              .Record("Equator", 0.0f, 100.0f)
                              .Bytes();

}  // namespace

TEST(PlaceFile, SectionsAndPlaces) {
    PlaceNameFile file = Loaded(kJawa);
    EXPECT_EQ(file.Sections(), (std::vector<std::string>{"Jawa", "Sumatera"}));
    ASSERT_EQ(file.FirstSectionPlaces().size(), 2u);
    const Place& jakarta = file.FirstSectionPlaces()[0];
    EXPECT_EQ(jakarta.name, "Jakarta");
    EXPECT_EQ(jakarta.latitude, -6.175f);
    EXPECT_EQ(jakarta.longitude, 106.8272f);

    EXPECT_EQ(Names(file.ReadSection(1)), (std::vector<std::string>{"Medan", "Sabang", "Equator"}));
    // The first section chosen again from the list gives the same places.
    EXPECT_EQ(Names(file.ReadSection(0)), (std::vector<std::string>{"Jakarta", "Bandung"}));
    EXPECT_TRUE(file.ReadSection(2).empty());
    file.Close();
    EXPECT_TRUE(file.Sections().empty());
    EXPECT_TRUE(file.ReadSection(0).empty());
}

TEST(PlaceFile, CoordinateTexts) {
    // The text of the stored value is cut, not rounded: the 32-bit value
    // just above -6.175 is -6.17499971389771.
    const float below = std::nextafter(-6.175f, 0.0f);
    EXPECT_EQ(PlaceCoordinateText(below, kFirstLoadCoordinateWidth), "-6.17499");
    EXPECT_EQ(PlaceCoordinateText(below, kSectionCoordinateWidth), "-6.1749");
    // The nearest 32-bit value to -6.175 is -6.17500019073486.
    EXPECT_EQ(PlaceCoordinateText(-6.175f, kFirstLoadCoordinateWidth), "-6.17500");
    EXPECT_EQ(PlaceCoordinateText(106.8272f, 8), "106.8272");  // 106.827201843262
    EXPECT_EQ(PlaceCoordinateText(-0.1f, 8), "-0.10000");      // -0.100000001490116
    EXPECT_EQ(PlaceCoordinateText(0.0f, 7), "0");
    EXPECT_EQ(PlaceCoordinateText(-90.0f, 7), "-90");
    // Values whose general text has an exponent are cut from fixed notation,
    // never from "1.5E-6"; one cut to nothing but zeros reads "0".
    EXPECT_EQ(PlaceCoordinateText(1.5e-6f, 8), "0.000001");  // 1.50000005305628E-6
    EXPECT_EQ(PlaceCoordinateText(1.5e-6f, 7), "0");
    EXPECT_EQ(PlaceCoordinateText(-3e-7f, 8), "0");
    EXPECT_EQ(PlaceCoordinateText(std::nextafter(0.0f, 1.0f), 8), "0");
    EXPECT_EQ(PlaceCoordinateText(2.5e20f, 8), "25000000");
    EXPECT_EQ(PlaceCoordinateText(-1e30f, 7), "-100000");
}

TEST(PlaceFile, EmptyAndRefusedFiles) {
    PlaceNameFile file = Loaded(WpnBuilder(1).Section("Kosong").Bytes());
    EXPECT_EQ(file.Sections(), std::vector<std::string>{"Kosong"});
    EXPECT_TRUE(file.FirstSectionPlaces().empty());
    EXPECT_TRUE(file.ReadSection(0).empty());

    std::string wrong = kJawa;
    wrong[0] = 'W';
    EXPECT_TRUE(Loaded(wrong).Sections().empty());
    wrong = kJawa;
    wrong[1] = 1;
    EXPECT_TRUE(Loaded(wrong).Sections().empty());
    // A section count of 0.
    wrong = kJawa;
    wrong[14] = wrong[15] = 0;
    EXPECT_TRUE(Loaded(wrong).Sections().empty());
    EXPECT_TRUE(Loaded("").Sections().empty());
    EXPECT_TRUE(Loaded(kJawa.substr(0, 15)).Sections().empty());
    // No section marker after the header.
    EXPECT_TRUE(Loaded(WpnBuilder(1).Raw("\x05Place").Bytes()).Sections().empty());
}

TEST(PlaceFile, SectionCountDisagreesWithTheFile) {
    // More sections declared than present: those present are listed.
    std::string more = kJawa;
    more[14] = static_cast<char>(0xFF);
    more[15] = static_cast<char>(0xFF);
    PlaceNameFile file = Loaded(more);
    EXPECT_EQ(file.Sections().size(), 2u);
    EXPECT_TRUE(file.ReadSection(60000).empty());

    // Fewer declared than present: reading stops after the declared ones.
    std::string fewer = kJawa;
    fewer[14] = 1;
    file = Loaded(fewer);
    EXPECT_EQ(file.Sections(), std::vector<std::string>{"Jawa"});
    EXPECT_EQ(file.FirstSectionPlaces().size(), 2u);
}

TEST(PlaceFile, DamagedFilesKeepWhatWasRead) {
    // Ends inside the third record of the first section.
    const std::string full = WpnBuilder(1)
                                 .Section("S")
                                 .Record("One", 1, 1)
                                 .Record("Two", 2, 2)
                                 .Record("Three", 3, 3)
                                 .Bytes();
    for (size_t cut = full.size() - 1; cut > full.size() - 14; --cut) {
        PlaceNameFile file = Loaded(full.substr(0, cut));
        EXPECT_EQ(Names(file.FirstSectionPlaces()), (std::vector<std::string>{"One", "Two"}))
            << "cut at " << cut;
        EXPECT_EQ(Names(file.ReadSection(0)), (std::vector<std::string>{"One", "Two"}));
    }
    // A name length running past the end.
    PlaceNameFile file = Loaded(WpnBuilder(1).Section("S").Record("One", 1, 1).Raw("\x7Fshort").Bytes());
    EXPECT_EQ(Names(file.FirstSectionPlaces()), std::vector<std::string>{"One"});
    // A section name running past the end: that section is not listed.
    file = Loaded(WpnBuilder(2).Section("S").Record("One", 1, 1).Raw("\xFA\x40Sec").Bytes());
    EXPECT_EQ(file.Sections(), std::vector<std::string>{"S"});
    EXPECT_EQ(file.FirstSectionPlaces().size(), 1u);
    // A later section cut short is listed with what it has.
    file = Loaded(kJawa.substr(0, kJawa.size() - 3));
    EXPECT_EQ(Names(file.ReadSection(1)), (std::vector<std::string>{"Medan", "Sabang"}));
}

TEST(PlaceFile, ZeroLengthEndsASectionsRecords) {
    const std::string bytes = WpnBuilder(2)
                                  .Section("A")
                                  .Record("One", 1, 1)
                                  .Raw(std::string(1, '\0'))
                                  .Raw("junk that is never read")
                                  .Bytes();
    PlaceNameFile file = Loaded(bytes);
    EXPECT_EQ(Names(file.FirstSectionPlaces()), std::vector<std::string>{"One"});
    EXPECT_EQ(file.Sections().size(), 1u);

    // After the 0 a section marker still starts the next section.
    file = Loaded(WpnBuilder(2)
                      .Section("A")
                      .Record("One", 1, 1)
                      .Raw(std::string(1, '\0'))
                      .Section("B")
                      .Record("Two", 2, 2)
                      .Bytes());
    EXPECT_EQ(file.Sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Names(file.ReadSection(0)), std::vector<std::string>{"One"});
    EXPECT_EQ(Names(file.ReadSection(1)), std::vector<std::string>{"Two"});
}

TEST(PlaceFile, ProgressEveryTenthRecord) {
    WpnBuilder b(2);
    b.Section("Big");
    for (int i = 0; i < 25; ++i) b.Record(std::string("P").append(std::to_string(i)), 1, 2);
    b.Section("Next");
    for (int i = 0; i < 11; ++i) b.Record("Q", 1, 2);
    std::vector<size_t> seen;
    PlaceNameFile file = Loaded(b.Bytes(), [&](size_t i) { seen.push_back(i); });
    EXPECT_EQ(seen, (std::vector<size_t>{0, 10, 20}));
    seen.clear();
    EXPECT_EQ(file.ReadSection(1, [&](size_t i) { seen.push_back(i); }).size(), 11u);
    EXPECT_EQ(seen, (std::vector<size_t>{0, 10}));
}

TEST(PlaceFile, OpenByPath) {
    const std::string path = testing::TempDir() + "waktuna_places_test.wpn";
    {
        std::ofstream out(path, std::ios::binary);
        out << kJawa;
    }
    PlaceNameFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(file.Sections().size(), 2u);
    EXPECT_EQ(file.ReadSection(1).size(), 3u);
    file.Close();
    std::remove(path.c_str());
    EXPECT_FALSE(file.Open(path));
    EXPECT_TRUE(file.Sections().empty());
}
