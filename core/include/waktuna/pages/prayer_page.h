// The prayer-times setting page (UArea) without its window: the boxes as
// texts, the six convention buttons, the Asar list and the check box that
// follows the Windows time zone; loading, the button rules, the checks of
// Save in their order, and the writes of Save in their order.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "waktuna/files/language.h"
#include "waktuna/settings/settings_writer.h"
#include "waktuna/settings/settings_store.h"

namespace waktuna {

// "Follow the Windows time zone, with daylight saving".
inline constexpr int kLineFollowWindowsZone = 241;
// The ranges shown under the refusals of lines 160..163.
inline constexpr int kLineCoordinateRanges = 233;
inline constexpr int kLineZoneAltitudeRanges = 234;
inline constexpr int kLineCorrectionRange = 235;
inline constexpr int kLineAngleRange = 236;

// The convention buttons, numbered as "Methods" stores them.
enum Convention : int {
    kKarachi = 1,
    kIsna = 2,
    kWorldIslamicLeague = 3,
    kUmmulQura = 4,
    kEgypt = 5,
    kCustomize = 6,
};

struct ConventionPreset {
    int methods;
    int caption_line;            // 77..82
    const char* builtin_caption;  // before a language is applied
    const char* gd;               // Fajr angle text
    const char* gn;               // Isya angle text
};
// The six buttons in their order, Karachi first, Customize last.
extern const std::array<ConventionPreset, 6> kConventions;

// The drop-down lists of the page.
extern const std::array<const char*, 32> kTimeZoneItems;
extern const std::array<const char*, 13> kAngleItems;
extern const std::array<const char*, 6> kCorrectionItems;
extern const std::array<const char*, 2> kAsarItems;  // Syafi'i, Hanafi

struct PrayerPage {
    std::string area;
    std::string latitude;
    std::string longitude;
    std::string altitude;
    std::string time_zone;
    std::string gd;
    std::string gn;
    std::string add_shubuh, add_dhuhur, add_asar, add_maghrib, add_isya;
    int asar_index = 0;           // 0 Syafi'i, 1 Hanafi
    int convention = kCustomize;  // the selected button, 1..6
    bool angles_editable = false;
    bool follow_windows_zone = false;  // FollowWindowsZone
    bool time_zone_editable = true;
    // The zone the user typed, kept while the box shows the Windows zone.
    std::string own_time_zone;

    // The authority drop-down (Authority; 0 = custom) and what a preset fills
    // beside the angles: the precise-sun check box, the high-latitude
    // drop-down (HighLatitude, 0..2), the Isya interval boxes, the Maghrib
    // angle and sunrise correction boxes; and, without a control of their
    // own, the seasonal twilight, sea-level sunrise and the rounding.
    uint32_t authority = 0;
    bool precise_sun = false;
    int high_latitude = 0;
    std::string isha_interval{"0"};
    std::string isha_interval_ramadan{"0"};
    std::string maghrib_angle{"0"};
    std::string add_terbit{"0"};
    bool seasonal_twilight = false;
    bool ignore_altitude = false;
    // Pembulatan: set only when a preset was chosen, and only then saved (it
    // belongs to the program settings page otherwise).
    std::optional<uint8_t> rounding;

    // Fills every box from the settings key. Time zone and angles show the
    // shortest text of their 32-bit value (a stored text that is not a finite
    // number is shown as stored, so Save refuses it visibly); `zoneInForce`
    // is the offset of the Windows time zone today, shown when the check box
    // is ticked.
    void Load(const SettingsStore& store, float zoneInForce);

    // A convention button: fills both angle boxes and locks them, or for
    // Customize unlocks them. The authority becomes the button's own preset
    // when the other values are that preset's (else, and for Customize,
    // custom), and what would override the angles (Isya interval, Maghrib
    // angle, seasonal twilight) is cleared.
    void ClickConvention(int methods);

    // The authority drop-down: a preset fills every value it holds (its
    // button, angles, Asar rule, corrections, intervals, rules, sun and
    // rounding); 0 or an unknown number only makes the choice custom.
    void ChooseAuthority(uint32_t number);

    // Whether every value a preset fills is still the chosen preset's (true
    // when none is chosen). A value edited after choosing a preset makes the
    // choice custom: the page's values are no longer the authority's.
    bool HoldsAuthority() const;
    // After the user changed a box, a check box or a list: the authority
    // becomes custom (0) when HoldsAuthority() no longer holds.
    void NoteEdit();

    // The Windows time zone check box: ticked, the time-zone box shows the
    // offset in force today and is locked; unticked, it shows the user's own
    // zone again and is editable.
    void SetFollowWindowsZone(bool ticked, float zoneInForce);

    // The checks of Save in their order: latitude, longitude (line 160), time
    // zone, altitude (161), the corrections Dhuhur, Maghrib, Shubuh, Asar,
    // Isya (162), Gn, Gd (163), then an angle of 0 (163): the boxes show 0
    // until a convention is clicked, and 0 would put Fajr at sunrise (an
    // angle not used, as Gn beside an Isya interval, may be 0); then
    // the sunrise correction (162), the two Isya intervals (294) and the
    // Maghrib angle (296). The language line of the first refusal.
    std::optional<int> Validate() const;
    // The message of Validate's refusal, or nullopt: RefusalText, except that
    // an angle refused for being 0 is named without the ranges, which hold 0.
    std::optional<std::string> RefusalMessage(const LanguageList& language) const;

    // Writes Area, latitude, Longitude, Altitude, Gn, Gd, TZ (as typed; while
    // the Windows zone is followed, the user's own zone when it is valid), the
    // five corrections as whole-number texts, Methods, Syafii and
    // FollowWindowsZone; then Authority, PreciseSun, HighLatitude,
    // (custom when HoldsAuthority() does not hold),
    // IshaInterval, IshaIntervalRamadan (whole-number texts), MaghribAngle
    // (as typed), Add_Terbit, SeasonalTwilight, IgnoreAltitude, and
    // Pembulatan when a preset set it. Call after Validate().
    SaveResult Save(SettingsStore& store) const;
};

// The text of a refusal: the line, then the accepted ranges.
std::string RefusalText(const LanguageList& language, int line);

}  // namespace waktuna
