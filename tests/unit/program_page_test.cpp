#include "waktuna/pages/program_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <tuple>

#include "waktuna/calc/imsak.h"
#include "waktuna/pages/about_page.h"
#include "waktuna/settings/settings.h"
#include "waktuna/settings/settings_file.h"
#include "fake_store.h"

namespace waktuna {
namespace {

// Records the order of writes and refuses the names it is given, as a
// registry key does for a user without the right to change it.
const std::string kProgram = "C:\\Program Files\\Waktuna\\Waktuna.exe";

TEST(ProgramPage, LoadMendsOutOfRangeValues) {
    MemorySettingsStore key;
    ProgramPageSurroundings around{kProgram, nullptr, 1, std::nullopt};
    ProgramPage page;
    page.FirstLoad(key, around);
    EXPECT_EQ(SkinNames()[static_cast<size_t>(page.skin)], std::string("Blue Aqua"));
    EXPECT_EQ(page.bar_width, "100%");
    EXPECT_EQ(page.rounding, 1);
    EXPECT_EQ(page.adzan_prayer, 0);  // the file box belongs to a prayer

    WriteString(key, "Skin", "39");
    WriteDword(key, "BarWidth", 5);
    WriteDword(key, "BarMotion", 9);
    WriteDword(key, "BarPosition", 7);
    WriteDword(key, "DialogEffect", 12);
    WriteString(key, "AdzanShubuh", "C:\\Adzan\\Mekah.mp3");
    page.FirstLoad(key, around);
    EXPECT_EQ(SkinNames()[static_cast<size_t>(page.skin)], std::string("Light Black Gradient"));
    EXPECT_EQ(page.bar_width, "100%");
    EXPECT_EQ(BarSpeedEntries(BuiltInEnglish())[static_cast<size_t>(page.bar_motion)], "Normal");
    EXPECT_EQ(BarPositionEntries(BuiltInEnglish())[static_cast<size_t>(page.bar_position)], "Top");
    EXPECT_EQ(page.dialog_effect, 0);  // Random, never an unselected drop-down
    EXPECT_EQ(page.adzan_file, "C:\\Adzan\\Mekah.mp3");

    // Stored skins out of range read as Blue Aqua.
    for (const char* text : {"40", "-1", "abc"}) EXPECT_EQ(SkinInRange(text), 0) << text;

    // A skin being previewed stays selected when the page is shown again.
    page.skin = 7;
    page.Refresh(key, around);
    EXPECT_EQ(page.skin, 7);
}

TEST(ProgramPage, StartWithWindowsNamesThisProgramOnly) {
    MemorySettingsStore run;
    WriteString(run, kRunValueName, "\"c:\\program files\\WAKTUNA\\waktuna.exe\"");
    EXPECT_TRUE(StartsWithWindows(&run, kProgram));
    WriteString(run, kRunValueName, "\"D:\\Old\\Waktuna.exe\"");
    EXPECT_FALSE(StartsWithWindows(&run, kProgram));
    EXPECT_FALSE(StartsWithWindows(nullptr, kProgram));
}

TEST(ProgramPage, SaveWritesInItsOrder) {
    FakeStore key;
    MemorySettingsStore run;
    WriteDword(key, "Pembulatan", 2);
    key.writes.clear();
    ProgramPage page;
    page.FirstLoad(key, {kProgram, &run, 0, std::nullopt});
    page.bar_width = "55% wide";
    page.seconds = true;
    page.start_with_windows = true;
    page.always_on_top = true;
    ASSERT_TRUE(page.Save(key, &run, kProgram, BuiltInEnglish()).Ok());
    EXPECT_EQ(key.writes, (std::vector<std::string>{"Skin", "Language", "BarPosition", "UseAlphaBlend",
                                                    "DialogEffect", "BarMotion", "BarWidth", "TimeFormat",
                                                    "AlwaysOnTop", "ShowDropZone", "BarAlpha",
                                                    "HijriCalendar", "Imsak", "UseDua", "HotKey"}));
    EXPECT_EQ(ReadDword(key, "BarWidth"), 55u);
    EXPECT_EQ(page.bar_width, "55%");
    EXPECT_EQ(ReadDword(key, "Pembulatan"), 2u);  // "HH:mm:ss" leaves the rounding alone
    EXPECT_EQ(ReadString(run, kRunValueName), "\"" + kProgram + "\"");

    page.bar_width = "5%";
    page.seconds = false;
    page.rounding = 1;
    page.start_with_windows = false;
    EXPECT_TRUE(page.Save(key, &run, kProgram, BuiltInEnglish()).Ok());
    EXPECT_EQ(page.bar_width, "100%");
    EXPECT_EQ(ReadDword(key, "Pembulatan"), 1u);
    EXPECT_EQ(run.Read(kRunValueName), std::nullopt);
}

// The calendar and Imsak: stored values outside their choices read as
// tabular and off; the Imsak box refuses anything but 0..60.
TEST(ProgramPage, HijriCalendarAndImsakMinutes) {
    MemorySettingsStore key;
    ProgramPage page;
    for (const auto& [stored, calendar, imsak] : {std::tuple{1u, 1, "10"}, {61u, 0, "0"}}) {
        WriteDword(key, kHijriCalendarValue, stored);
        WriteDword(key, kImsakValue, stored == 1 ? 10 : stored);
        page.FirstLoad(key, {});
        EXPECT_EQ(page.hijri_calendar, calendar) << stored;
        EXPECT_EQ(page.imsak_minutes, imsak) << stored;
    }
    for (const char* typed : {"61", "-1", "abc"}) {
        page.imsak_minutes = typed;
        EXPECT_EQ(page.Validate(), kLineImsakRefused) << typed;
    }
    page.imsak_minutes = "60";
    page.hijri_calendar = 1;
    EXPECT_EQ(page.Validate(), std::nullopt);
    page.Save(key, nullptr, kProgram, BuiltInEnglish());
    EXPECT_EQ(ReadMainSettings(key).core.imsak_minutes, 60);
    EXPECT_EQ(ReadMainSettings(key).core.hijri_calendar, HijriCalendar::UmmAlQura);
}

// The built-in English is always a choice, stored as an empty Language, so
// a user who took a language file can come back to it.
TEST(ProgramPage, BuiltInEnglishIsAlwaysAChoice) {
    const std::vector<std::string> files = {"Indonesia", "Bahasa"};
    EXPECT_EQ(LanguageEntries(files), (std::vector<std::string>{"English", "Indonesia", "Bahasa"}));
    // A stored name whose file is gone shows English: the program falls back to it.
    for (const auto& [stored, item] : {std::pair{"", 0}, {"Indonesia", 1}, {"bahasa", 2}, {"Gone", 0}}) {
        EXPECT_EQ(LanguageItem(files, stored), item) << stored;
        EXPECT_EQ(LanguageOfItem(files, item), item == 0 ? "" : files[static_cast<size_t>(item) - 1]);
    }
    EXPECT_EQ(LanguageOfItem(files, -1), "");
    EXPECT_EQ(LanguageOfItem(files, 3), "");
}

// A skin or language chosen and not saved is put back when the page is
// left (stored: skin 3, Indonesia); after a Save nothing is.
TEST(ProgramPage, LeavingWithoutSavePutsTheStoredLookBack) {
    struct Case {
        int32_t skin;
        const char* language;
        bool save;
        std::optional<int32_t> restore_skin;
        std::optional<std::string> restore_language;
    };
    for (const Case& c : {Case{3, "Indonesia", false, std::nullopt, std::nullopt},
                          {12, "Indonesia", false, 3, std::nullopt},
                          {0, "", false, 3, "Indonesia"},
                          {0, "", true, std::nullopt, std::nullopt}}) {
        SCOPED_TRACE(testing::Message() << c.skin << " " << c.language << (c.save ? " saved" : ""));
        MemorySettingsStore key, run;
        WriteString(key, "Skin", "3");
        WriteString(key, "Language", "Indonesia");
        ProgramPage page;
        page.FirstLoad(key, {});
        page.skin = c.skin;
        page.language = c.language;
        page.Refresh(key, {});  // shown again while open: the preview stays
        EXPECT_EQ(page.language, c.language);
        if (c.save) {
            ASSERT_TRUE(page.Save(key, &run, kProgram, BuiltInEnglish()).Ok());
            EXPECT_EQ(ReadString(key, "Language"), c.language);
        }
        const ProgramPage::LookToRestore restore = page.Leave();
        EXPECT_EQ(restore.skin, c.restore_skin);
        EXPECT_EQ(restore.language, c.restore_language);
        EXPECT_EQ(page.skin, c.save ? c.skin : 3);  // the page shows what is in force
    }
    // A Save that was not wholly stored changes nothing in force.
    FakeStore refusing({"Skin"});
    ProgramPage page;
    page.FirstLoad(refusing, {});
    page.skin = 9;
    EXPECT_FALSE(page.Save(refusing, nullptr, kProgram, BuiltInEnglish()).Ok());
    EXPECT_EQ(page.Leave().skin, 0);
}

// The hot key by the stored-text rule: one character is that key, "F" and a
// number n is F(n), "f5" and other texts are F12. A key the list lacks is
// left stored. The Dua and the hot key travel in a settings file.
TEST(ProgramPage, DuaAndHotKey) {
    for (const auto& [stored, shown] : {std::pair{"", "F12"}, {" k ", "K"}, {"7", "7"}, {"F5", "F5"},
                                        {"F24", "F24"}, {"f5", "F12"}, {"F0", "F12"}, {";", ""}}) {
        MemorySettingsStore key;
        WriteString(key, "HotKey", stored);
        ProgramPage page;
        page.FirstLoad(key, {});
        EXPECT_EQ(page.hot_key < 0 ? "" : HotKeyEntries()[static_cast<size_t>(page.hot_key)], shown) << stored;
        page.Save(key, nullptr, kProgram, BuiltInEnglish());
        EXPECT_EQ(ReadString(key, "HotKey"), *shown ? shown : stored);
    }

    MemorySettingsStore key, other;
    ProgramPage page;
    page.FirstLoad(key, {});
    EXPECT_FALSE(page.use_dua);
    page.use_dua = true;
    page.hot_key = HotKeyItem("Q");
    page.Save(key, nullptr, kProgram, BuiltInEnglish());
    EXPECT_EQ(ReadHotKey(key), static_cast<uint32_t>('Q'));
    ImportSettingsText(ExportSettingsText(key), other);
    page.FirstLoad(other, {});
    EXPECT_EQ(ReadDword(other, "UseDua"), 1u);
    EXPECT_TRUE(page.use_dua);
    EXPECT_EQ(page.hot_key, HotKeyItem("Q"));
}

TEST(ProgramPage, RefusedWritesAreNamedAndTheRestStored) {
    FakeStore key({"Skin", "BarAlpha"});
    ProgramPage page;
    page.FirstLoad(key, {});
    page.skin = 3;
    page.dialog_effect = 4;
    // The Run key of HKEY_LOCAL_MACHINE cannot be opened by a standard user.
    EXPECT_EQ(page.Save(key, nullptr, kProgram, BuiltInEnglish()).not_stored,
              (std::vector<std::string>{"Skin", "BarAlpha", "Start with Windows"}));
    EXPECT_EQ(ReadDword(key, "DialogEffect"), 4u);
}

TEST(ProgramPage, AdzanFileIsStoredAtOnceAndReported) {
    FakeStore key({"AdzanIsya"});
    EXPECT_TRUE(StoreAdzanFile(key, 2, "C:\\a.mp3").Ok());
    EXPECT_EQ(ReadString(key, "AdzanAsar"), "C:\\a.mp3");
    EXPECT_EQ(StoreAdzanFile(key, 4, "C:\\b.mp3").not_stored, std::vector<std::string>{"AdzanIsya"});
    key.writes.clear();
    EXPECT_TRUE(StoreAdzanFile(key, -1, "C:\\c.mp3").Ok());
    EXPECT_TRUE(key.writes.empty());

    // A name with letters outside the code page is kept by its short path.
    EXPECT_EQ(PathToStore({"C:\\a.mp3", true, "", false}), "C:\\a.mp3");
    EXPECT_EQ(PathToStore({"C:\\????.mp3", false, "C:\\ADZAN~1.MP3", true}), "C:\\ADZAN~1.MP3");
    EXPECT_EQ(PathToStore({"C:\\????.mp3", false, "C:\\????.mp3", false}), std::nullopt);
}

TEST(ProgramPage, ExportAndImportLeaveTheWindowHandleAlone) {
    MemorySettingsStore key;
    WriteString(key, "Skin", "3");
    WriteDword(key, "BarWidth", 80);
    WriteDword(key, "Hwnd", 0x1234);
    const std::string path = (std::filesystem::temp_directory_path() / "waktuna-export-test.sav").string();
    ASSERT_EQ(ExportSettingsFile(&key, path, BuiltInEnglish()), std::nullopt);

    MemorySettingsStore other;
    WriteDword(other, "Hwnd", 0x9999);
    const ImportOutcome imported = ImportSettingsFile(path, &other, BuiltInEnglish());
    EXPECT_TRUE(imported.ok);
    EXPECT_EQ(ReadString(other, "Skin"), "3");
    EXPECT_EQ(ReadDword(other, "BarWidth"), 80u);
    EXPECT_EQ(ReadDword(other, "Hwnd"), 0x9999u);
    // A file written by hand with Hwnd in it changes nothing either.
    EXPECT_EQ(ImportSettingsText("1\tHwnd=5\r\n", other).written, 0);
    EXPECT_EQ(ReadDword(other, "Hwnd"), 0x9999u);

    FakeStore refusing({"Skin"});
    const ImportOutcome refused = ImportSettingsFile(path, &refusing, BuiltInEnglish());
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("Skin"), std::string::npos);
    std::remove(path.c_str());

    EXPECT_FALSE(ImportSettingsFile(path, &other, BuiltInEnglish()).ok);  // gone
    EXPECT_NE(ExportSettingsFile(nullptr, path, BuiltInEnglish()), std::nullopt);
    EXPECT_NE(ExportSettingsFile(&key, path + "/no/such/folder.sav", BuiltInEnglish()), std::nullopt);
}

// A track that moves 400 ms on at every look while playing, so it passes
// its length without ever equalling it.
class StepPlayer final : public Player {
public:
    explicit StepPlayer(int* alive) : alive_(alive) { ++*alive_; }
    ~StepPlayer() override { --*alive_; }
    bool Play() override { return playing_ = true; }
    bool Pause() override { playing_ = false; return true; }
    bool Resume() override { return playing_ = true; }
    bool Stop() override { playing_ = false; return true; }
    uint32_t Length() override { return 1000; }
    uint32_t Position() override { return playing_ ? position_ += 400 : position_; }
    void Close() override {}

private:
    int* alive_;
    bool playing_ = false;
    uint32_t position_ = 0;
};

TEST(AdzanTrial, PlaysPausesAndLetsGoAtTheEnd) {
    int alive = 0, opened = 0;
    const AdzanTrial::Opener open = [&](const std::string&) {
        ++opened;
        return std::make_unique<StepPlayer>(&alive);
    };
    AdzanTrial trial;
    EXPECT_FALSE(trial.Play("C:\\missing.mp3", false, open));
    EXPECT_EQ(opened, 0);
    ASSERT_TRUE(trial.Play("C:\\a.mp3", true, open));
    EXPECT_EQ(trial.Tick().position, 400u);
    trial.Pause();
    EXPECT_TRUE(trial.Tick().running);  // paused: it stays
    EXPECT_TRUE(trial.Play("C:\\a.mp3", true, open));  // resumes, no second player
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(trial.Tick().position, 800u);
    const AdzanTrial::Progress last = trial.Tick();  // 1200 of 1000
    EXPECT_FALSE(last.running);
    EXPECT_FALSE(trial.Active());
    EXPECT_EQ(alive, 0);

    trial.Play("C:\\a.mp3", true, open);
    trial.Stop();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(trial.Tick().position, 0u);
}

TEST(AboutPage, LicenceLinesAndLinks) {
    EXPECT_EQ(LicenceBoxText("one\ntwo\r\nthree\rfour"), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(AboutMailLink(), "mailto:" + std::string(kAboutContact) + "?subject=Waktuna%20v3.10");
    EXPECT_NE(AboutNotice().find("GeoNames"), std::string::npos);
    EXPECT_NE(AboutNotice().find("CC-BY 4.0"), std::string::npos);
}

}  // namespace
}  // namespace waktuna
