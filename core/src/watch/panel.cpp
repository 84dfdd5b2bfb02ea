#include "waktuna/watch/panel.h"

#include "waktuna/calc/authorities.h"

#include <cmath>

#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/calc/qibla.h"
#include "waktuna/calc/ranges.h"

namespace waktuna {

std::string TimeZoneText(float timeZone) {
    if (!InCalcRange(CalcValue::TimeZone, timeZone)) return "--";
    if (timeZone > 0) return "+ " + DecimalText(timeZone);
    return "- " + DecimalText(std::fabs(static_cast<double>(timeZone)));
}

std::string AltitudeText(int32_t altitude) { return IntText(altitude) + " m"; }

std::string LatitudeValueText(std::string_view stored) {
    const float value = static_cast<float>(ReadDecimal(stored));
    return std::string(stored) + " (" +
           (InCalcRange(CalcValue::Latitude, value) ? LatitudeText(value) : "--") + ")";
}

std::string LongitudeValueText(std::string_view stored) {
    const float value = static_cast<float>(ReadDecimal(stored));
    return std::string(stored) + " (" +
           (InCalcRange(CalcValue::Longitude, value) ? LongitudeText(value) : "--") + ")";
}

std::optional<double> PanelQiblaBearing(std::string_view latitude, std::string_view longitude) {
    const float lat = static_cast<float>(ReadDecimal(latitude));
    const float lon = static_cast<float>(ReadDecimal(longitude));
    if (!UsablePlace(lat, lon)) return std::nullopt;
    return QiblaDirection(lat, lon);
}

std::string MazhabText(bool syafii) {
    return syafii ? "Mazhab Imam Syafii" : "Mazhab Imam Hanafi";
}

int ConventionNameLine(int methods) { return methods >= 1 && methods <= 5 ? 76 + methods : 82; }

std::string ConventionName(const LanguageList& language, int methods, uint32_t authority) {
    const Authority* preset = AuthorityByNumber(authority);
    if (preset && preset->methods == kCustomizeMethods) return std::string(preset->name);
    return language.Line(ConventionNameLine(methods));
}

std::string OrganisationText(const LanguageList& language, int methods, uint32_t authority) {
    return language.Line(203) + " : " + ConventionName(language, methods, authority);
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

std::vector<PanelRow> PanelRows(const CoreSettings& core) {
    std::vector<PanelRow> rows;
    if (ImsakOn(core)) rows.push_back({true, Shubuh, kLineImsak});
    for (size_t row = 0; row < kPanelRows.size(); ++row) rows.push_back({false, kPanelRows[row], kPanelRowLines[row]});
    return rows;
}

std::vector<std::string> PanelColumn(const PrayerTimes& times, const CoreSettings& core) {
    std::vector<std::string> cells;
    for (const PanelRow& row : PanelRows(core))
        cells.push_back(FormatTime(row.imsak ? ImsakTime(times, core) : times[row.prayer], core.time_format));
    return cells;
}

int PanelRowOf(Prayer prayer, const CoreSettings& core) {
    const std::vector<PanelRow> rows = PanelRows(core);
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].imsak && rows[i].prayer == prayer) return static_cast<int>(i);
    return 0;
}

}  // namespace waktuna
