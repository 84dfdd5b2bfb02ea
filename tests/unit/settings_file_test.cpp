#include "waktuna/settings/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/settings/settings.h"

using namespace waktuna;

TEST(SettingsFile, ExportTypesAndOrder) {
    MemorySettingsStore s;
    WriteString(s, "Skin", "3");
    WriteDword(s, "BarWidth", 100);
    WriteDouble(s, "MJumat", 0.5);
    EXPECT_EQ(ExportSettingsText(s), "1\tBarWidth=100\r\n2\tSkin=3\r\n3\tMJumat=0.5\r\n");
}

TEST(SettingsFile, ExportDetails) {
    MemorySettingsStore s;
    WriteDword(s, "Delta", 0xFFFFFFFF);                        // signed decimal
    WriteDword(s, "alwaysOnTop", 1);                           // sorted ignoring case
    s.Write("Path", StoredValue{kTypeExpand, "%WINDIR%"});      // other types: name only
    s.Write("Odd", StoredValue{kTypeDword, std::string(3, 'x')});  // not 4 bytes: 0
    WriteString(s, " ", "blank name");                         // left out
    WriteString(s, "", "default value");                       // left out
    WriteDouble(s, "Neg", -1.25);
    WriteDouble(s, "Big", 1.5e20);
    EXPECT_EQ(ExportSettingsText(s),
              "1\talwaysOnTop=1\r\n"
              "1\tDelta=-1\r\n"
              "1\tOdd=0\r\n"
              "3\tBig=150000000000000000000\r\n"
              "3\tNeg=-1.25\r\n"
              "Path=\r\n");
    EXPECT_EQ(ExportSettingsText(MemorySettingsStore{}), "");
}

TEST(SettingsFile, DecimalText) {
    EXPECT_EQ(SettingsDecimalText(0.5), "0.5");
    EXPECT_EQ(SettingsDecimalText(0.0), "0");
    EXPECT_EQ(SettingsDecimalText(100.0), "100");
    EXPECT_EQ(SettingsDecimalText(-0.125), "-0.125");
    EXPECT_EQ(SettingsDecimalText(1e-7), "0.0000001");
    // A Friday reminder at 11:45:00 on a day of 2024 keeps every digit, so
    // importing it gives back the same second (13 digits would make it
    // 11:44:59.997).
    const double jumat = EncodeDate(2024, 3, 1) + EncodeTime(11, 45, 0);
    EXPECT_EQ(ReadDecimal(SettingsDecimalText(jumat)), jumat);
    EXPECT_EQ(FormatTime(ReadDecimal(SettingsDecimalText(jumat)), kFormatHHmmss), "11:45:00");
    // Every finite double reads back exactly, from the smallest to the largest.
    for (double v : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                     std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                     0.1, 1.0 / 3.0, 739000.4895833333}) {
        EXPECT_EQ(ReadDecimal(SettingsDecimalText(v)), v) << SettingsDecimalText(v);
    }
    const std::string text = SettingsDecimalText(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos);
}

TEST(SettingsFile, Import) {
    MemorySettingsStore s;
    const SettingsImport r = ImportSettingsText(
        "1\tBarWidth=100\r\n"
        "2\tSkin=3\r\n"
        "3\tMJumat=0.5\r\n"
        "\r\n"
        "0\tIgnored=1\r\n"
        "x\tIgnored=2\r\n"
        "Path=\r\n"
        "  2\tArea=Jakarta Pusat  \r\n"    // trimmed at both ends only
        "2\tFormula=a=b\r\n"               // the value is all after the first "="
        "3\tComma=1,5\r\n"
        "1\tNumber=12abc\r\n"
        "1\tNegative=-1\r\n"
        "1\tWords=abc\r\n"
        "1NoTab=7\r\n"                     // the name is all before "="
        "2\t=no name\r\n"
        "2\tno equals sign\r\n",
        s);
    EXPECT_EQ(r.lines, 16);
    EXPECT_EQ(r.written, 10);
    EXPECT_EQ(ReadDword(s, "BarWidth"), 100u);
    EXPECT_EQ(s.Read("BarWidth")->type, kTypeDword);
    EXPECT_EQ(ReadString(s, "Skin"), "3");
    EXPECT_EQ(ReadDouble(s, "MJumat"), 0.5);
    EXPECT_EQ(s.Read("MJumat")->type, kTypeBinary);
    EXPECT_EQ(s.Read("Ignored"), std::nullopt);
    EXPECT_EQ(s.Read("Path"), std::nullopt);
    EXPECT_EQ(ReadString(s, "Area"), "Jakarta Pusat");
    EXPECT_EQ(ReadString(s, "Formula"), "a=b");
    EXPECT_EQ(ReadDouble(s, "Comma"), 1.5);
    EXPECT_EQ(ReadDword(s, "Number"), 12u);
    EXPECT_EQ(ReadDword(s, "Negative"), 0xFFFFFFFFu);
    EXPECT_EQ(ReadDword(s, "Words"), 0u);
    EXPECT_EQ(ReadDword(s, "1NoTab"), 7u);

    // Nothing is deleted: values not in the file stay.
    WriteString(s, "Language", "Indonesia");
    ImportSettingsText("2\tSkin=5\r\n", s);
    EXPECT_EQ(ReadString(s, "Language"), "Indonesia");
    EXPECT_EQ(ReadString(s, "Skin"), "5");
    EXPECT_EQ(ImportSettingsText("", s).lines, 0);
}

// Files saved again by hand in Notepad: as UTF-8 (with a byte-order mark)
// or as "Unicode" (UTF-16, a NUL after every letter).
TEST(SettingsFile, ImportOfAFileSavedInNotepad) {
    MemorySettingsStore s;
    SettingsImport r = ImportSettingsText("\xEF\xBB\xBF" "1\tBarWidth=100\r\n2\tSkin=3\r\n", s);
    EXPECT_EQ(r.written, 2);  // the first line too
    EXPECT_EQ(ReadDword(s, "BarWidth"), 100u);

    std::string utf16 = "\xFF\xFE";
    for (char c : std::string_view("1\tBarWidth=50\r\n2\tSkin=7\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    MemorySettingsStore key;
    r = ImportSettingsText(utf16, key);
    // Nothing written (the registry would have taken "\0B\0a..." as the
    // unnamed value), and the names are reported so the import is no success.
    EXPECT_EQ(r.written, 0);
    EXPECT_TRUE(key.Names().empty());
    EXPECT_EQ(r.not_stored, (std::vector<std::string>{"Skin"}));  // the first line starts with the mark

    // Any control character in a name; one in a value is the value's business.
    r = ImportSettingsText("1\tBar\x01Width=5\r\n1\tA\tB=6\r\n2\tArea=Ja\x7Fkarta\r\n", key);
    EXPECT_EQ(r.not_stored, (std::vector<std::string>{"BarWidth", "AB"}));
    EXPECT_EQ(key.Names(), std::vector<std::string>{"Area"});
}

TEST(SettingsFile, ExportThenImportGivesTheSameKey) {
    MemorySettingsStore key;
    AlertSettings alerts;
    alerts.message1 = 10;
    alerts.m_shutdown = 2;
    alerts.m_jumat = EncodeDate(2024, 3, 1) + EncodeTime(11, 45, 0);
    WriteAlertSettings(key, alerts);
    WriteString(key, "latitude", "-6,175");
    WriteString(key, "Area", "Kota \x96 Jakarta");  // Windows-1252 bytes pass through
    WriteString(key, "Language", "");
    WriteDword(key, "Counter", 0x80000000u);
    WriteDouble(key, "Tiny", 5e-324);
    WriteDword(key, kHijriCalendarValue, 1);
    WriteDword(key, kImsakValue, 10);

    const std::string text = ExportSettingsText(key);
    MemorySettingsStore copy;
    ImportSettingsText(text, copy);
    EXPECT_EQ(ExportSettingsText(copy), text);
    for (const std::string& name : key.Names()) {
        EXPECT_EQ(copy.Read(name), key.Read(name)) << name;
    }
    EXPECT_EQ(copy.Names().size(), key.Names().size());
    EXPECT_EQ(ReadAlertSettings(copy), alerts);
    const CoreSettings core = ReadMainSettings(copy).core;
    EXPECT_EQ(core.hijri_calendar, HijriCalendar::UmmAlQura);
    EXPECT_EQ(core.imsak_minutes, 10);
}

// A value carrying a line break cannot start a line of its own: the export
// imports back to exactly the values exported, and nothing else.
TEST(SettingsFile, ExportEscapesWhatWouldNotReadBack) {
    MemorySettingsStore s;
    WriteString(s, "Area", "Masjid\r\nMShutdown=1");
    WriteString(s, "Tabbed", "a\tb\t");
    WriteString(s, "Blank", "ends in blanks  ");
    WriteString(s, "Path", "C:\\x41\\adzan.mp3");  // a backslash alone stays plain
    WriteDword(s, "A=B", 7);
    WriteDouble(s, "Line\nBreak", 0.5);
    const std::string text = ExportSettingsText(s);
    EXPECT_EQ(text,
              "2\tPath=C:\\x41\\adzan.mp3\r\n"
              "\\1\tA\\x3DB=7\r\n"
              "\\2\tArea=Masjid\\x0D\\x0AMShutdown\\x3D1\r\n"
              "\\2\tBlank=ends in blanks \\x20\r\n"
              "\\2\tTabbed=a\\x09b\\x09\r\n"
              "\\3\tLine\\x0ABreak=0.5\r\n");
    MemorySettingsStore back;
    const SettingsImport r = ImportSettingsText(text, back);
    EXPECT_EQ(ReadString(back, "Area"), "Masjid\r\nMShutdown=1");
    EXPECT_FALSE(back.Read("MShutdown"));
    EXPECT_EQ(ReadString(back, "Tabbed"), "a\tb\t");
    EXPECT_EQ(ReadString(back, "Blank"), "ends in blanks  ");
    EXPECT_EQ(ReadString(back, "Path"), "C:\\x41\\adzan.mp3");
    EXPECT_EQ(ReadDword(back, "A=B"), 7u);
    // A name with a control character is never stored, as before.
    EXPECT_THAT(r.not_stored, ::testing::ElementsAre("LineBreak"));
    EXPECT_EQ(r.written, 5);
}
