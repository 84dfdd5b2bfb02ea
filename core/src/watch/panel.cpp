#include "waktuna/watch/panel.h"

#include <cmath>

#include "waktuna/calc/numbers.h"

namespace waktuna {

std::string TimeZoneText(float timeZone) {
    if (timeZone > 0) return "+ " + DecimalText(timeZone);
    return "- " + DecimalText(std::fabs(static_cast<double>(timeZone)));
}

std::string AltitudeText(int32_t altitude) { return IntText(altitude) + " m"; }

std::string LatitudeValueText(std::string_view stored) {
    return std::string(stored) + " (" +
           LatitudeText(static_cast<float>(ReadDecimal(stored))) + ")";
}

std::string LongitudeValueText(std::string_view stored) {
    return std::string(stored) + " (" +
           LongitudeText(static_cast<float>(ReadDecimal(stored))) + ")";
}

std::string MazhabText(bool syafii) {
    return syafii ? "Mazhab Imam Syafii" : "Mazhab Imam Hanafi";
}

int ConventionNameLine(int methods) { return methods >= 1 && methods <= 5 ? 76 + methods : 82; }

std::string OrganisationText(const LanguageList& language, int methods) {
    return language.Line(203) + " : " + language.Line(ConventionNameLine(methods));
}

std::string PlaceHeadingText(const LanguageList& language, std::string_view area) {
    return language.Line(60) + " " + std::string(area);
}

std::array<std::string, 6> PanelColumn(const PrayerTimes& times, std::string_view picture) {
    std::array<std::string, 6> cells;
    for (size_t row = 0; row < kPanelRows.size(); ++row)
        cells[row] = FormatTime(times[kPanelRows[row]], picture);
    return cells;
}

}  // namespace waktuna
