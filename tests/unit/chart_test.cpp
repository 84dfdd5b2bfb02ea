// The year chart: a line a shown time with its name, the first ten years of a
// longer range, the zone's changes marked, and its place in the HTML page.
#include <gtest/gtest.h>

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
    r.area = "Caf\xE9 <&>";
    return r;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

std::string Svg(const ScheduleRequest& r) { return RenderChart(r, BuiltInEnglish(), ChartUse::Alone); }

// Summer time from the last Sunday of March to the last of October 2026.
class SummerTime final : public ZoneRule {
public:
    std::optional<int32_t> OffsetAt(UnixSeconds utc) const override {
        return utc >= 1774746000 && utc < 1792890000 ? 3600 : 0;
    }
    std::string Name() const override { return "Europe/London"; }
};

}  // namespace

TEST(Chart, ALineForEachShownTimeWithItsName) {
    ScheduleRequest r = Year(2026);
    std::string svg = Svg(r);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u);
    EXPECT_NE(svg.find("<title>Prayer times table for Caf\xC3\xA9 &lt;&amp;&gt;</title>"), std::string::npos);
    EXPECT_EQ(Count(svg, "<polyline"), 6u);
    for (const char* name : {">Fajr<", ">Shurook<", ">Zuhr<", ">Asr<", ">Maghrib<", ">Isha<", ">Jan<", ">Dec<"})
        EXPECT_EQ(Count(svg, name), 1u) << name;
    // A point a day; Jakarta's times lie between 04:00 and 20:00.
    EXPECT_EQ(Count(svg.substr(svg.find("<polyline")), ",") / 6, 365u);
    EXPECT_EQ(Count(svg, ">04:00<") + Count(svg, ">20:00<"), 2u);

    r.core.imsak_minutes = 10;
    svg = Svg(r);
    EXPECT_EQ(Count(svg, "<polyline"), 7u);
    EXPECT_EQ(Count(svg, ">Imsak<"), 1u);
    EXPECT_EQ(Count(svg, "stroke-dasharray=\"6 4\""), 1u);  // Imsak dashed
}

TEST(Chart, TheFirstTenYearsOfALongerRangeAndSaysSo) {
    EXPECT_EQ(ChartLastDay(EncodeDate(2024, 2, 29), EncodeDate(2040, 1, 1)), EncodeDate(2034, 2, 27));
    EXPECT_EQ(ChartLastDay(EncodeDate(2020, 1, 1), EncodeDate(2029, 12, 31)), EncodeDate(2029, 12, 31));
    EXPECT_EQ(ChartLastDay(EncodeDate(9995, 1, 1), EncodeDate(9999, 12, 31)), EncodeDate(9999, 12, 31));
    ScheduleRequest r = Year(2020);
    r.last = EncodeDate(2035, 6, 1);
    const std::string svg = Svg(r);
    EXPECT_NE(svg.find("1 January 2020 - 31 December 2029  \xC2\xB7  The chart shows the first ten years"),
              std::string::npos);
    EXPECT_EQ(Count(svg, ">2029<") + Count(svg, ">2030<"), 1u);
    EXPECT_EQ(Svg(Year(2020)).find("The chart shows"), std::string::npos);
}

TEST(Chart, DaylightSavingChangesAreMarked) {
    const SummerTime london;
    ScheduleRequest r = Year(2026);
    r.calc.latitude = 51.5072f;
    r.calc.longitude = -0.1276f;
    r.zone = &london;
    const std::string svg = Svg(r);
    EXPECT_EQ(Count(svg, ">UTC+1<") + Count(svg, ">UTC+0<"), 2u);
    r.zone = nullptr;
    EXPECT_EQ(Count(Svg(r), ">UTC"), 0u);
}

// {CHART} in the template's header or footer is the chart, in the page's own
// 8-bit text; elsewhere, and in a template without it, nothing changes.
TEST(Chart, InTheHtmlTimetableWhereTheTemplateAsks) {
    ScheduleRequest r = Year(2026);
    r.last = EncodeDate(2026, 1, 2);
    const auto render = [&](const std::string& tpl) {
        r.html_template = tpl;
        std::ostringstream out;
        EXPECT_TRUE(RenderSchedule(r, BuiltInEnglish(), out));
        return out.str();
    };
    const std::string chart = RenderChart(r, BuiltInEnglish(), ChartUse::InHtml);
    EXPECT_EQ(chart.rfind("<svg ", 0), 0u);
    EXPECT_NE(chart.find("Caf\xE9 &lt;"), std::string::npos);
    EXPECT_EQ(render("<h>{CHART}<!--header-->[{CHART}]<!--jadwal-->{CHART}"), "<h>" + chart + "[{CHART}]" + chart);
    EXPECT_EQ(render("<h>{TITLE}<!--header-->[{BLN_M}]<!--jadwal-->{INFO}").find("<svg"), std::string::npos);
    EXPECT_EQ(Count(render(ReadWholeFile(WAKTUNA_SOURCE_DIR "/dist/jadwal.tpl").value_or("")), "<svg"), 1u);
}
