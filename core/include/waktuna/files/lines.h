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
// The prayer-times page's authority presets and the boxes they fill.
inline constexpr int kLineAuthority = 284;
inline constexpr int kLinePreciseSun = 285;
inline constexpr int kLineHighLatitudes = 286;
inline constexpr int kLineHighLatitudeTwilightAngle = 287;  // then 288, 289: the rules in order
inline constexpr int kLineHighLatitudeMiddleOfNight = 288;
inline constexpr int kLineHighLatitudeOneSeventh = 289;
inline constexpr int kLineIshaInterval = 290;
inline constexpr int kLineIshaIntervalRamadan = 291;
inline constexpr int kLineMaghribAngle = 292;
inline constexpr int kLineAddSunrise = 293;
inline constexpr int kLineInvalidIshaInterval = 294;
inline constexpr int kLineIshaIntervalRange = 295;
inline constexpr int kLineInvalidMaghribAngle = 296;
inline constexpr int kLineMaghribAngleRange = 297;
inline constexpr int kLineCustomAuthority = 298;  // the drop-down's item for no preset

}  // namespace waktuna
