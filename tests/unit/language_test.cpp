#include "waktuna/files/language.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace waktuna;

namespace {

// Text line i of the made-up files ("T" and the number).
std::string T(int i) { return std::string("T").append(std::to_string(i)); }

// A language file of `count` text lines "T1", "T2", ... joined by `brk`.
std::string FileText(int count, const std::string& brk = "\r\n") {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        if (i > 1) text += brk;
        text += T(i);
    }
    return text;
}

std::vector<std::string> Lines(std::string_view text) { return SplitLanguageLines(text); }

}  // namespace

TEST(BuiltInEnglish, IsTheProgramsTextByteForByte) {
    const std::string_view text = BuiltInEnglishText();
    // Lines joined by CR LF, no break after the last.
    size_t crlf = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) crlf += text[i] == '\r' && text[i + 1] == '\n';
    EXPECT_EQ(crlf + 1, static_cast<size_t>(BuiltInEnglish().Count()));
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(text.substr(0, 15), "Waktuna v3.09\r\n");

    const LanguageList en = BuiltInEnglish();
    ASSERT_GT(en.Count(), kLanguageLineCount);
    EXPECT_EQ(en.Line(227), "Remaining Time");
    EXPECT_EQ(en.Line(80), "Univ. Ummul Qura\x92");
    EXPECT_EQ(en.Line(150), "Masehi \x96 Hijriyah Converter");
    EXPECT_EQ(en.Line(134), "Now is the time to pray %s");
    EXPECT_EQ(en.Line(135), "%d minutes again time to sholah %s");
    EXPECT_EQ(en.Line(137), "%d minutes has left from %s time");
    EXPECT_EQ(en.Line(205), "Time to pray %s still %s (hours:minutes:second)");
    EXPECT_EQ(en.Line(179), "Message Cannot contain simbol \"|\" or \";\"");
    EXPECT_EQ(en.Line(176),
              "Cannot Save to task.dat. Make sure file task.dat is not currently in use");
    EXPECT_EQ(en.Line(69), "Auto tart with windows");
    EXPECT_EQ(en.Line(8), "Sunday");
    EXPECT_EQ(en.Line(14), "Saturday");
    EXPECT_EQ(en.Line(0), "");
    EXPECT_EQ(en.Line(en.Count() + 1), "");
    // Every line is plain text with no stray break or control byte.
    for (int n = 1; n <= en.Count(); ++n) {
        for (unsigned char c : en.Line(n)) EXPECT_GE(c, 32) << "line " << n;
        EXPECT_FALSE(en.Line(n).empty()) << "line " << n;
    }
}

TEST(BuiltInEnglish, FillsBothMonthTables) {
    const LanguageList en = BuiltInEnglish();
    EXPECT_EQ(en.GregorianMonths(), EnglishGregorianMonths());
    EXPECT_EQ(en.HijriMonths(), EnglishHijriMonths());
    EXPECT_EQ(en.GregorianMonths()[1], "January");
    EXPECT_EQ(en.GregorianMonths()[12], "December");
    EXPECT_EQ(en.HijriMonths()[1], "Muharram");
    EXPECT_EQ(en.HijriMonths()[12], "Dzulhijjah");
    EXPECT_EQ(en.HijriMonths()[0], "");
}

TEST(LanguageFile, LineBreaks) {
    EXPECT_EQ(Lines("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    // A line feed not right after a carriage return is text.
    EXPECT_EQ(Lines("a\nb\r\n\nc"), (std::vector<std::string>{"a\nb", "\nc"}));
    // The last line needs no break, and a break at the very end adds nothing.
    EXPECT_EQ(Lines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(Lines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    // A zero byte ends the text.
    EXPECT_EQ(Lines(std::string_view("a\r\nb\0c\r\nd", 10)), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(Lines("").empty());
}

TEST(LanguageFile, CommentsAndBlanks) {
    EXPECT_TRUE(IsDroppedLanguageLine(""));
    EXPECT_TRUE(IsDroppedLanguageLine(" \t\x01 "));
    EXPECT_TRUE(IsDroppedLanguageLine(";comment"));
    EXPECT_TRUE(IsDroppedLanguageLine(" ;word"));
    EXPECT_FALSE(IsDroppedLanguageLine("word; more words"));
    EXPECT_FALSE(IsDroppedLanguageLine("  word  "));
    EXPECT_FALSE(IsDroppedLanguageLine("\xA0"));  // a no-break space is a character
}

TEST(LanguageFile, CommentsAndBlanksDoNotCountInNumbering) {
    // 227 text lines with ten comments and five blank lines mixed in.
    std::string text;
    for (int i = 1; i <= 227; ++i) {
        if (i % 20 == 0) text += std::string("; comment\r\n");
        if (i % 40 == 0) text += "   \t\r\n";
        text += (i == 5 ? "  Asr  " : T(i)) + "\r\n";
    }
    const LanguageFileReading r = ReadLanguageFile(text);
    EXPECT_EQ(r.verdict, LanguageVerdict::Accepted);
    EXPECT_EQ(r.lines_read, 227 + 11 + 5);
    EXPECT_EQ(r.lines_kept, 227);
    EXPECT_EQ(r.list.Line(1), "T1");
    EXPECT_EQ(r.list.Line(5), "  Asr  ");  // spaces kept
    EXPECT_EQ(r.list.Line(100), "T100");
    EXPECT_EQ(r.list.Line(227), "T227");
    EXPECT_EQ(r.list.GregorianMonths()[1], "T15");
    EXPECT_EQ(r.list.HijriMonths()[12], "T38");
}

TEST(LanguageFile, SizeRules) {
    // 214 lines in all are refused even with no comment among them.
    LanguageFileReading r = ReadLanguageFile(FileText(214));
    EXPECT_EQ(r.verdict, LanguageVerdict::TooFewLines);
    EXPECT_EQ(r.lines_read, 214);
    EXPECT_EQ(r.list.Line(1), "Waktuna v3.09");

    // 220 lines of which 25 are comments: 195 kept, refused, English used.
    std::string text;
    for (int i = 1; i <= 220; ++i) text += (i <= 25 ? ";c" : T(i)) + "\r\n";
    r = ReadLanguageFile(text);
    EXPECT_EQ(r.verdict, LanguageVerdict::TooFewKeptLines);
    EXPECT_EQ(r.lines_read, 220);
    EXPECT_EQ(r.lines_kept, 195);
    EXPECT_EQ(r.list.Count(), BuiltInEnglish().Count());
    EXPECT_EQ(r.list.GregorianMonths(), EnglishGregorianMonths());
    EXPECT_EQ(r.list.HijriMonths(), EnglishHijriMonths());

    // 215 lines with 15 comments: exactly 200 kept, accepted; later lines empty.
    text.clear();
    for (int i = 1; i <= 215; ++i) text += (i > 200 ? ";c" : T(i)) + "\r\n";
    r = ReadLanguageFile(text);
    EXPECT_EQ(r.verdict, LanguageVerdict::Accepted);
    EXPECT_EQ(r.list.Count(), 200);
    EXPECT_EQ(r.list.Line(200), "T200");
    // A translation made before later texts were added: its missing lines of
    // the first 227 read empty, the added ones read as English.
    EXPECT_EQ(r.list.Line(201), "");
    EXPECT_EQ(r.list.Line(kLanguageLineCount), "");
    EXPECT_EQ(r.list.Line(kLanguageLineCount + 1), BuiltInEnglish().Line(kLanguageLineCount + 1));
    EXPECT_FALSE(r.list.Line(kLanguageLineCount + 1).empty());
    // An added text a translation keeps as "-" (not yet translated) is English too.
    std::vector<std::string> slots(kLanguageLineCount + 2, "x");
    slots[kLanguageLineCount] = "-";
    const LanguageList partial(slots);
    EXPECT_EQ(partial.Line(kLanguageLineCount + 1), BuiltInEnglish().Line(kLanguageLineCount + 1));
    EXPECT_EQ(partial.Line(kLanguageLineCount + 2), "x");
    EXPECT_EQ(r.list.Line(205), "");

    // Lines beyond 227 are kept and never in the way.
    r = ReadLanguageFile(FileText(300));
    EXPECT_EQ(r.verdict, LanguageVerdict::Accepted);
    EXPECT_EQ(r.list.Line(300), "T300");
}

TEST(LanguageFile, BareLineFeedsReadAsOneLine) {
    const LanguageFileReading r = ReadLanguageFile(FileText(227, "\n"));
    EXPECT_EQ(r.verdict, LanguageVerdict::TooFewLines);
    EXPECT_EQ(r.lines_read, 1);
    // Old Mac files (CR only) are fine.
    EXPECT_EQ(ReadLanguageFile(FileText(227, "\r")).verdict, LanguageVerdict::Accepted);
}

TEST(LanguageFile, LoadingByPath) {
    EXPECT_EQ(LanguageFilePath("C:\\Waktuna\\", "Indonesia"),
              "C:\\Waktuna\\languages\\Indonesia.wlp");
    EXPECT_EQ(LanguageFilePath("C:\\Waktuna\\", ""), "C:\\Waktuna\\languages\\.wlp");

    EXPECT_EQ(LoadLanguageFile("no such file.wlp").Line(2), "Fajr");

    const std::string path = testing::TempDir() + "waktuna_language_test.wlp";
    {
        std::ofstream out(path, std::ios::binary);
        out << FileText(227);
    }
    EXPECT_EQ(LoadLanguageFile(path).Line(2), "T2");
    std::remove(path.c_str());
}

TEST(Templates, FillOnlyExactPlaceholders) {
    EXPECT_EQ(FillTemplate("Now %s", "s", {"Asr"}), "Now Asr");
    EXPECT_EQ(FillTemplate("%d min %s", "ds", {"10", "Zuhr"}), "10 min Zuhr");
    EXPECT_EQ(FillTemplate("%D min %S", "ds", {"10", "Zuhr"}), "10 min Zuhr");
    EXPECT_EQ(FillTemplate("100%% %s", "s", {"x"}), "100% x");
    // The arguments are never read as templates themselves.
    EXPECT_EQ(FillTemplate("%s", "s", {"%s%n%d"}), "%s%n%d");

    EXPECT_EQ(FillTemplate("%s%s%n", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%d", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%s then %d", "ds", {"1", "a"}), std::nullopt);  // wrong order
    EXPECT_EQ(FillTemplate("no placeholder", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%5s", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%-s", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%0:s", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%s %", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%s %x", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("", "s", {"a"}), std::nullopt);
    EXPECT_EQ(FillTemplate("%s", "s", {"a", "b"}), std::nullopt);  // caller mistake
}

TEST(Templates, EnglishMessages) {
    const LanguageList en = BuiltInEnglish();
    EXPECT_EQ(NowIsTimeText(en, "Asr"), "Now is the time to pray Asr");
    EXPECT_EQ(MinutesBeforeText(en, 10, "Zuhr"), "10 minutes again time to sholah Zuhr");
    EXPECT_EQ(MinutesAfterText(en, 5, "Isha"), "5 minutes has left from Isha time");
    EXPECT_EQ(TimeToPrayStillText(en, "Maghrib", "01:02:03"),
              "Time to pray Maghrib still 01:02:03 (hours:minutes:second)");
}

TEST(Templates, TranslationsFallBackLineByLine) {
    std::vector<std::string> lines(227, "x");
    lines[134 - 1] = "Waktunya sholat %s";
    lines[135 - 1] = "%s%s%n";                 // would read memory as printf
    lines[137 - 1] = "%s menit setelah %s";    // %s where %d belongs
    lines[205 - 1] = "Sholat %s masih %s %d";  // one too many
    const LanguageList id(lines);

    EXPECT_EQ(NowIsTimeText(id, "Asar"), "Waktunya sholat Asar");
    EXPECT_TRUE(TemplateLineUsable(id, 134));
    EXPECT_EQ(TemplateLine(id, 134), "Waktunya sholat %s");

    EXPECT_EQ(MinutesBeforeText(id, 10, "Asar"), "10 minutes again time to sholah Asar");
    EXPECT_EQ(MinutesAfterText(id, 10, "Asar"), "10 minutes has left from Asar time");
    EXPECT_EQ(TimeToPrayStillText(id, "Asar", "00:10:00"),
              "Time to pray Asar still 00:10:00 (hours:minutes:second)");
    for (int line : {135, 137, 205}) {
        EXPECT_FALSE(TemplateLineUsable(id, line)) << line;
        EXPECT_EQ(TemplateLine(id, line), BuiltInEnglish().Line(line)) << line;
    }
    // A short list (an accepted file of 200 lines) has no line 205.
    const LanguageList shortList(std::vector<std::string>(200, "y"));
    EXPECT_EQ(TimeToPrayStillText(shortList, "Isha", "1"),
              "Time to pray Isha still 1 (hours:minutes:second)");
    // Other lines are not templates and are always usable as they are.
    EXPECT_TRUE(TemplateLineUsable(id, 2));
    EXPECT_EQ(TemplatePlaceholders(2), std::nullopt);
}
