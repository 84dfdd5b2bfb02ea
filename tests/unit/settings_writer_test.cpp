#include "waktuna/settings/settings_writer.h"

#include <gtest/gtest.h>
#include "fake_store.h"

namespace waktuna {
namespace {

// A store that refuses the writes of some names, as a registry key does for
// a user without the right to change it.
TEST(SettingsWriter, TriesEveryValueAndNamesEachRefusalInOrder) {
    FakeStore store({"Latitude", "TZ"});
    SettingsWriter w(store);
    w.String("Latitude", "-6.175").String("Longitude", "106.8").Dword("Methods", 3).String("TZ", "7");
    EXPECT_EQ(w.Result().not_stored, (std::vector<std::string>{"Latitude", "TZ"}));
    EXPECT_FALSE(w.Result().Ok());
    // The writes after a refusal still went through.
    EXPECT_EQ(ReadString(store, "Longitude"), "106.8");
    EXPECT_EQ(ReadDword(store, "Methods"), 3u);

    const std::string text = NotStoredText(BuiltInEnglish(), w.Result());
    EXPECT_EQ(text.find("The settings could not be stored: Latitude, TZ.\r\n"), 0u);
    EXPECT_NE(text.find("administrator"), std::string::npos);

    // Many refusals: four names and a count, so the reason stays in view.
    SaveResult all;
    all.not_stored = {"Area", "Latitude", "Longitude", "Altitude", "TZ", "Gd"};
    EXPECT_EQ(NotStoredText(BuiltInEnglish(), all).find("Area, Latitude, Longitude, Altitude, +2.\r\n"),
              std::string("The settings could not be stored: ").size());
}

}  // namespace
}  // namespace waktuna
