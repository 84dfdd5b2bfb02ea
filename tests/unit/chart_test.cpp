// The year chart: a line a shown time with its name, the first ten years of a
// longer range, the zone's changes marked, and its place in the HTML page.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "example_place.h"
#include "waktuna/schedule/chart.h"

using namespace waktuna;

namespace {

ScheduleRequest Year(int year) {
    ScheduleRequest r;
    r.first = EncodeDate(year, 1, 1);
    r.last = EncodeDate(year, 12, 31);
    r.calc = JakartaCalc();
    r.area = "Jakarta";
    r.format = ScheduleFormat::Svg;
    return r;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// Summer time from the last Sunday of March to the last of October 2026,
// as in London (01:00 UTC both times).
class SummerTime final : public ZoneRule {
public:
    std::optional<int32_t> OffsetAt(UnixSeconds utc) const override {
        return utc >= 1774746000 && utc < 1792890000 ? 3600 : 0;
    }
    std::string Name() const override { return "Europe/London"; }
};

}  // namespace

TEST(Chart, ALineForEachShownTimeWithItsName) {
    const LanguageList english = BuiltInEnglish();
    ScheduleRequest r = Year(2026);
    std::string svg = RenderChart(r, english, ChartUse::Alone);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    EXPECT_EQ(Count(svg, "<polyline"), 6u);
    for (const char* name : {">Fajr<", ">Shurook<", ">Zuhr<", ">Asr<", ">Maghrib<", ">Isha<"})
        EXPECT_EQ(Count(svg, name), 1u) << name;
    // 365 points a line; Jakarta's times stay between 04:00 and 20:00.
    const std::smatch line = [&] {
        std::smatch m;
        std::regex_search(svg, m, std::regex("<polyline points=\"([^\"]*)\""));
        return m;
    }();
    EXPECT_EQ(Count(line[1].str(), ","), 365u);
    EXPECT_EQ(Count(svg, ">04:00<") + Count(svg, ">20:00<"), 2u);
    EXPECT_EQ(Count(svg, ">Jan<") + Count(svg, ">Dec<"), 2u);
    EXPECT_EQ(Count(svg, "stroke-dasharray=\"6 4\""), 0u);

    r.core.imsak_minutes = 10;
    svg = RenderChart(r, english, ChartUse::Alone);
    EXPECT_EQ(Count(svg, "<polyline"), 7u);
    EXPECT_EQ(Count(svg, ">Imsak<"), 1u);
    EXPECT_EQ(Count(svg, "stroke-dasharray=\"6 4\""), 1u);  // Imsak dashed in Fajr's colour
}

TEST(Chart, TheFirstTenYearsOfALongerRangeAndSaysSo) {
    EXPECT_EQ(ChartLastDay(EncodeDate(2020, 1, 1), EncodeDate(2035, 6, 1)), EncodeDate(2029, 12, 31));
    EXPECT_EQ(ChartLastDay(EncodeDate(2024, 2, 29), EncodeDate(2040, 1, 1)), EncodeDate(2034, 2, 27));
    EXPECT_EQ(ChartLastDay(EncodeDate(2020, 1, 1), EncodeDate(2029, 12, 31)), EncodeDate(2029, 12, 31));
    EXPECT_EQ(ChartLastDay(EncodeDate(9995, 1, 1), EncodeDate(9999, 12, 31)), EncodeDate(9999, 12, 31));

    ScheduleRequest r = Year(2020);
    r.last = EncodeDate(2035, 6, 1);
    const std::string svg = RenderChart(r, BuiltInEnglish(), ChartUse::Alone);
    EXPECT_NE(svg.find("1 January 2020 - 31 December 2029"), std::string::npos);
    EXPECT_NE(svg.find("The chart shows the first ten years of the range."), std::string::npos);
    const std::string years = ">2020<>2021<>2022<>2023<>2024<>2025<>2026<>2027<>2028<>2029<";
    std::string shown;
    for (int y = 2019; y <= 2031; ++y)
        if (svg.find(">" + std::to_string(y) + "<") != std::string::npos) shown += ">" + std::to_string(y) + "<";
    EXPECT_EQ(shown, years);
    EXPECT_EQ(svg.find("The chart shows", 0), svg.rfind("The chart shows"));
    EXPECT_EQ(RenderChart(Year(2020), BuiltInEnglish(), ChartUse::Alone).find("The chart shows"), std::string::npos);
}

TEST(Chart, DaylightSavingChangesAreMarked) {
    const SummerTime london;
    ScheduleRequest r = Year(2026);
    r.calc.latitude = 51.5072f;
    r.calc.longitude = -0.1276f;
    r.calc.fajr_angle = r.calc.isha_angle = 15;
    r.zone = &london;
    const std::string svg = RenderChart(r, BuiltInEnglish(), ChartUse::Alone);
    EXPECT_EQ(Count(svg, ">UTC+1<"), 1u);
    EXPECT_EQ(Count(svg, ">UTC+0<"), 1u);
    r.zone = nullptr;
    EXPECT_EQ(Count(RenderChart(r, BuiltInEnglish(), ChartUse::Alone), ">UTC"), 0u);
}

// Texts are escaped; in the page the chart is an element in the page's own
// 8-bit text, alone it is UTF-8.
TEST(Chart, TextsEscapedAndInTheRightEncoding) {
    ScheduleRequest r = Year(2026);
    r.area = "Caf\xE9 <&> \x01";
    const LanguageList english = BuiltInEnglish();
    EXPECT_NE(RenderChart(r, english, ChartUse::Alone).find("Caf\xC3\xA9 &lt;&amp;&gt; </title>"), std::string::npos);
    const std::string inline_svg = RenderChart(r, english, ChartUse::InHtml);
    EXPECT_EQ(inline_svg.rfind("<svg ", 0), 0u);
    EXPECT_NE(inline_svg.find("Caf\xE9 &lt;&amp;&gt; </title>"), std::string::npos);
}

// {CHART} in the template's header or footer is the chart; elsewhere, and
// in a template without it, nothing changes.
TEST(Chart, InTheHtmlTimetableWhereTheTemplateAsks) {
    ScheduleRequest r = Year(2026);
    r.last = EncodeDate(2026, 1, 2);
    r.format = ScheduleFormat::Html;
    const auto render = [&](const std::string& tpl) {
        r.html_template = tpl;
        std::ostringstream out;
        EXPECT_TRUE(RenderSchedule(r, BuiltInEnglish(), out));
        return out.str();
    };
    const std::string chart = RenderChart(r, BuiltInEnglish(), ChartUse::InHtml);
    EXPECT_EQ(render("<h>{CHART}<!--header-->[{CHART}]<!--jadwal-->{CHART}"),
              "<h>" + chart + "[{CHART}]" + chart);
    const std::string plain = "<h>{TITLE}<!--header-->[{BLN_M}]<!--jadwal-->{INFO}";
    EXPECT_EQ(render(plain).find("<svg"), std::string::npos);
    EXPECT_EQ(Count(render(ReadWholeFile(WAKTUNA_SOURCE_DIR "/dist/jadwal.tpl").value_or("")), "<svg"), 1u);
}
