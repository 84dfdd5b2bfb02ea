#include "waktuna/settings/settings.h"

#include <cmath>

#include "waktuna/calc/authorities.h"
#include "waktuna/calc/ranges.h"
#include "waktuna/calc/imsak.h"
#include "waktuna/files/encoding.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/text.h"

namespace waktuna {

namespace {

uint16_t Low16(uint32_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
uint16_t Dword16(const SettingsStore& s, std::string_view name) { return Low16(ReadDword(s, name)); }
bool DwordIsOne(const SettingsStore& s, std::string_view name) { return ReadDword(s, name) == 1; }
int32_t WholeText(const SettingsStore& s, std::string_view name) {
    return ReadWholeNumber(ReadString(s, name));
}
float DecimalTextValue(const SettingsStore& s, std::string_view name) {
    return static_cast<float>(ReadDecimal(ReadString(s, name)));
}

}  // namespace

// ---- Alert values ---------------------------------------------------------

namespace {

// A minute offset from a prayer time beyond a day would name an unrelated
// clock second: such a stored count is off.
uint16_t AlertMinutes(const SettingsStore& s, std::string_view name) {
    const uint32_t minutes = ReadDword(s, name);
    return minutes <= kLastAlertMinute ? static_cast<uint16_t>(minutes) : 0;
}

// The Friday reminder: a finite date-time from year 1 to 9999, else off.
double FridayTime(const SettingsStore& s) {
    const double value = ReadDouble(s, "MJumat");
    return std::isfinite(value) && value > 0 && value < kDayAfterYear9999 ? value : 0.0;
}

}  // namespace

AlertSettings ReadAlertSettings(const SettingsStore& s) {
    AlertSettings a;
    a.message1 = AlertMinutes(s, "Message1");
    a.message2 = AlertMinutes(s, "Message2");
    a.m_adzan = Dword16(s, "MAdzan");
    a.m_minimize = Dword16(s, "MMinimize");
    a.m_message = Dword16(s, "MMessage");
    a.m_shutdown = Dword16(s, "MShutdown");
    a.m_time_shutdown = AlertMinutes(s, "MTimeShutdown");
    a.show_information = Dword16(s, "ShowInformation");
    a.m_jumat = FridayTime(s);
    a.m_shutdown_after = Dword16(s, "MShutdownAfter");
    a.m_imsak = DwordIsOne(s, "MImsak") ? 1 : 0;
    return a;
}

SaveResult WriteAlertSettings(SettingsStore& s, const AlertSettings& a) {
    SettingsWriter w(s);
    w.Dword("Message1", a.message1)
        .Dword("Message2", a.message2)
        .Dword("MMessage", a.m_message)
        .Dword("MMinimize", a.m_minimize)
        .Dword("MAdzan", a.m_adzan)
        .Dword("MShutdown", a.m_shutdown)
        .Dword("MTimeShutdown", a.m_time_shutdown)
        .Dword("ShowInformation", a.show_information)
        .Double("MJumat", a.m_jumat)
        .Dword("MShutdownAfter", a.m_shutdown_after)
        .Dword("MImsak", a.m_imsak);
    return w.Result();
}

// ---- Calculation values and the start-up table ------------------------------

namespace {

// A stored whole number or decimal inside its range, else 0 (missing).
int32_t WholeInRange(const SettingsStore& s, std::string_view name, CalcValue range) {
    const int32_t v = WholeText(s, name);
    return InCalcRange(range, v) ? v : 0;
}

// The values stored beside the six buttons' by the authority presets.
void ReadConventionExtras(const SettingsStore& s, MainSettings& m) {
    const uint32_t authority = ReadDword(s, kAuthorityValue);
    m.calc.authority = AuthorityByNumber(authority) ? authority : 0;
    m.calc.precise_sun = DwordIsOne(s, kPreciseSunValue);
    const uint32_t rule = ReadDword(s, kHighLatitudeValue);
    m.calc.high_latitude = rule < kHighLatitudeRuleCount ? static_cast<HighLatitudeRule>(rule)
                                                         : HighLatitudeRule::TwilightAngle;
    m.calc.isha_interval = WholeInRange(s, kIshaIntervalValue, CalcValue::IshaInterval);
    m.calc.isha_interval_ramadan = WholeInRange(s, kIshaIntervalRamadanValue, CalcValue::IshaInterval);
    const float maghrib = DecimalTextValue(s, kMaghribAngleValue);
    m.calc.maghrib_angle = InCalcRange(CalcValue::MaghribAngle, maghrib) ? maghrib : 0;
    m.calc.seasonal_twilight = DwordIsOne(s, kSeasonalTwilightValue);
    m.calc.ignore_altitude = DwordIsOne(s, kIgnoreAltitudeValue);
    m.core.add_terbit = WholeText(s, kAddTerbitValue);
}

}  // namespace

CalcSettings ToCalcSettings(const CalculationSettings& c) {
    CalcSettings out;
    out.altitude = c.altitude;
    out.syafii = c.syafii;
    out.time_zone = c.time_zone;
    out.fajr_angle = c.gd;
    out.isha_angle = c.gn;
    out.latitude = static_cast<float>(ReadDecimal(c.latitude));
    out.longitude = static_cast<float>(ReadDecimal(c.longitude));
    out.precise_sun = c.precise_sun;
    out.high_latitude = c.high_latitude;
    out.isha_interval = c.isha_interval;
    out.isha_interval_ramadan = c.isha_interval_ramadan;
    out.maghrib_angle = c.maghrib_angle;
    out.seasonal_twilight = c.seasonal_twilight;
    out.ignore_altitude = c.ignore_altitude;
    return out;
}

bool SyafiiOf(uint32_t stored) { return stored == 0; }

std::string_view TimeFormatOf(uint32_t stored) { return stored == 0 ? kFormatHHmm : kFormatHHmmss; }

int8_t ReadHijriyahDiff(const SettingsStore& s) {
    return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(WholeText(s, "HijriyahDiff")) & 0xFF));
}

MainSettings StartSettings() {
    static const MainSettings start = ReadMainSettings(MemorySettingsStore{});
    return start;
}

MainSettings ReadMainSettings(const SettingsStore& s) {
    MainSettings m;
    m.alerts = ReadAlertSettings(s);
    m.calc.altitude = WholeText(s, "Altitude");
    m.calc.methods = Dword16(s, "Methods");
    m.calc.syafii = SyafiiOf(ReadDword(s, "Syafii"));
    m.always_on_top = DwordIsOne(s, "AlwaysOnTop");
    m.calc.area = ReadString(s, "Area");
    m.calc.latitude = ReadString(s, "Latitude");
    m.calc.longitude = ReadString(s, "Longitude");
    m.calc.gn = DecimalTextValue(s, "Gn");
    m.calc.gd = DecimalTextValue(s, "Gd");
    m.calc.time_zone = DecimalTextValue(s, "TZ");
    m.core.add_dhuhur = WholeText(s, "Add_Dhuhur");
    m.core.add_maghrib = WholeText(s, "Add_Maghrib");
    m.core.add_shubuh = WholeText(s, "Add_Shubuh");
    m.core.add_asar = WholeText(s, "Add_Asar");
    m.core.add_isya = WholeText(s, "Add_Isya");
    m.core.pembulatan = static_cast<uint8_t>(ReadDword(s, "Pembulatan") & 0xFF);
    m.core.hijriyah_diff = ReadHijriyahDiff(s);
    m.skin = WholeText(s, "Skin");
    m.core.time_format = std::string(TimeFormatOf(ReadDword(s, "TimeFormat")));
    m.show_drop_zone = DwordIsOne(s, "ShowDropZone");
    m.dz_remaining = DwordIsOne(s, "dzRemaining");
    m.dz_transparent = DwordIsOne(s, "dzTransparent");
    m.dz_snap = DwordIsOne(s, "dzSnap");
    m.language = ReadLanguageName(s);
    m.calc.follow_windows_zone = DwordIsOne(s, kFollowWindowsZoneValue);
    ReadConventionExtras(s, m);
    m.core.hijri_calendar = HijriCalendarOf(ReadDword(s, kHijriCalendarValue));
    m.core.imsak_minutes = ImsakMinutesOf(ReadDword(s, kImsakValue));
    return m;
}

uint32_t ReadHotKey(const SettingsStore& store) { return HotKeyFromText(ReadString(store, "HotKey")); }

DialogOpening ReadDialogOpening(const SettingsStore& store) {
    return {static_cast<int32_t>(ReadDword(store, "DialogEffect")), DwordIsOne(store, "UseAlphaBlend")};
}

uint32_t HotKeyFromText(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.size() == 1) return static_cast<unsigned char>(UpperCp1252(trimmed[0]));
    if (text.empty() || text[0] != 'F') return kHotKeyF12;
    // The second and third characters must be a number as a whole.
    const std::string_view digits = text.substr(1, 2);
    size_t i = (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) ? 1 : 0;
    if (i == digits.size()) return kHotKeyF12;
    for (size_t k = i; k < digits.size(); ++k) {
        if (digits[k] < '0' || digits[k] > '9') return kHotKeyF12;
    }
    const uint32_t low8 = static_cast<uint32_t>(ReadWholeNumber(digits)) & 0xFF;
    return low8 == 0 ? kHotKeyF12 : low8 + 111;
}

// ---- Program settings page ------------------------------------------------

uint32_t BarWidthInRange(uint32_t stored) { return stored >= 10 && stored <= 100 ? stored : 100; }
uint32_t BarPositionInRange(uint32_t stored) { return stored <= 2 ? stored : 0; }
uint32_t BarMotionInRange(uint32_t stored) { return stored <= 4 ? stored : 2; }

ProgramSettings ReadProgramSettings(const SettingsStore& s) {
    ProgramSettings p;
    p.skin = WholeText(s, "Skin");
    p.language = ReadLanguageName(s);
    p.time_format = ReadDword(s, "TimeFormat");
    p.pembulatan = ReadDword(s, "Pembulatan");
    p.always_on_top = DwordIsOne(s, "AlwaysOnTop");
    p.show_drop_zone = DwordIsOne(s, "ShowDropZone");
    p.use_alpha_blend = DwordIsOne(s, "UseAlphaBlend");
    p.dialog_effect = ReadDword(s, "DialogEffect");
    p.bar_position = BarPositionInRange(ReadDword(s, "BarPosition"));
    p.bar_motion = BarMotionInRange(ReadDword(s, "BarMotion"));
    p.bar_width = BarWidthInRange(ReadDword(s, "BarWidth"));
    p.bar_alpha = ReadDword(s, "BarAlpha");
    return p;
}

std::string ReadLanguageName(const SettingsStore& store) {
    std::string name = ReadString(store, "Language");
    return IsPlainFileName(name) ? name : std::string();
}

std::string_view AdzanValueName(Prayer prayer) {
    switch (prayer) {
        case Shubuh: return "AdzanShubuh";
        case Dhuhur: return "AdzanDhuhur";
        case Asar: return "AdzanAsar";
        case Maghrib: return "AdzanMaghrib";
        case Isya: return "AdzanIsya";
        default: return {};
    }
}

// ---- Drop zone window -----------------------------------------------------

DropZoneSettings ReadDropZoneSettings(const SettingsStore& s) {
    DropZoneSettings d;
    // A stored position is text; a missing one (or one of another type)
    // leaves the window where it is.
    const auto coordinate = [&](std::string_view name) -> std::optional<int32_t> {
        const auto v = s.Read(name);
        if (!v || v->type != kTypeString) return std::nullopt;
        return WholeText(s, name);
    };
    d.x = coordinate("dzX");
    d.y = coordinate("dzY");
    d.transparent = DwordIsOne(s, "dzTransparent");
    d.snap = DwordIsOne(s, "dzSnap");
    d.remaining = DwordIsOne(s, "dzRemaining");
    d.alpha = ReadDword(s, "dzAlpha");
    d.size = ReadDword(s, "dzSize");
    d.flash_time = ReadDword(s, "FlashTime");
    return d;
}

std::optional<int> DropZoneFontHeight(uint32_t dzSize) {
    if (dzSize >= 1 && dzSize <= 71) return static_cast<int>(dzSize);
    return std::nullopt;
}

int DropZoneFontHeightOfItem(int item) { return 15 + 3 * item; }

uint8_t DropZoneAlphaOfPercent(int percent) { return static_cast<uint8_t>(percent * 255 / 100); }

DropZoneAlpha DropZoneAlphaOf(uint32_t dzAlpha) {
    DropZoneAlpha a;
    if (dzAlpha >= kDropZoneAlphaDisabled) {
        a.disabled = true;
    } else if (dzAlpha >= 11) {
        a.apply = static_cast<uint8_t>(dzAlpha);
        for (int item = 0; item < 5; ++item) {
            if (DropZoneAlphaOfPercent(30 + 10 * item) == dzAlpha) a.ticked_item = item;
        }
    }
    return a;
}

uint64_t DropZoneFlashSteps(uint32_t flashTime) {
    // Held to an hour: a stray value must not flash for days.
    return flashTime == 0 ? 360 : uint64_t{std::min<uint32_t>(flashTime, 3600)} * 2;
}

}  // namespace waktuna
