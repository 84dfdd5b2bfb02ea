// Values no place can have, typed or stored: refused when typed, read as
// missing when stored, and never shown as NAN or INF.
#include "waktuna/calc/ranges.h"

#include <gmock/gmock.h>

#include "watch_fake.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/watch/panel.h"

namespace waktuna::fake {
namespace {

TEST(CalcRanges, TypedValuesAtAndBeyondEachBound) {
    struct Row {
        CalcValue value;
        const char* text;
        std::optional<int> refusal;
    };
    const Row rows[] = {
        {CalcValue::Latitude, "90", std::nullopt},   {CalcValue::Latitude, "-90,0", std::nullopt},
        {CalcValue::Latitude, "90.0001", 160},        {CalcValue::Latitude, "1e999", 160},
        {CalcValue::Latitude, "0", std::nullopt},     {CalcValue::Latitude, "0.0", 160},
        {CalcValue::Longitude, "-180", std::nullopt}, {CalcValue::Longitude, "180.5", 160},
        {CalcValue::TimeZone, "14", std::nullopt},    {CalcValue::TimeZone, "-12.5", 161},
        {CalcValue::TimeZone, "15", 161},             {CalcValue::Altitude, "9000", std::nullopt},
        {CalcValue::Altitude, "-501", 161},           {CalcValue::Altitude, "99999999999", 161},
        {CalcValue::Correction, "-120", std::nullopt}, {CalcValue::Correction, "121", 162},
        {CalcValue::Correction, "", 162},             {CalcValue::Angle, "30", std::nullopt},
        {CalcValue::Angle, "30.01", 163},             {CalcValue::Angle, "-1", 163},
    };
    for (const Row& r : rows) EXPECT_EQ(RefusalOf(r.value, r.text), r.refusal) << r.text;
}

TEST(CalcRanges, ShortestTextReadsBackToTheSame32BitValue) {
    for (const char* text : {"18.3", "19.5", "-9.5", "0.1", "106.8272", "-6.175", "7"}) {
        const float value = static_cast<float>(ReadDecimal(text));
        EXPECT_EQ(ShortestFloatText(value), text);
    }
    EXPECT_EQ(ShortestFloatText(std::numeric_limits<float>::infinity()), "");
}

class StoredValuesTest : public WatchFixture {};

TEST_F(StoredValuesTest, AValueNoPlaceHasLeavesNoTimesNoQiblaAndNoNaNText) {
    struct Row {
        const char* name;
        const char* stored;
    };
    const Row rows[] = {{"Longitude", "1e999"}, {"Latitude", "91"},  {"TZ", "1e999"},
                        {"TZ", "-13"},          {"Gd", "31"},        {"Gn", "-1e999"},
                        {"Altitude", "9001"}};
    for (const Row& r : rows) {
        MemorySettingsStore store;
        for (const auto& [name, text] : {std::pair{"Latitude", "-6.175"}, {"Longitude", "106.8272"},
                                         {"TZ", "7"}, {"Gd", "20"}, {"Gn", "18"}, {"Altitude", "8"}})
            WriteString(store, name, text);
        WriteString(store, r.name, r.stored);
        settings = ReadMainSettings(store);
        Begin(2009, 3, 21, 11, 0, 0);
        for (int i = 0; i < 3; ++i) Tick();
        SCOPED_TRACE(std::string(r.name) + " = " + r.stored);
        EXPECT_THAT(PanelColumn(actions.days.today_times, kFormatHHmm), ::testing::Each("--:--"));
        EXPECT_EQ(actions.tip.find("Zuhr"), std::string::npos);
        const bool place_bad = std::string_view(r.name) == "Latitude" || std::string_view(r.name) == "Longitude";
        EXPECT_EQ(PanelQiblaBearing(settings.calc.latitude, settings.calc.longitude).has_value(), !place_bad);
        const std::string shown = LatitudeValueText(settings.calc.latitude) +
                                  LongitudeValueText(settings.calc.longitude) +
                                  TimeZoneText(settings.calc.time_zone);
        EXPECT_EQ(shown.find("NAN"), std::string::npos) << shown;
        EXPECT_EQ(shown.find("INF"), std::string::npos) << shown;
    }
    EXPECT_EQ(LongitudeValueText("1e999"), "1e999 (--)");
    EXPECT_EQ(TimeZoneText(std::numeric_limits<float>::infinity()), "--");
}

}  // namespace
}  // namespace waktuna::fake
