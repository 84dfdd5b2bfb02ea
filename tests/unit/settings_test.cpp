#include "waktuna/settings/settings.h"

#include <limits>

#include <gtest/gtest.h>
#include "fake_store.h"


using namespace waktuna;

namespace {

// A store that records the names read, to check the order of the readers.
StoredValue Raw(uint32_t type, std::string bytes) { return StoredValue{type, std::move(bytes)}; }

}  // namespace

TEST(SettingsStore, MemoryStoreNamesIgnoreCase) {
    MemorySettingsStore s;
    EXPECT_TRUE(WriteString(s, "latitude", "-6.175"));
    EXPECT_EQ(ReadString(s, "Latitude"), "-6.175");
    EXPECT_TRUE(WriteString(s, "LATITUDE", "1"));
    EXPECT_EQ(s.Names(), std::vector<std::string>{"latitude"});  // first spelling kept
    EXPECT_EQ(ReadString(s, "latitude"), "1");
    WriteDword(s, "BarWidth", 55);
    EXPECT_EQ(s.Names(), (std::vector<std::string>{"latitude", "BarWidth"}));
    EXPECT_TRUE(s.Delete("barwidth"));
    EXPECT_EQ(s.Read("BarWidth"), std::nullopt);
    EXPECT_TRUE(s.Delete("never there"));
    EXPECT_FALSE(SameValueName("Gd", "Gn"));
    EXPECT_FALSE(SameValueName("Gd", "Gd "));
}

TEST(SettingsStore, MissingAndMalformedValues) {
    MemorySettingsStore s;
    EXPECT_EQ(ReadDword(s, "Message1"), 0u);
    EXPECT_EQ(ReadString(s, "Area"), "");
    EXPECT_EQ(ReadDouble(s, "MJumat"), 0.0);

    // A DWORD is any 4 bytes, little-endian; other sizes read 0.
    s.Write("A", Raw(kTypeDword, std::string("\x78\x56\x34\x12", 4)));
    EXPECT_EQ(ReadDword(s, "A"), 0x12345678u);
    s.Write("B", Raw(kTypeDword, std::string("\x01\x00\x00", 3)));
    EXPECT_EQ(ReadDword(s, "B"), 0u);
    s.Write("C", Raw(kTypeBinary, std::string("\x05\x00\x00\x00", 4)));
    EXPECT_EQ(ReadDword(s, "C"), 5u);
    WriteString(s, "D", "7");  // one byte of text is not a DWORD
    EXPECT_EQ(ReadDword(s, "D"), 0u);

    // A string must be REG_SZ; its text ends at a zero byte.
    s.Write("E", Raw(kTypeExpand, "%WINDIR%"));
    EXPECT_EQ(ReadString(s, "E"), "");
    WriteDword(s, "F", 65);
    EXPECT_EQ(ReadString(s, "F"), "");
    s.Write("G", Raw(kTypeString, std::string("ab\0cd", 5)));
    EXPECT_EQ(ReadString(s, "G"), "ab");

    // A double needs 8 bytes; longer data gives its first 8.
    WriteDouble(s, "H", 0.5);
    EXPECT_EQ(s.Read("H")->data, std::string("\0\0\0\0\0\0\xE0\x3F", 8));
    EXPECT_EQ(ReadDouble(s, "H"), 0.5);
    s.Write("I", Raw(kTypeBinary, std::string("\0\0\0\0\0\0\xE0\x3F\xFF\xFF", 10)));
    EXPECT_EQ(ReadDouble(s, "I"), 0.5);
    s.Write("J", Raw(kTypeBinary, std::string("\0\0\0\0\0\xE0\x3F", 7)));
    EXPECT_EQ(ReadDouble(s, "J"), 0.0);
}

TEST(Settings, AlertValuesRoundTripInThePagesOrder) {
    FakeStore s;
    AlertSettings a;
    a.message1 = 10;
    a.message2 = 1;
    a.m_adzan = 1;
    a.m_shutdown = 2;
    a.m_time_shutdown = 5;
    a.show_information = 30;
    a.m_jumat = 739000.5;
    a.m_shutdown_after = 1;
    a.m_imsak = 1;
    WriteAlertSettings(s, a);
    EXPECT_EQ(s.writes, (std::vector<std::string>{"Message1", "Message2", "MMessage", "MMinimize",
                                                  "MAdzan", "MShutdown", "MTimeShutdown",
                                                  "ShowInformation", "MJumat", "MShutdownAfter",
                                                  "MImsak"}));
    EXPECT_EQ(ReadAlertSettings(s), a);
    EXPECT_EQ(s.inner.Read("MJumat")->type, kTypeBinary);
    EXPECT_EQ(s.inner.Read("Message1")->type, kTypeDword);

    // A stored count beyond a day (70000 once came back as 4464) is off, and so
    // is a Friday time that is no date-time.
    WriteDword(s, "Message1", 70000);
    WriteDword(s, "Message2", 1440);
    WriteDword(s, "MTimeShutdown", 1439);
    WriteDouble(s, "MJumat", std::numeric_limits<double>::infinity());
    const AlertSettings read = ReadAlertSettings(s);
    EXPECT_EQ(read.message1, 0);
    EXPECT_EQ(read.message2, 0);
    EXPECT_EQ(read.m_time_shutdown, 1439);
    EXPECT_EQ(read.m_jumat, 0.0);
}

TEST(Settings, MainSettingsReadInTheStartUpOrder) {
    FakeStore s;
    ReadMainSettings(s);
    EXPECT_EQ(s.reads, (std::vector<std::string>{
                           "Message1",     "Message2",     "MAdzan",       "MMinimize",
                           "MMessage",     "MShutdown",    "MTimeShutdown", "ShowInformation",
                           "MJumat",       "MShutdownAfter", "MImsak",   "Altitude",   "Methods",
                           "Syafii",       "AlwaysOnTop",  "Area",         "Latitude",
                           "Longitude",    "Gn",           "Gd",           "TZ",
                           "Add_Dhuhur",   "Add_Maghrib",  "Add_Shubuh",   "Add_Asar",
                           "Add_Isya",     "Pembulatan",   "HijriyahDiff", "Skin",
                           "TimeFormat",   "ShowDropZone", "dzRemaining",  "dzTransparent",
                           "dzSnap",       "Language",     "FollowWindowsZone",
                           // The values beside the six buttons, each missing in an older key.
                           "Authority",    "PreciseSun",   "HighLatitude", "IshaInterval",
                           "IshaIntervalRamadan", "MaghribAngle", "SeasonalTwilight",
                           "IgnoreAltitude", "Add_Terbit", "HijriCalendar", "Imsak"}));
}

TEST(Settings, EmptyKeyAndNoKey) {
    // A key holding nothing: Syafi'i, "HH:mm", everything else zero or empty.
    const MainSettings m = ReadMainSettings(MemorySettingsStore{});
    EXPECT_TRUE(m.calc.syafii);
    EXPECT_EQ(m.core.time_format, "HH:mm");
    EXPECT_EQ(m.alerts, AlertSettings{});
    EXPECT_EQ(m.calc.latitude, "");
    EXPECT_EQ(m.skin, 0);
    EXPECT_FALSE(m.always_on_top);
    EXPECT_EQ(m.language, "");
    EXPECT_FALSE(m.calc.follow_windows_zone);

    // No key at all: the same values, so nothing changes when a first Save
    // creates the key.
    const MainSettings start = StartSettings();
    EXPECT_TRUE(start.calc.syafii);
    EXPECT_EQ(start.core.time_format, "HH:mm");
    EXPECT_EQ(start.calc.altitude, 0);
}

TEST(Settings, MainSettingsConversions) {
    MemorySettingsStore s;
    WriteString(s, "Area", "Jakarta");
    WriteString(s, "latitude", "-6,175");  // written in lower case by the page
    WriteString(s, "Longitude", "106.8272");
    WriteString(s, "Altitude", "8 m");
    WriteString(s, "Gd", "19.5");
    WriteString(s, "Gn", "17,5");
    WriteString(s, "TZ", "7");
    WriteString(s, "Add_Shubuh", "-3");
    WriteString(s, "Add_Isya", "2x");
    WriteString(s, "Add_Asar", "x2");
    WriteDword(s, "Methods", 5);
    WriteDword(s, "Syafii", 1);
    WriteDword(s, "Pembulatan", 0x102);
    WriteString(s, "HijriyahDiff", "255");
    WriteString(s, "Skin", "39");
    WriteDword(s, "TimeFormat", 5);
    WriteDword(s, "AlwaysOnTop", 2);
    WriteDword(s, "ShowDropZone", 1);
    WriteDword(s, "dzSnap", 1);
    WriteString(s, "Language", "Indonesia");
    WriteDword(s, "FollowWindowsZone", 1);

    const MainSettings m = ReadMainSettings(s);
    EXPECT_EQ(m.calc.area, "Jakarta");
    EXPECT_EQ(m.calc.latitude, "-6,175");
    EXPECT_EQ(m.calc.altitude, 8);
    EXPECT_EQ(m.calc.gd, 19.5f);
    EXPECT_EQ(m.calc.gn, 17.5f);
    EXPECT_EQ(m.calc.time_zone, 7.0f);
    EXPECT_EQ(m.core.add_shubuh, -3);
    EXPECT_EQ(m.core.add_isya, 2);
    EXPECT_EQ(m.core.add_asar, 0);
    EXPECT_EQ(m.calc.methods, 5);
    EXPECT_FALSE(m.calc.syafii);
    EXPECT_EQ(m.core.pembulatan, 2);
    EXPECT_EQ(m.core.hijriyah_diff, -1);
    EXPECT_EQ(m.skin, 39);
    EXPECT_EQ(m.core.time_format, "HH:mm:ss");
    EXPECT_FALSE(m.always_on_top);  // only 1 makes it topmost
    EXPECT_TRUE(m.show_drop_zone);
    EXPECT_TRUE(m.dz_snap);
    EXPECT_FALSE(m.dz_remaining);
    EXPECT_EQ(m.language, "Indonesia");
    EXPECT_TRUE(m.calc.follow_windows_zone);

    const CalcSettings c = ToCalcSettings(m.calc);
    EXPECT_EQ(c.latitude, -6.175f);
    EXPECT_EQ(c.longitude, 106.8272f);
    EXPECT_EQ(c.fajr_angle, 19.5f);
    EXPECT_EQ(c.isha_angle, 17.5f);
    EXPECT_EQ(c.altitude, 8);
    EXPECT_FALSE(c.syafii);
}

TEST(Settings, HotKeyFromText) {
    EXPECT_EQ(HotKeyFromText(""), 123u);
    EXPECT_EQ(HotKeyFromText("x"), static_cast<uint32_t>('X'));
    EXPECT_EQ(HotKeyFromText(" 7 "), static_cast<uint32_t>('7'));
    EXPECT_EQ(HotKeyFromText("F"), static_cast<uint32_t>('F'));
    EXPECT_EQ(HotKeyFromText("F1"), 112u);
    EXPECT_EQ(HotKeyFromText("F5"), 116u);
    EXPECT_EQ(HotKeyFromText("F12"), 123u);
    EXPECT_EQ(HotKeyFromText("F13"), 124u);
    EXPECT_EQ(HotKeyFromText("F0"), 123u);
    EXPECT_EQ(HotKeyFromText("F00"), 123u);
    EXPECT_EQ(HotKeyFromText("F123"), 123u);  // the third digit is not read: F12
    EXPECT_EQ(HotKeyFromText("f5"), 123u);    // lower case f is not recognised
    EXPECT_EQ(HotKeyFromText(" F5"), 123u);   // nor a blank before it
    EXPECT_EQ(HotKeyFromText("Fx"), 123u);
    EXPECT_EQ(HotKeyFromText("F1x"), 123u);
    EXPECT_EQ(HotKeyFromText("Home"), 123u);
}

TEST(Settings, ProgramPageRangeRules) {
    MemorySettingsStore s;
    ProgramSettings p = ReadProgramSettings(s);
    EXPECT_EQ(p.skin, 0);
    EXPECT_EQ(p.bar_width, 100u);  // missing reads 0, outside 10..100
    EXPECT_EQ(p.bar_position, 0u);
    EXPECT_EQ(p.bar_motion, 0u);

    WriteString(s, "Skin", "39");
    WriteDword(s, "BarWidth", 5);
    WriteDword(s, "BarMotion", 9);
    WriteDword(s, "BarPosition", 7);
    WriteDword(s, "DialogEffect", 12);
    p = ReadProgramSettings(s);
    EXPECT_EQ(p.skin, 39);
    EXPECT_EQ(p.bar_width, 100u);
    EXPECT_EQ(p.bar_motion, 2u);
    EXPECT_EQ(p.bar_position, 0u);
    EXPECT_EQ(p.dialog_effect, 12u);  // not checked

    WriteString(s, "Skin", "Blue");
    WriteDword(s, "BarWidth", 55);
    WriteDword(s, "BarMotion", 4);
    WriteDword(s, "BarPosition", 2);
    p = ReadProgramSettings(s);
    EXPECT_EQ(p.skin, 0);
    EXPECT_EQ(p.bar_width, 55u);
    EXPECT_EQ(p.bar_motion, 4u);
    EXPECT_EQ(p.bar_position, 2u);
    EXPECT_EQ(BarWidthInRange(10), 10u);
    EXPECT_EQ(BarWidthInRange(101), 100u);

    EXPECT_EQ(AdzanValueName(Asar), "AdzanAsar");
    EXPECT_EQ(AdzanValueName(Shubuh), "AdzanShubuh");
    EXPECT_EQ(AdzanValueName(Terbit), "");
}

TEST(Settings, DropZoneValues) {
    MemorySettingsStore s;
    DropZoneSettings d = ReadDropZoneSettings(s);
    EXPECT_EQ(d.x, std::nullopt);
    EXPECT_EQ(DropZoneFlashSteps(d.flash_time), 360u);  // three minutes
    EXPECT_EQ(DropZoneFontHeight(d.size), std::nullopt);
    EXPECT_FALSE(DropZoneAlphaOf(d.alpha).disabled);
    EXPECT_EQ(DropZoneAlphaOf(d.alpha).apply, std::nullopt);

    WriteString(s, "dzX", "-20");
    WriteString(s, "dzY", "abc");
    WriteDword(s, "FlashTime", 10);
    WriteDword(s, "dzTransparent", 1);
    d = ReadDropZoneSettings(s);
    EXPECT_EQ(d.x, -20);
    EXPECT_EQ(d.y, 0);
    EXPECT_TRUE(d.transparent);
    EXPECT_EQ(DropZoneFlashSteps(d.flash_time), 20u);

    EXPECT_EQ(DropZoneAlphaOfPercent(30), 76);
    EXPECT_EQ(DropZoneAlphaOfPercent(50), 127);
    EXPECT_EQ(DropZoneAlphaOfPercent(70), 178);
    EXPECT_TRUE(DropZoneAlphaOf(254).disabled);
    EXPECT_TRUE(DropZoneAlphaOf(1000).disabled);
    EXPECT_EQ(DropZoneAlphaOf(127).apply, 127);
    EXPECT_EQ(DropZoneAlphaOf(127).ticked_item, 2);
    EXPECT_EQ(DropZoneAlphaOf(128).ticked_item, -1);
    EXPECT_EQ(DropZoneAlphaOf(11).apply, 11);
    EXPECT_EQ(DropZoneAlphaOf(10).apply, std::nullopt);
    EXPECT_EQ(DropZoneFontHeight(71), 71);
    EXPECT_EQ(DropZoneFontHeight(72), std::nullopt);
    EXPECT_EQ(DropZoneFontHeightOfItem(0), 15);
    EXPECT_EQ(DropZoneFontHeightOfItem(4), 27);
}
