// The program's settings as typed values, read from (and, for the alert
// values, written to) the settings key. Each reader takes the value names,
// types and conversions of the key, and applies the missing-value rules of
// settings_store.h.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "waktuna/calc/prayer.h"
#include "waktuna/settings/settings_writer.h"
#include "waktuna/settings/settings_store.h"

namespace waktuna {

// ---- Alert values ---------------------------------------------------------

// What the program does before, at and after each prayer time. The minute
// counts are 16-bit throughout: only the low 16 bits of a stored DWORD count.
struct AlertSettings {
    uint16_t message1 = 0;          // Message1: minutes before; 0 = off
    uint16_t message2 = 0;          // Message2: minutes after; 0 = off
    uint16_t m_adzan = 0;           // MAdzan: 1 = play the adzan
    uint16_t m_minimize = 0;        // MMinimize: 1 = minimise all windows
    uint16_t m_message = 0;         // MMessage: 1 = show a message
    uint16_t m_shutdown = 0;        // MShutdown: 0 nothing, 1 shut down, 2 hibernate
    uint16_t m_time_shutdown = 0;   // MTimeShutdown: delay of MShutdownAfter, minutes
    uint16_t show_information = 0;  // ShowInformation: interval in minutes; 0 = off
    double m_jumat = 0.0;           // MJumat: Friday reminder date-time; 0.0 = off
    uint16_t m_shutdown_after = 0;  // MShutdownAfter: 0 nothing, 1 shut down, 2 hibernate
    uint16_t m_imsak = 0;           // MImsak: 1 = show a message at Imsak (when Imsak is on)
    friend bool operator==(const AlertSettings&, const AlertSettings&) = default;
};

// The minute offsets from a prayer time (Message1, Message2, MTimeShutdown)
// count up to a day less a minute; a stored count beyond reads as off, as does
// an MJumat that is not a finite date-time of the years 1..9999.
inline constexpr uint32_t kLastAlertMinute = 1439;
inline constexpr double kDayAfterYear9999 = 3652060.0;  // 10000-01-01
AlertSettings ReadAlertSettings(const SettingsStore& store);
// Writes the ten values in the alert page's order: Message1, Message2,
// MMessage, MMinimize, MAdzan, MShutdown, MTimeShutdown, ShowInformation as
// DWORDs, MJumat as 8 binary bytes, then MShutdownAfter and MImsak. Every
// write is tried; the result names those that were not stored.
SaveResult WriteAlertSettings(SettingsStore& store, const AlertSettings& alerts);

// ---- Calculation values ---------------------------------------------------

// The place and convention as the main window holds them: latitude and
// longitude as the stored text, the rest converted.
struct CalculationSettings {
    std::string area;       // Area
    std::string latitude;   // Latitude, as typed
    std::string longitude;  // Longitude, as typed
    int32_t altitude = 0;   // Altitude (text), whole metres
    uint16_t methods = 0;   // Methods: the convention button, 1..6
    // Syafii: the stored DWORD 0 (or a missing value) means Syafi'i.
    bool syafii = true;
    float gn = 0;         // Gn (text): Isya angle
    float gd = 0;         // Gd (text): Fajr angle
    float time_zone = 0;  // TZ (text): hours east of UTC
    // FollowWindowsZone = 1: each day takes the offset the system's time
    // zone has at its noon (daylight saving included) instead of TZ.
    bool follow_windows_zone = false;
    // The authority preset last chosen (Authority, DWORD): 0, missing, or a
    // number this program does not know reads 0, custom. It only names the
    // convention: the calculation uses the values stored beside it.
    uint32_t authority = 0;
    bool precise_sun = false;  // PreciseSun = 1; missing: the Fourier model
    // HighLatitude (DWORD): 0 twilight angle, 1 middle of the night, 2 one
    // seventh; missing or another value: 0.
    HighLatitudeRule high_latitude = HighLatitudeRule::TwilightAngle;
    // IshaInterval, IshaIntervalRamadan (texts, whole minutes 0..240; missing
    // or outside: 0, Isya by its angle, and in Ramadan as the rest of the year).
    int32_t isha_interval = 0;
    int32_t isha_interval_ramadan = 0;
    // MaghribAngle (text, degrees 0..10; missing or outside: 0, sunset).
    float maghrib_angle = 0;
    bool seasonal_twilight = false;  // SeasonalTwilight = 1
    bool ignore_altitude = false;    // IgnoreAltitude = 1: sunrise and sunset at sea level
};

// The values of the calculation added beside the six buttons' (each missing
// value gives the times the buttons always gave).
inline constexpr std::string_view kAuthorityValue = "Authority";
inline constexpr std::string_view kPreciseSunValue = "PreciseSun";
inline constexpr std::string_view kHighLatitudeValue = "HighLatitude";
inline constexpr std::string_view kIshaIntervalValue = "IshaInterval";
inline constexpr std::string_view kIshaIntervalRamadanValue = "IshaIntervalRamadan";
inline constexpr std::string_view kMaghribAngleValue = "MaghribAngle";
inline constexpr std::string_view kSeasonalTwilightValue = "SeasonalTwilight";
inline constexpr std::string_view kIgnoreAltitudeValue = "IgnoreAltitude";
inline constexpr std::string_view kAddTerbitValue = "Add_Terbit";

// The value of the check box that makes the times follow the system's zone.
inline constexpr std::string_view kFollowWindowsZoneValue = "FollowWindowsZone";

// The calculation inputs: latitude and longitude converted from their texts.
CalcSettings ToCalcSettings(const CalculationSettings& settings);

// ---- Everything the main window reads at start ----------------------------

struct MainSettings {
    AlertSettings alerts;
    CalculationSettings calc;
    // Add_Dhuhur .. Add_Isya and Add_Terbit (texts, signed minutes; a missing
    // Add_Terbit is 0), Pembulatan (low byte),
    // HijriyahDiff (text, low byte as a signed day count), TimeFormat (0 gives
    // "HH:mm", anything else "HH:mm:ss"), HijriCalendar and Imsak (DWORDs,
    // read by HijriCalendarOf and ImsakMinutesOf).
    CoreSettings core;
    bool always_on_top = false;  // AlwaysOnTop = 1
    int32_t skin = 0;            // Skin (text)
    bool show_drop_zone = false;  // ShowDropZone = 1
    bool dz_remaining = false;    // dzRemaining = 1
    bool dz_transparent = false;  // dzTransparent = 1
    bool dz_snap = false;         // dzSnap = 1
    std::string language;         // Language: the .wlp name; empty = English
};

// ---- What a setting is when nothing is stored ---------------------------------

// One set of defaults for the whole program: a key without the value and no
// key at all read alike, so the pages show what the calculation uses, and
// the command line reads a settings file by the same rules.
// Syafii: 0 or missing is Syafi'i (shadow factor 1), any other value Hanafi.
bool SyafiiOf(uint32_t stored);
// TimeFormat: 0 or missing is "HH:mm", any other value "HH:mm:ss".
std::string_view TimeFormatOf(uint32_t stored);
// HijriyahDiff (text): its whole number's low byte as a signed day count; 0
// when missing.
int8_t ReadHijriyahDiff(const SettingsStore& store);

// The settings of a key that holds nothing: what the main window runs with
// until it reads the key, and for good when there is none. Every number 0 and
// every text empty, except what the rules above say (Syafi'i, "HH:mm").
MainSettings StartSettings();

// What LoadSettings reads, value by value in its order (Message1 ... Language;
// HotKey is read on its own), each with its conversion and missing-value rule.
MainSettings ReadMainSettings(const SettingsStore& store);

// The key of the global hot key (a virtual-key code) from the HotKey text:
// one character (after trimming and upper-casing) is that character's key;
// "F" followed by a number n in the next two characters is (n mod 256) + 111;
// anything else, an n whose low 8 bits are 0, and an empty text give F12 (123).
uint32_t HotKeyFromText(std::string_view text);
inline constexpr uint32_t kHotKeyF12 = 123;
// The hot key from the stored HotKey, by the rule above.
uint32_t ReadHotKey(const SettingsStore& store);

// How the message dialog opens: DialogEffect as stored, UseAlphaBlend = 1.
struct DialogOpening {
    int32_t effect = 0;
    bool alpha_blend = false;
};
DialogOpening ReadDialogOpening(const SettingsStore& store);

// ---- Program settings page ------------------------------------------------

struct ProgramSettings {
    int32_t skin = 0;            // Skin (text); non-numeric reads 0 (Blue Aqua)
    std::string language;        // Language
    uint32_t time_format = 0;    // TimeFormat: 0 "HH:mm", else "HH:mm:ss"
    uint32_t pembulatan = 0;     // Pembulatan
    bool always_on_top = false;  // AlwaysOnTop = 1
    bool show_drop_zone = false;     // ShowDropZone = 1
    bool use_alpha_blend = false;    // UseAlphaBlend = 1
    uint32_t dialog_effect = 0;  // DialogEffect, as stored (not checked)
    uint32_t bar_position = 0;   // BarPosition; outside 0..2 reads 0
    uint32_t bar_motion = 0;     // BarMotion; outside 0..4 reads 2
    uint32_t bar_width = 100;    // BarWidth; outside 10..100 reads 100
    uint32_t bar_alpha = 0;      // BarAlpha, as stored (not checked)
};

ProgramSettings ReadProgramSettings(const SettingsStore& store);

// The range rules of the page.
uint32_t BarWidthInRange(uint32_t stored);
uint32_t BarPositionInRange(uint32_t stored);
uint32_t BarMotionInRange(uint32_t stored);

// The Language value: the name of a file in the languages folder. A name
// that reaches out of that folder (see IsPlainFileName) reads as empty, the
// built-in English texts.
std::string ReadLanguageName(const SettingsStore& store);

// The value holding the adzan file of a prayer (AdzanShubuh ... AdzanIsya);
// empty for Terbit, which has no adzan. Read it with ReadLocalFilePath.
std::string_view AdzanValueName(Prayer prayer);

// ---- Drop zone window -----------------------------------------------------

struct DropZoneSettings {
    // dzX, dzY: the window's left and top; nullopt when the value is missing
    // (the window then keeps its initial place); non-numeric text reads 0.
    std::optional<int32_t> x;
    std::optional<int32_t> y;
    bool transparent = false;  // dzTransparent = 1
    bool snap = false;         // dzSnap = 1
    bool remaining = false;    // dzRemaining = 1
    uint32_t alpha = 0;        // dzAlpha, as stored
    uint32_t size = 0;         // dzSize, as stored
    uint32_t flash_time = 0;   // FlashTime, seconds; 0 = 180
};

DropZoneSettings ReadDropZoneSettings(const SettingsStore& store);

// The font height of both texts when dzSize holds one (1..71).
std::optional<int> DropZoneFontHeight(uint32_t dzSize);
// The "Font Size" items 100 %, 125 %, ... 200 % (index 0..4): 15, 18, 21, 24, 27.
int DropZoneFontHeightOfItem(int item);

// What a stored dzAlpha means when the window is shown.
struct DropZoneAlpha {
    bool disabled = false;         // 254 or more: "Disabled" ticked, no alpha applied
    std::optional<uint8_t> apply;  // 11..253: this alpha is applied
    int ticked_item = -1;          // 0..4 for 30 % .. 70 % when it is one of theirs
};
DropZoneAlpha DropZoneAlphaOf(uint32_t dzAlpha);
// The alpha stored for the menu's 30 %, 40 %, 50 %, 60 %, 70 % items
// (percent x 255 / 100 in whole numbers: 76, 102, 127, 153, 178).
uint8_t DropZoneAlphaOfPercent(int percent);
inline constexpr uint32_t kDropZoneAlphaDisabled = 254;

// Half-second flashing steps: FlashTime x 2 with FlashTime held to 1..3600
// seconds, or 360 when FlashTime is 0.
uint64_t DropZoneFlashSteps(uint32_t flashTime);

}  // namespace waktuna
