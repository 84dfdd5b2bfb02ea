// The user's settings read over the machine's: what each user sees, where
// writes go, and which machine-wide values are not taken as they are.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "waktuna/settings/settings_file.h"
#include "waktuna/pages/program_page.h"
#include "waktuna/settings/settings.h"
#include "waktuna/watch/watch.h"
#include "watch_fake.h"

using namespace waktuna;
using ::testing::ElementsAre;

namespace {

struct Layers : ::testing::Test {
    MemorySettingsStore user, machine;
    LayeredSettingsStore store{user, &machine};
};

}  // namespace

TEST_F(Layers, UserFirstMachineForTheRestWritesToTheUser) {
    WriteString(machine, "Latitude", "-6.175");
    WriteString(machine, "Area", "Jakarta");
    WriteDword(machine, "MShutdown", 1);
    WriteString(user, "latitude", "21.42");
    EXPECT_EQ(ReadString(store, "Latitude"), "21.42");
    EXPECT_EQ(ReadString(store, "Area"), "Jakarta");
    EXPECT_THAT(store.Names(), ElementsAre("latitude", "Area", "MShutdown"));

    EXPECT_TRUE(WriteDword(store, "MShutdown", 0));
    EXPECT_TRUE(store.Delete("Latitude"));
    EXPECT_EQ(ReadDword(store, "MShutdown"), 0u);
    EXPECT_EQ(ReadString(store, "Latitude"), "-6.175");  // the machine's shows again
    // The machine's values are never changed.
    EXPECT_THAT(machine.Names(), ElementsAre("Latitude", "Area", "MShutdown"));
    EXPECT_EQ(ReadDword(machine, "MShutdown"), 1u);
    // Import writes the user's store; export shows the user's view.
    ImportSettingsText("2\tArea=Makkah\r\n", store);
    EXPECT_EQ(ReadString(user, "Area"), "Makkah");
    EXPECT_EQ(ReadString(machine, "Area"), "Jakarta");
    EXPECT_EQ(ExportSettingsText(store), "1\tMShutdown=0\r\n2\tArea=Makkah\r\n2\tLatitude=-6.175\r\n");
    // Without machine-wide settings the user's are all there is.
    LayeredSettingsStore alone(user, nullptr);
    EXPECT_EQ(ReadString(alone, "Latitude"), "");
}

TEST_F(Layers, NetworkSoundsFromTheMachineAreRefused) {
    struct Case {
        const char* path;
        bool machine;
        const char* read;
    } cases[] = {
        {"\\\\server\\share\\adzan.mp3", true, ""},
        {"//server/share/adzan.mp3", true, ""},
        {"\\\\?\\UNC\\server\\share\\a.mp3", true, ""},
        {"\\??\\UNC\\server\\a.mp3", true, ""},
        {"http://server/adzan.mp3", true, ""},
        {"C:\\Sounds\\adzan.mp3", true, "C:\\Sounds\\adzan.mp3"},
        {"\\Sounds\\adzan.mp3", true, "\\Sounds\\adzan.mp3"},
        {"\\\\server\\share\\adzan.mp3", false, "\\\\server\\share\\adzan.mp3"},  // the user's own choice
    };
    for (const Case& c : cases) {
        MemorySettingsStore u, m;
        WriteString(c.machine ? m : u, "AdzanAsar", c.path);
        LayeredSettingsStore s(u, &m);
        EXPECT_EQ(ReadLocalFilePath(s, "AdzanAsar"), c.read) << c.path;
        EXPECT_EQ(StoredAdzanFile(s, 2), c.read) << c.path;  // the page's Asr item
    }
}

// The watch plays what it may: a machine-wide adzan on a share is missing.
TEST(LayersWatch, MachineShareAdzanIsNotOpened) {
    using namespace waktuna::fake;
    MemorySettingsStore user, machine;
    LayeredSettingsStore key(user, &machine);
    WriteString(machine, "AdzanDhuhur", "\\\\server\\share\\adzan.mp3");
    FakeClock clock;
    FakeActions actions{clock};
    actions.files.insert("\\\\server\\share\\adzan.mp3");
    MainSettings settings = Jakarta();
    settings.alerts.m_adzan = 1;
    Watch watch(actions, clock, &key);
    clock.Set(2009, 3, 21, 12, 0, 30, 500);
    watch.Start();
    watch.SetSettings(settings);
    watch.RecomputeTimes();
    for (int i = 0; i < 3; ++i) {
        clock.AdvanceMs(1000);
        watch.OnClockTick();
    }
    EXPECT_TRUE(actions.sounds.empty());
    EXPECT_EQ(actions.With("dialog-warning").size(), 1u);  // the adzan file is missing
}

TEST(LayersLanguage, LanguageIsAFileNameFromEitherStore) {
    for (const char* bad : {"..\\..\\Windows\\evil", "C:evil", "sub/evil", "\\\\server\\lang", "a..b"}) {
        for (const bool from_machine : {false, true}) {
            MemorySettingsStore user, machine;
            WriteString(from_machine ? machine : user, "Language", bad);
            const LayeredSettingsStore store(user, &machine);
            EXPECT_EQ(ReadMainSettings(store).language, "") << bad;  // the built-in English
            EXPECT_EQ(ReadProgramSettings(store).language, "") << bad;
        }
    }
    MemorySettingsStore user, machine;
    WriteString(machine, "Language", "Indonesia");
    EXPECT_EQ(ReadMainSettings(LayeredSettingsStore(user, &machine)).language, "Indonesia");
}
