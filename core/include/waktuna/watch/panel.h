// The texts of the prayer-times panel on the main page: rows, columns and the
// information box, built from the settings and the language list.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/files/language.h"
#include "waktuna/calc/prayer.h"

namespace waktuna {

// The panel's rows top to bottom, and the language line of each row's name.
inline constexpr std::array<Prayer, 6> kPanelRows = {Shubuh, Terbit, Dhuhur, Asar, Maghrib, Isya};
inline constexpr std::array<int, 6> kPanelRowLines = {2, 3, 4, 5, 6, 7};
// Column headers: yesterday, today, tomorrow.
inline constexpr std::array<int, 3> kPanelColumnLines = {57, 58, 59};

// "+ 7" above zero; otherwise "- " and the absolute value ("- 0", "- 5").
std::string TimeZoneText(float timeZone);
// "8 m"
std::string AltitudeText(int32_t altitude);
// The stored text, then " (", the degrees-minutes-seconds text, ")".
std::string LatitudeValueText(std::string_view stored);
std::string LongitudeValueText(std::string_view stored);
// A coordinate outside its range, or not a number, shows "--" in the
// brackets; a time zone outside its range shows "--".
// The Qibla bearing of the stored coordinate texts; nullopt when they are not
// a place (the panel then shows "--" and no compass needle).
std::optional<double> PanelQiblaBearing(std::string_view latitude, std::string_view longitude);
std::string MazhabText(bool syafii);
// Language line of the convention's name: 77..81 for Methods 1..5, else 82.
int ConventionNameLine(int methods);
// The convention's name: an authority preset that is not one of the buttons
// (Authority above 5) by its own name, else the button's line.
std::string ConventionName(const LanguageList& language, int methods, uint32_t authority);
// Line 203, " : ", the convention's name.
std::string OrganisationText(const LanguageList& language, int methods, uint32_t authority = 0);
// Line 60, a space, the place name.
std::string PlaceHeadingText(const LanguageList& language, std::string_view area);

// The six cells of one column in row order.
std::array<std::string, 6> PanelColumn(const PrayerTimes& times, std::string_view picture);

// The rows as the settings show them: an Imsak row above Fajr when Imsak is
// on (its name line 299, no prayer: it is never the highlighted next
// prayer), then the six.
struct PanelRow {
    bool imsak = false;
    Prayer prayer = Shubuh;  // the row's time when not the Imsak row
    int line = 0;            // language line of the row's name
};
std::vector<PanelRow> PanelRows(const CoreSettings& core);
// The cells of one column for PanelRows(core), in the settings' time format.
std::vector<std::string> PanelColumn(const PrayerTimes& times, const CoreSettings& core);
// The row of a prayer's cell among PanelRows(core).
int PanelRowOf(Prayer prayer, const CoreSettings& core);

}  // namespace waktuna
