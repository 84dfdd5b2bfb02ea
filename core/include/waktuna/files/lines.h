// Names for the language lines the windows use (line numbers of the built-in
// English text, 1-based). Lines that only core reads keep their names beside
// the code that reads them.
#pragma once

namespace waktuna {

inline constexpr int kLineLatitude = 39;
inline constexpr int kLineLongitude = 40;
inline constexpr int kLineAltitude = 41;
inline constexpr int kLineTimeZone = 42;
inline constexpr int kLineOk = 45;
inline constexpr int kLineCancel = 47;
inline constexpr int kLineHeaderTitle = 48;  // "Prayer times reminder"
inline constexpr int kLineAsrTimes = 74;
inline constexpr int kLineConfirmClose = 138;
inline constexpr int kLineConfirmHibernate = 139;
inline constexpr int kLineConfirmShutdown = 141;
inline constexpr int kLineHelpNotFound = 142;
inline constexpr int kLineQiblaDirection = 207;
// Texts added with the Umm al-Qura calendar and Imsak.
inline constexpr int kLineShowImsakMessage = 286;  // alert page: "Show message at Imsak"
inline constexpr int kLineImsakMinutes = 287;      // program page: "Imsak, minutes before Fajr (0 = none)"
inline constexpr int kLineHijriCalendar = 289;     // program page: "Hijri calendar"
inline constexpr int kLineHijriTabular = 290;      // its items: "Tabular",
inline constexpr int kLineHijriUmmAlQura = 291;    // "Umm al-Qura (Saudi Arabia)"

}  // namespace waktuna
