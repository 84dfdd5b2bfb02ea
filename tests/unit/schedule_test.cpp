#include "example_place.h"
#include "waktuna/files/files.h"
#include "waktuna/schedule/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

using namespace waktuna;
namespace fs = std::filesystem;

namespace {

const LanguageList& English() {
    static const LanguageList english = BuiltInEnglish();
    return english;
}

// The built-in English list with some lines changed.
LanguageList EnglishWith(std::initializer_list<std::pair<int, const char*>> changes) {
    std::vector<std::string> lines;
    for (int n = 1; n <= English().Count(); ++n) lines.push_back(English().Line(n));
    for (const auto& [line, text] : changes) lines[static_cast<size_t>(line) - 1] = text;
    return LanguageList(std::move(lines));
}

// Jakarta: -6.175, 106.8272, 8 m, UTC+7, Fajr 20, Isha 18, Syafi'i.
ScheduleRequest Jakarta(Ymd from, Ymd to, ScheduleFormat format) {
    ScheduleRequest r;
    r.first = EncodeDate(from.year, from.month, from.day);
    r.last = EncodeDate(to.year, to.month, to.day);
    r.format = format;
    r.calc = JakartaCalc();
    r.methods = 6;
    r.area = "Jakarta";
    return r;
}

std::string Render(const ScheduleRequest& request, const LanguageList& language = English()) {
    std::ostringstream out;
    EXPECT_TRUE(RenderSchedule(request, language, out));
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
        lines.push_back(text.substr(pos, end - pos));
    lines.push_back(text.substr(pos));
    return lines;
}

// Heading lines of a TSV timetable ("March 2024\t\tSyaban 1445 H") and the
// number of day rows under each.
std::vector<std::pair<std::string, int>> Blocks(const std::string& tsv) {
    std::vector<std::pair<std::string, int>> blocks;
    const auto lines = Lines(tsv);
    for (size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].find("\t\t") != std::string::npos) {
            blocks.push_back({lines[i], 0});
            ++i;  // the header line
        } else if (!blocks.empty() && !lines[i].empty() && std::isdigit(lines[i][0]) &&
                   lines[i].find('\t') != std::string::npos) {
            ++blocks.back().second;
        }
    }
    return blocks;
}

// The times of 1 and 2 March 2024 at Jakarta and their Hijri dates (20 and 21
// Syaban 1445) were worked out separately from the formulas of the solar model
// and the tabular Hijri calendar, not taken from this program's output.
const char* const kMarch2024Csv =
    "Prayer times table for Jakarta\r\n"
    "1 March 2024 - 2 March 2024\r\n"
    "\r\n"
    "\r\n"
    "March 2024,,Syaban 1445 H\r\n"
    "Masehi,Hijri,Fajr,Shurook,Zuhr,Asr,Maghrib,Isha\r\n"
    "1,20,04:40:42,05:58:22,12:05:24,15:09:20,18:12:27,19:21:56\r\n"
    "2,21,04:40:46,05:58:21,12:05:13,15:08:21,18:12:06,19:21:30\r\n"
    "\r\n"
    "Keterangan\r\n"
    " Lattitude = 6\xB0" "10'30\"S\r\n"
    " Longitude = 106\xB0" "49'38\"E\r\n"
    " Altitude = 8 m\r\n"
    " Dawn Angle (Gd) = 20\xB0\r\n"
    " Night Angle (Dn) = 18\xB0\r\n"
    " Time Zone =  7\r\n"
    " Asr Calculation Based on Mazhab Syafii\r\n"
    " Conventions for calculation Fajr and Ishaa Based on = Customize degree\r\n"
    "\r\n"
    " Created with Waktuna v3.10\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t p = 0; (p = text.find(from, p)) != std::string::npos; p += to.size())
        text.replace(p, from.size(), to);
    return text;
}

}  // namespace

TEST(ScheduleColours, HtmlTextAndContrast) {
    EXPECT_EQ(ColourToHtml(Rgb(128, 128, 128)), "#808080");
    EXPECT_EQ(ColourToHtml(Rgb(0x12, 0xAB, 0xEF)), "#12ABEF");  // red first, upper case
    EXPECT_EQ(ColourToHtml(Rgb(0, 0, 0)), "#000000");
    EXPECT_EQ(ContrastColour(Rgb(255, 200, 0)), Rgb(0, 0, 255));
    EXPECT_EQ(ContrastColour(Rgb(128, 129, 0)), Rgb(255, 0, 255));  // 128 is still dark
    EXPECT_EQ(ContrastColour(Rgb(128, 128, 128)), Rgb(255, 255, 255));
}

TEST(ScheduleEscapes, EachFormatGuardsItsOwnSyntax) {
    EXPECT_EQ(CsvField("Jakarta"), "Jakarta");
    EXPECT_EQ(CsvField("Jakarta, Indonesia"), "\"Jakarta, Indonesia\"");
    EXPECT_EQ(CsvField("a \"b\", c"), "\"a \"\"b\"\", c\"");
    EXPECT_EQ(CsvField("\"Kota\" Baru"), "\"\"\"Kota\"\" Baru\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(CsvField(" = 6\xB0" "10'30\"S"), " = 6\xB0" "10'30\"S");  // seconds mark stays
    EXPECT_EQ(CsvField(""), "");

    EXPECT_EQ(TsvField("a\tb"), "a b");
    EXPECT_EQ(TsvField("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(TsvField("a, \"b\""), "a, \"b\"");

    EXPECT_EQ(HtmlText("Tom & Jerry <b> \"x\" 'y'"),
              "Tom &amp; Jerry &lt;b&gt; &quot;x&quot; 'y'");
    EXPECT_EQ(HtmlText("&amp;"), "&amp;amp;");
}

TEST(ScheduleTemplate, FirstOnlyOrEveryOccurrenceInOnePass) {
    const std::string text = "{A}{B}-{A}{B}-{C";
    EXPECT_EQ(FillPlaceholders(text, {{"{A}", "1"}, {"{B}", "2", true}}), "12-{A}2-{C");
    // An inserted value is never searched again: no endless replacement.
    EXPECT_EQ(FillPlaceholders("<{T}|{T}|{P}>", {{"{T}", "{T}{P}", true}, {"{P}", "p"}}),
              "<{T}{P}|{T}{P}|p>");
    EXPECT_EQ(FillPlaceholders("", {{"{T}", "x", true}}), "");
    EXPECT_EQ(FillPlaceholders("no placeholders", {{"{T}", "x", true}, {"", "y"}}), "no placeholders");
    EXPECT_EQ(FillPlaceholders("{T}{T}{T}", {{"{T}", "", true}}), "");
}

TEST(ScheduleText, CsvOfTwoDaysByteForByte) {
    EXPECT_EQ(Render(Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Csv)), kMarch2024Csv);
}

TEST(ScheduleText, TsvDiffersOnlyInTheSeparator) {
    const std::string tsv = Render(Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Tsv));
    EXPECT_EQ(tsv, Replace(kMarch2024Csv, ",", "\t"));
}

TEST(ScheduleText, TextsWithSeparatorsAreEscaped) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Csv);
    request.area = "Jakarta, \"DKI\"";
    const LanguageList language = EnglishWith({
        {17, "Mar,ch"},
        {3, "Shu\"rook"},     // a double quote inside a field stays single
        {39, "Lat, itude"},  // a summary line holding a comma
    });

    const auto csv = Lines(Render(request, language));
    EXPECT_EQ(csv[0], "\"Prayer times table for Jakarta, \"\"DKI\"\"\"");
    EXPECT_EQ(csv[1], "\"1 Mar,ch 2024 - 1 Mar,ch 2024\"");
    EXPECT_EQ(csv[4], "\"Mar,ch 2024\",,Syaban 1445 H");
    EXPECT_EQ(csv[5], "Masehi,Hijri,Fajr,Shu\"rook,Zuhr,Asr,Maghrib,Isha");
    EXPECT_EQ(csv[9], "\" Lat, itude = 6\xB0" "10'30\"\"S\"");

    request.format = ScheduleFormat::Tsv;
    request.area = "Tab\there\r\nand there";
    const auto tsv = Lines(Render(request, language));
    EXPECT_EQ(tsv[0], "Prayer times table for Tab here and there");
    EXPECT_EQ(tsv.size(), Lines(Render(Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Tsv)))
                              .size());
}

TEST(ScheduleText, TimeFormatWithoutSeconds) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Csv);
    request.time_format = "HH:mm";
    request.core.time_format = "HH:mm";
    EXPECT_EQ(Lines(Render(request))[6], "1,20,04:40,05:58,12:05,15:09,18:12,19:21");
}

TEST(ScheduleWalk, MonthBlocksAndTheirHeadings) {
    // 15 January to 10 March 2024: three blocks, the first and last partial.
    EXPECT_EQ(Blocks(Render(Jakarta({2024, 1, 15}, {2024, 3, 10}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{
                  {"January 2024\t\tRajab 1445 H", 17},
                  {"February 2024\t\tRajab - Syaban 1445 H", 29},
                  {"March 2024\t\tSyaban 1445 H", 10}}));
    // Over the turn of the year, down to a one-day January.
    EXPECT_EQ(Blocks(Render(Jakarta({2023, 12, 20}, {2024, 1, 1}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{
                  {"December 2023\t\tJumadil Akhir 1445 H", 12},
                  {"January 2024\t\tJumadil Akhir 1445 H", 1}}));
    // One day: one block, one row.
    EXPECT_EQ(Blocks(Render(Jakarta({2024, 2, 29}, {2024, 2, 29}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{{"February 2024\t\tSyaban 1445 H", 1}}));
}

TEST(ScheduleWalk, HijriLabelNamesTheFirstAndLastDaysMonths) {
    // 11 March 2024 is 1 Ramadhan 1445 and the rest of March stays in it.
    EXPECT_EQ(Blocks(Render(Jakarta({2024, 3, 11}, {2024, 4, 30}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{
                  {"March 2024\t\tRamadhan 1445 H", 21},
                  {"April 2024\t\tRamadhan - Syawal 1445 H", 30}}));
    // 31 August 2019 is 29 Dzulhijjah 1440, and 1 September begins 1441: the
    // August block keeps the old year and names only its own months.
    EXPECT_EQ(Blocks(Render(Jakarta({2019, 8, 1}, {2019, 9, 1}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{
                  {"August 2019\t\tDzulqaidah - Dzulhijjah 1440 H", 31},
                  {"September 2019\t\tMuharram 1441 H", 1}}));
    // October 2046 runs from 30 Dzulqaidah 1468 to 1 Muharram 1469: three
    // Hijri months, the middle one unnamed, the year of the last day.
    EXPECT_EQ(Blocks(Render(Jakarta({2046, 10, 1}, {2046, 10, 31}, ScheduleFormat::Tsv))),
              (std::vector<std::pair<std::string, int>>{
                  {"October 2046\t\tDzulqaidah - Muharram 1469 H", 31}}));

    MonthBlock block;
    block.first_hijri_month = 12;
    block.last_hijri_month = 12;
    EXPECT_EQ(HijriLabel(block, English().HijriMonths()), "Dzulhijjah");
    block.last_hijri_month = 13;  // out of the table: nothing to name, no crash
    EXPECT_EQ(HijriLabel(block, English().HijriMonths()), "Dzulhijjah - ");
}

TEST(ScheduleWalk, HijriCorrectionShiftsTheHijriDays) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Csv);
    request.core.hijriyah_diff = -1;
    EXPECT_EQ(Lines(Render(request))[6].substr(0, 5), "1,19,");
}

TEST(ScheduleWalk, EndBeforeStartWritesNothing) {
    const auto request = Jakarta({2024, 3, 2}, {2024, 3, 1}, ScheduleFormat::Csv);
    EXPECT_EQ(Render(request), "");
}

TEST(ScheduleWalk, TwoCenturiesCompleteDayByDay) {
    // Counts lines without keeping the text: 1900-01-01 .. 2100-12-31 has
    // 201 * 365 + 49 leap days = 73414 rows in 201 * 12 = 2412 blocks.
    struct LineCounter : std::streambuf {
        long long lines = 0;
        int overflow(int c) override {
            if (c == '\n') ++lines;
            return c;
        }
    } counter;
    std::ostream out(&counter);
    ASSERT_TRUE(RenderSchedule(Jakarta({1900, 1, 1}, {2100, 12, 31}, ScheduleFormat::Csv),
                               English(), out));
    // title, period; 4 lines a block; the rows; empty line, "Keterangan", 10 summary lines.
    EXPECT_EQ(counter.lines, 2 + 2412 * 4 + 73414 + 12);
}

TEST(ScheduleWalk, AFailingStreamIsReported) {
    struct Full : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } full;
    std::ostream out(&full);
    EXPECT_FALSE(RenderSchedule(Jakarta({2024, 1, 1}, {2024, 12, 31}, ScheduleFormat::Tsv),
                                English(), out));
}

TEST(ScheduleInfo, SettingsSummary) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Csv);
    request.calc.fajr_angle = 19.5f;
    request.calc.isha_angle = 17.5f;
    request.calc.time_zone = -7;
    request.calc.syafii = false;
    request.calc.altitude = -12;
    request.methods = 5;
    const auto info = Lines(ScheduleInfo(request, English(), "\r\n", CsvField));
    EXPECT_EQ(info[2], " Altitude = -12 m");
    EXPECT_EQ(info[3], " Dawn Angle (Gd) = 19.5\xB0");
    EXPECT_EQ(info[4], " Night Angle (Dn) = 17.5\xB0");
    EXPECT_EQ(info[5], " Time Zone =  -7");
    EXPECT_EQ(info[6], " Asr Calculation Based on Mazhab Hanafi");
    EXPECT_EQ(info[7],
              " Conventions for calculation Fajr and Ishaa Based on = Egyptian General Org. Of "
              "Surveying");
    // A value typed as 18.3 prints as typed, not as the digits of its float.
    request.calc.fajr_angle = 18.3f;
    request.calc.time_zone = 5.75f;
    const auto typed = Lines(ScheduleInfo(request, English(), "\r\n", CsvField));
    EXPECT_EQ(typed[3], " Dawn Angle (Gd) = 18.3\xB0");
    EXPECT_EQ(typed[5], " Time Zone =  5.75");
    // Isya by an interval is named by it, not by an angle the times do not use.
    const std::pair<std::pair<int, int>, const char*> intervals[] = {
        {{90, 0}, " Isha interval (minutes) = 90"},
        {{90, 120}, " Isha interval (minutes) = 90, Isha interval in Ramadan = 120"},
    };
    request.calc.isha_angle = 0;
    for (const auto& [minutes, expected] : intervals) {
        request.calc.isha_interval = minutes.first;
        request.calc.isha_interval_ramadan = minutes.second;
        EXPECT_EQ(Lines(ScheduleInfo(request, English(), "\r\n", TsvField))[4], expected);
    }
}

TEST(ScheduleInfo, ConventionLineOfEachMethodsValue) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Tsv);
    const auto convention = [&](int methods) {
        request.methods = methods;
        const std::string line = Lines(ScheduleInfo(request, English(), "\r\n", TsvField))[7];
        return line.substr(line.find(" = ") + 3);
    };
    EXPECT_EQ(convention(1), "Univ. of Islamic Sciences Karachi");
    EXPECT_EQ(convention(4), "Univ. Ummul Qura\x92");
    EXPECT_EQ(convention(6), "Customize degree");
    // A missing value (0), or one no preset has, is the custom convention.
    EXPECT_EQ(convention(0), "Customize degree");
    EXPECT_EQ(convention(7), "Customize degree");
    EXPECT_EQ(convention(-3), "Customize degree");
}

namespace {

const char* const kTemplate =
    "<title>{TITLE}</title>{VERSI}{VERSI}|{COLMAIN}{COLMAIN}|{COLTEXT}{COLTEXT}|{TITLE}|"
    "{PERIODE}{PERIODE}|{BLN_M}{INFO}"
    "<!--header-->"
    "[{BLN_M}/{BLN_H}/{TBL_HEAD}/{TBL_ROWS}/{TITLE}/{BLN_M}]"
    "<!--jadwal-->"
    "({INFO}{INFO}{TITLE}{VERSI}\xB0\xB0)";

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const size_t a = text.find(from);
    if (a == std::string::npos) return "<missing " + from + ">";
    const size_t b = text.find(to, a + from.size());
    return text.substr(a + from.size(), b == std::string::npos ? b : b - a - from.size());
}

std::vector<std::string> RowTags(const std::string& html) {
    std::vector<std::string> tags;
    static const std::regex tr("<tr[^>]*>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), tr); it != std::sregex_iterator();
         ++it)
        tags.push_back(it->str());
    return tags;
}

}  // namespace

TEST(ScheduleHtml, HeaderPlaceholders) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Html);
    request.main_colour = Rgb(0x10, 0x80, 0xFF);
    request.text_colour = Rgb(255, 255, 255);
    request.html_template = kTemplate;
    const std::string html = Render(request);
    const std::string header = html.substr(0, html.find('['));
    EXPECT_EQ(header,
              "<title>Prayer times table for Jakarta</title>v3.10{VERSI}|#1080FF#1080FF|"
              "#FFFFFF#FFFFFF|Prayer times table for Jakarta|1 March 2024 - 2 March 2024{PERIODE}|"
              "{BLN_M}{INFO}");
}

TEST(ScheduleHtml, BlocksRowsAndMarks) {
    // 29 February 2024 is a Thursday; 1 March a Friday, 3 March a Sunday.
    auto request = Jakarta({2024, 2, 29}, {2024, 3, 6}, ScheduleFormat::Html);
    request.html_template = kTemplate;
    const std::string html = Render(request);

    const std::string head =
        "<tr><td>Msh</td><td>Hjr</td><td>Fajr</td><td>Shurook</td><td>Zuhr</td><td>Asr</td>"
        "<td>Maghrib</td><td>Isha</td></tr>";
    const std::string feb = Between(html, "[February 2024/", "]");
    const std::string mar = Between(html, "[March 2024/", "]");
    EXPECT_EQ(feb.substr(0, feb.find('/')), "Syaban 1445 H");
    EXPECT_EQ(mar.substr(0, mar.find('/')), "Syaban 1445 H");
    // Each block: its heading once, the header row, its rows, and the other
    // placeholders left as they are.
    EXPECT_NE(feb.find("/" + head + "/<tr id=\"2024229\" class=\"even\">"), std::string::npos);
    EXPECT_NE(feb.find("</tr>/{TITLE}/{BLN_M}"), std::string::npos);
    EXPECT_NE(mar.find("/" + head + "/<tr id=\"202431\" class=\"friday\"><td>1</td><td>20</td>"
                       "<td>04:40:42</td><td>05:58:22</td><td>12:05:24</td><td>15:09:20</td>"
                       "<td>18:12:27</td><td>19:21:56</td></tr><tr id=\"202432\" class=\"even\">"),
              std::string::npos);

    EXPECT_EQ(RowTags(html), (std::vector<std::string>{
                                 "<tr>",                               // February's header row
                                 "<tr id=\"2024229\" class=\"even\">",  // index 0, Thursday
                                 "<tr>",                               // March's header row
                                 "<tr id=\"202431\" class=\"friday\">",  // index 1
                                 "<tr id=\"202432\" class=\"even\">",    // Saturday, index 2
                                 "<tr id=\"202433\" class=\"week\">",    // Sunday, index 3
                                 "<tr id=\"202434\" class=\"even\">",    // Monday, index 4
                                 "<tr id=\"202435\">",
                                 "<tr id=\"202436\" class=\"even\">"}));
}

TEST(ScheduleHtml, RowIdsAndMarksAtTheStartOfARange) {
    auto request = Jakarta({2024, 1, 5}, {2024, 1, 5}, ScheduleFormat::Html);
    request.html_template = "<!--header-->{TBL_ROWS}<!--jadwal-->";
    EXPECT_EQ(RowTags(Render(request)),
              std::vector<std::string>{"<tr id=\"202415\" class=\"friday\">"});
    request.first = request.last = EncodeDate(2024, 11, 15);
    EXPECT_EQ(RowTags(Render(request)),
              std::vector<std::string>{"<tr id=\"20241115\" class=\"friday\">"});
    request.first = request.last = EncodeDate(2024, 3, 3);  // a Sunday at index 0
    EXPECT_EQ(RowTags(Render(request)), std::vector<std::string>{"<tr id=\"202433\" class=\"week\">"});
    request.first = request.last = EncodeDate(2024, 3, 4);  // a Monday at index 0
    EXPECT_EQ(RowTags(Render(request)), std::vector<std::string>{"<tr id=\"202434\" class=\"even\">"});
}

TEST(ScheduleHtml, FooterSummaryLinkAndDegreeSigns) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Html);
    request.html_template = kTemplate;
    const std::string html = Render(request);
    const std::string footer = html.substr(html.rfind(']') + 1);
    EXPECT_EQ(footer,
              "( Lattitude = 6&deg;10'30&quot;S<br /> Longitude = 106&deg;49'38&quot;E<br />"
              " Altitude = 8 m<br /> Dawn Angle (Gd) = 20&deg;<br /> Night Angle (Dn) = 18&deg;<br />"
              " Time Zone =  7<br /> Asr Calculation Based on Mazhab Syafii<br /> Conventions for "
              "calculation Fajr and Ishaa Based on = Customize degree<br /><br /> Created with "
              "<a href=\"https://waktuna.example.org/\" target=\"_blank\">Waktuna</a> v3.10\r\n"
              "{INFO}{TITLE}{VERSI}&deg;&deg;)");
}

TEST(ScheduleHtml, InsertedTextsAreEscapedAndNeverReplacedAgain) {
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Html);
    request.area = "<b>A & B</b> \"{TITLE}{PERIODE}\"";
    request.html_template =
        "{TITLE}|{PERIODE}<!--header-->{BLN_M}|{BLN_H}|{TBL_HEAD}<!--jadwal-->{INFO}";
    const std::string html = Render(request, EnglishWith({
                                                 {17, "M<rz>"},
                                                 {34, "Sya&ban {BLN_H}"},  // the day's Hijri month
                                                 {2, "F\"ajr"},
                                                 {40, "Long & itude {INFO}"},
                                                 // the link still goes to the last line
                                                 {82, "Waktuna convention"},
                                             }));
    EXPECT_EQ(html.substr(0, html.find("<tr>")),
              "Prayer times table for &lt;b&gt;A &amp; B&lt;/b&gt; &quot;{TITLE}{PERIODE}&quot;|"
              "1 M&lt;rz&gt; 2024 - 1 M&lt;rz&gt; 2024M&lt;rz&gt; 2024|Sya&amp;ban {BLN_H} 1445 H|");
    EXPECT_NE(html.find("<td>F&quot;ajr</td>"), std::string::npos);
    EXPECT_NE(html.find(" Long &amp; itude {INFO} = "), std::string::npos);
    EXPECT_NE(html.find(" = Waktuna convention<br />"), std::string::npos);
    EXPECT_NE(html.find("Created with <a href="), std::string::npos);
}

TEST(ScheduleHtml, TemplateWithoutMarkers) {
    auto request = Jakarta({2024, 3, 1}, {2024, 4, 2}, ScheduleFormat::Html);
    request.html_template = "";
    EXPECT_EQ(Render(request), "");
    // Without "<!--jadwal-->" the rest of the template is the block and there
    // is no footer; without "<!--header-->" there is no header.
    request.html_template = "{TITLE}<!--header-->({BLN_M})";
    EXPECT_EQ(Render(request), "Prayer times table for Jakarta(March 2024)(April 2024)");
    request.html_template = "{TITLE}({BLN_M})<!--jadwal-->.";
    EXPECT_EQ(Render(request), "{TITLE}(March 2024){TITLE}(April 2024).");
    // Markers in the wrong order: cut where they are found, nothing lost or added.
    request.html_template = "a<!--jadwal-->b<!--header-->c";
    EXPECT_EQ(Render(request), "a<!--jadwal-->bb<!--header-->c");
}

namespace {

struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("waktuna-schedule-" + std::to_string(std::random_device{}() % 1000000) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace

TEST(ScheduleFile, WritesAndReplacesTheFile) {
    TempDir dir;
    const std::string file = dir.File("jadwal.csv");
    WriteText(file, "an older and much longer timetable than the new one will be ...........");
    const auto result =
        WriteSchedule(Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Csv), English(), file);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(FileText(file), kMarch2024Csv);  // binary: CR LF stays CR LF on Windows
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"jadwal.csv"});
}

TEST(ScheduleFile, MissingTemplateGivesAnEmptyFile) {
    TempDir dir;
    auto request = Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Html);
    request.html_template = ReadScheduleTemplate(dir.File("jadwal.tpl"));
    EXPECT_EQ(request.html_template, "");
    EXPECT_TRUE(WriteSchedule(request, English(), dir.File("out.html")).ok);
    EXPECT_EQ(fs::file_size(dir.path / "out.html"), 0u);

    WriteText(dir.path / "jadwal.tpl", std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadScheduleTemplate(dir.File("jadwal.tpl")), std::string("a\0b\r\n", 5));
}

TEST(ScheduleFile, FailuresAreReportedAndLeaveNothingBehind) {
    TempDir dir;
    const auto request = Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Csv);

    // The folder does not exist.
    auto result = WriteSchedule(request, English(), dir.File("no such folder/x.csv"));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("x.csv"), std::string::npos) << result.error;

    // The name is taken by a folder: the folder stays, no temporary file is left.
    fs::create_directory(dir.path / "taken.csv");
    WriteText(dir.path / "taken.csv" / "inside", "kept");
    result = WriteSchedule(request, English(), dir.File("taken.csv"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(FileText(dir.path / "taken.csv" / "inside"), "kept");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"taken.csv"});

    // End before start: reported, and an existing file is left alone.
    WriteText(dir.path / "old.csv", "old");
    result = WriteSchedule(Jakarta({2024, 3, 2}, {2024, 3, 1}, ScheduleFormat::Csv), English(),
                           dir.File("old.csv"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Invalid date range, please check again\r\nerror : Date 1 > Date 2");
    EXPECT_EQ(FileText(dir.path / "old.csv"), "old");

    // The last step, replacing the file, fails: the old file stays whole.
    result = WriteSchedule(request, English(), dir.File("old.csv"),
                           [](const std::string&, const std::string&) { return false; });
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("old.csv"), std::string::npos) << result.error;
    EXPECT_EQ(FileText(dir.path / "old.csv"), "old");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"old.csv", "taken.csv"}));
}

// Content lines stay within 75 octets without cutting a UTF-8 character, and
// TEXT values cannot end a property early.
TEST(ScheduleICalendar, FoldingAndEscapes) {
    const std::string line = "DESCRIPTION:" + std::string(61, 'a') + "\xC3\xA9" + std::string(80, 'b');
    const std::string folded = FoldICalendarLine(line);
    std::string unfolded;
    for (const auto& part : Lines(folded)) {
        EXPECT_LE(part.size(), 75u);
        if (!part.empty() && (static_cast<unsigned char>(part[part[0] == ' ' ? 1 : 0]) & 0xC0) == 0x80)
            ADD_FAILURE() << "a line begins inside a character";
        unfolded += part.empty() || part[0] != ' ' ? part : part.substr(1);
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(folded.substr(folded.size() - 2), "\r\n");
    EXPECT_EQ(FoldICalendarLine("UID:x"), "UID:x\r\n");
    EXPECT_EQ(ICalendarText("a,b;c\\d\r\ne"), "a\\,b\\;c\\\\d\\ne");
}

// Each day's times at their UTC instants, in the zone of that day; sunrise
// only when asked; times the sun never reaches have no event.
TEST(ScheduleICalendar, EventsAtTheirUtcInstantsWithStableUids) {
    ScheduleRequest r = Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Ics);
    r.created = 1700000000;  // 2023-11-14 22:13:20 UTC
    const std::string ics = Render(r);
    EXPECT_EQ(ics.substr(0, 17), "BEGIN:VCALENDAR\r\n");
    EXPECT_EQ(ics.substr(ics.size() - 15), "END:VCALENDAR\r\n");
    // 1 March 2024, Shubuh 04:40:42 at UTC+7 (the CSV's time).
    EXPECT_NE(ics.find("UID:20240301-fajr@waktuna\r\nDTSTART:20240229T214042Z\r\n"
                       "DTSTAMP:20231114T221320Z\r\nDURATION:PT15M\r\nSUMMARY:Fajr\r\n"),
              std::string::npos);
    EXPECT_NE(ics.find("UID:20240302-isha@waktuna\r\nDTSTART:20240302T122130Z"), std::string::npos);
    const auto count = [](const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(ics, "BEGIN:VEVENT"), 10u);
    EXPECT_EQ(count(ics, "sunrise@"), 0u);
    EXPECT_EQ(Render(r), ics);  // the same file again
    r.ics_sunrise = true;
    EXPECT_EQ(count(Render(r), "UID:20240301-sunrise@waktuna\r\nDTSTART:20240229T225822Z"), 1u);

    // Midnight sun: no Maghrib nor Isya, so no events for them.
    ScheduleRequest north = r;
    north.calc.latitude = 70;
    north.first = north.last = EncodeDate(2024, 6, 21);
    const std::string polar = Render(north);
    EXPECT_EQ(count(polar, "isha@") + count(polar, "maghrib@"), 0u);
    EXPECT_EQ(count(polar, "dhuhr@"), 1u);
}

// Far north in summer some times of a row fall on the next or the day before:
// each event on the night it really happens, never before that day's dawn or
// after its nightfall. Angles 18 and 18 throughout.
TEST(ScheduleICalendar, TimesPastMidnightOnTheirOwnNight) {
    const auto dtstart = [](double lat, double lon, float zone, Ymd date, const std::string& uid) {
        ScheduleRequest r = Jakarta(date, date, ScheduleFormat::Ics);
        r.calc.latitude = static_cast<float>(lat);
        r.calc.longitude = static_cast<float>(lon);
        r.calc.altitude = 0;
        r.calc.time_zone = zone;
        r.calc.fajr_angle = r.calc.isha_angle = 18;
        r.ics_sunrise = true;
        const std::string ics = Render(r);
        const size_t at = ics.find("UID:" + uid + "@waktuna\r\nDTSTART:");
        return at == std::string::npos ? std::string("none") : ics.substr(ics.find("DTSTART:", at) + 8, 16);
    };
    // Oslo, 19 June 2024: Isya 00:16:07 at UTC+2 is early on the 20th.
    EXPECT_EQ(dtstart(59.9139, 10.7522, 2, {2024, 6, 19}, "20240619-isha"), "20240619T221607Z");
    EXPECT_EQ(dtstart(59.9139, 10.7522, 2, {2024, 6, 19}, "20240619-maghrib"), "20240619T204309Z");
    // Bodø, 27 May 2024: sunset itself is after midnight (00:06:03).
    EXPECT_EQ(dtstart(67.28, 14.40, 2, {2024, 5, 27}, "20240527-maghrib"), "20240527T220603Z");
    // Far east of its zone's meridian the noon is early: dawn at 23:27:50 the
    // evening before, sunrise at 00:39:29 (UTC+3).
    EXPECT_EQ(dtstart(67.5, 64.0, 3, {2024, 5, 15}, "20240515-fajr"), "20240514T202750Z");
    EXPECT_EQ(dtstart(67.5, 64.0, 3, {2024, 5, 15}, "20240515-sunrise"), "20240514T213929Z");
}

// Imsak, 10 minutes before each day's Fajr, in a column of its own before
// Fajr in every format; nothing of it when off.
TEST(ScheduleImsak, AColumnBeforeFajrInEveryFormat) {
    auto csv = Jakarta({2024, 3, 1}, {2024, 3, 2}, ScheduleFormat::Csv);
    csv.core.imsak_minutes = 10;
    std::string want = Replace(kMarch2024Csv, "Hijri,Fajr", "Hijri,Imsak,Fajr");
    want = Replace(want, "1,20,04:40:42", "1,20,04:30:42,04:40:42");
    want = Replace(want, "2,21,04:40:46", "2,21,04:30:46,04:40:46");
    EXPECT_EQ(Render(csv), want);
    csv.format = ScheduleFormat::Tsv;
    EXPECT_EQ(Render(csv), Replace(want, ",", "\t"));

    auto html = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Html);
    html.html_template = ReadWholeFile(WAKTUNA_SOURCE_DIR "/dist/jadwal.tpl").value_or("");
    html.core.imsak_minutes = 10;
    const std::string page = Render(html);
    EXPECT_NE(page.find("<td>Hjr</td><td>Imsak</td><td>Fajr</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>20</td><td>04:30:42</td><td>04:40:42</td>"), std::string::npos);

    auto ics = Jakarta({2024, 3, 1}, {2024, 3, 1}, ScheduleFormat::Ics);
    ics.core.imsak_minutes = 10;
    EXPECT_NE(Render(ics).find("UID:20240301-imsak@waktuna\r\nDTSTART:20240229T213042Z\r\n"), std::string::npos);
    ics.core.imsak_minutes = 61;  // not a stored value: off
    EXPECT_EQ(Render(ics).find("imsak"), std::string::npos);
}

// The Hijri days follow the chosen calendar: 21 February 2023 is 30 Rajab
// 1444 by the tabular rule and 1 Syaban by Umm al-Qura, so the February
// block ends in Syaban only in the second.
TEST(ScheduleWalk, HijriDaysInTheChosenCalendar) {
    auto r = Jakarta({2023, 2, 21}, {2023, 2, 21}, ScheduleFormat::Csv);
    EXPECT_NE(Render(r).find("\r\n21,30,"), std::string::npos);
    r.core.hijri_calendar = HijriCalendar::UmmAlQura;
    const std::string csv = Render(r);
    EXPECT_NE(csv.find("\r\n21,1,"), std::string::npos);
    EXPECT_NE(csv.find("February 2023,,Syaban 1444 H"), std::string::npos);
}
