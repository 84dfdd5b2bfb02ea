// Names for the language lines the windows use (line numbers of the built-in
// English text, 1-based). Lines that only core reads keep their names beside
// the code that reads them; the windows use those names too.
#pragma once

namespace waktuna {

inline constexpr int kLineLatitude = 39;
inline constexpr int kLineLongitude = 40;
inline constexpr int kLineAltitude = 41;
inline constexpr int kLineTimeZone = 42;
inline constexpr int kLineOk = 45;
inline constexpr int kLineCancel = 47;
inline constexpr int kLineHeaderTitle = 48;  // "Prayer times reminder"
inline constexpr int kLineTaskScheduler = 55;
inline constexpr int kLineToday = 58;
inline constexpr int kLinePlaceName = 60;

// The program settings page.
inline constexpr int kLineSelectSkinColor = 62;
inline constexpr int kLineSelectLanguage = 63;
inline constexpr int kLineAdzanSound = 64;
inline constexpr int kLinePlay = 65;
inline constexpr int kLinePause = 66;
inline constexpr int kLineStop = 67;
inline constexpr int kLineTimeFormat = 68;
inline constexpr int kLineAutoStartWithWindows = 69;  // "Auto tart with windows"
inline constexpr int kLineSave = 70;

// The prayer times page.
inline constexpr int kLineSelectCity = 73;
inline constexpr int kLineAsrTimes = 74;
inline constexpr int kLineAddZuhr = 75;
inline constexpr int kLineAddMaghrib = 76;

inline constexpr int kLineClose = 85;

// Shown with the message of an error a window's handler did not expect.
inline constexpr int kLineUnexpectedError = 310;

// The message page (its title is kLineAlertPageTitle).
inline constexpr int kLineBeforePrayerTimesArrived = 91;
inline constexpr int kLineShowMessageBefore = 92;
inline constexpr int kLineWhenPrayerTimesArrived = 93;
inline constexpr int kLineShowMessageNotification = 94;
inline constexpr int kLineMinimizeAllWindows = 95;
inline constexpr int kLinePlayAdzanOrSound = 96;
inline constexpr int kLineShutdownMyPc = 97;
inline constexpr int kLineHibernateMyPc = 98;
inline constexpr int kLineAfterPrayerTimes = 99;
inline constexpr int kLineShowMessageAfter = 100;
inline constexpr int kLineShutdownMyPcAfter = 101;
inline constexpr int kLineHibernateAfter = 102;
inline constexpr int kLineMessageForFridayPrayer = 103;
inline constexpr int kLineShowInformationEvery = 104;  // "Show information prayer times every"
inline constexpr int kLineMinutes = 105;
inline constexpr int kLineAlertSave = 106;  // "Save"

// The schedule page.
inline constexpr int kLineCreatePrayerTimesTable = 108;
inline constexpr int kLineSelectStartDate = 109;  // "Select start time / date"
inline constexpr int kLineSelectEndOfDate = 110;
inline constexpr int kLineScheduleTimeFormat = 111;  // "Time format"
inline constexpr int kLineSavedInFormat = 112;
inline constexpr int kLineSelectMainBackColor = 116;
inline constexpr int kLineSaveFile = 117;

// The task editor (its column captions start at kLineTaskColumn).
inline constexpr int kLineAdd = 127;
inline constexpr int kLineDelete = 128;
inline constexpr int kLineTaskCancel = 129;  // "Cancel"
inline constexpr int kLineTaskSave = 130;    // "Save"
inline constexpr int kLineTaskClose = 131;   // "Close"

inline constexpr int kLineConfirmClose = 138;
inline constexpr int kLineConfirmHibernate = 139;
inline constexpr int kLineConfirmShutdown = 141;
inline constexpr int kLineHelpNotFound = 142;
inline constexpr int kLineOpenWaktuna = 143;
inline constexpr int kLineHideWaktuna = 144;
inline constexpr int kLineOpenHelp = 151;
inline constexpr int kLineOpenSoundFileForAdzan = 182;
inline constexpr int kLineMasehi = 185;
inline constexpr int kLineHijri = 186;
inline constexpr int kLineMovingText = 196;
inline constexpr int kLineConventionsForFajrAndIshaa = 203;
inline constexpr int kLineColor = 204;
inline constexpr int kLineQiblaDirection = 207;
inline constexpr int kLineDialogMessage = 208;
inline constexpr int kLineAddFajr = 219;
inline constexpr int kLineAddAsr = 220;
inline constexpr int kLineAddIsha = 221;
inline constexpr int kLineWindowAlwaysOnTop = 225;
inline constexpr int kLineHijriyahCorrection = 226;
inline constexpr int kLineRemainingTime = 227;
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
// Texts added with the Umm al-Qura calendar and Imsak.
inline constexpr int kLineShowImsakMessage = 301;  // alert page: "Show message at Imsak"
inline constexpr int kLineImsakMinutes = 302;      // program page: "Imsak, minutes before Fajr (0 = none)"
inline constexpr int kLineHijriCalendar = 304;     // program page: "Hijri calendar"
inline constexpr int kLineHijriTabular = 305;      // its items: "Tabular",
inline constexpr int kLineHijriUmmAlQura = 306;    // "Umm al-Qura (Saudi Arabia)"
// The place picker, once, when place details (.wpd) files are damaged; the
// files' names follow.
inline constexpr int kLineDamagedPlaceDetails = 314;

}  // namespace waktuna
