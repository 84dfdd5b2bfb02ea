// The year chart: an SVG picture of the day's times across a timetable's
// range. The date runs left to right, the time of day top to bottom, one line
// a time (Imsak dashed when it is on), each named at its end with the
// language's name; month ticks below, and a dashed mark where the zone's
// offset changes (daylight saving), so the jump in the lines is explained.
// The colours come from the timetable's main and text colours.
#pragma once

#include <string>
#include <string_view>

#include "waktuna/files/language.h"
#include "waktuna/schedule/schedule.h"

namespace waktuna {

// Where an HTML template wants the chart (in its header or footer).
inline constexpr std::string_view kChartPlaceholder = "{CHART}";
// The chart as a timetable format, "Year chart (svg)".
inline constexpr int kLineChartFormat = 308;
// "The chart shows the first ten years of the range."
inline constexpr int kLineChartTenYears = 309;
// A longer range is not readable: its chart shows the first ten years.
inline constexpr int kChartYears = 10;

// The last day a chart of the range shows: the range's last day, or the day
// before the start's tenth anniversary when the range is longer.
DateTime ChartLastDay(DateTime first, DateTime last);

enum class ChartUse {
    Alone,   // an SVG file of its own: UTF-8, with its XML declaration
    InHtml,  // an element inside the HTML timetable, in the page's 8-bit text
};

// The chart of the request's range (or of its first ten years). Texts from
// the language list and the place name are escaped for XML.
std::string RenderChart(const ScheduleRequest& request, const LanguageList& language, ChartUse use);

}  // namespace waktuna
