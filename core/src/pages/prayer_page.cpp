#include "waktuna/pages/prayer_page.h"

#include "waktuna/calc/authorities.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/lines.h"
#include "waktuna/calc/ranges.h"
#include "waktuna/settings/settings.h"

namespace waktuna {

const std::array<ConventionPreset, 6> kConventions = {{
    {kKarachi, 77, "Karachi", "18", "18"},
    {kIsna, 78, "ISNA", "15", "15"},
    {kWorldIslamicLeague, 79, "WIL", "18", "17"},
    {kUmmulQura, 80, "Ummul Qura'", "19", "18"},
    {kEgypt, 81, "Egypt", "19.5", "17.5"},
    {kCustomize, 82, "Customize", "18", "18.5"},
}};

// No "15": no place keeps that time, and Save refuses it.
const std::array<const char*, 32> kTimeZoneItems = {
    "-12", "-11", "-10", "-9.5", "-9", "-8.5", "-8", "-7", "-6", "-5", "-3.5",
    "-3",  "-2",  "-1",  "0",    "1",  "2",    "3",  "4.5", "5", "6.5", "7",
    "8",   "9",   "9.5", "10",   "10.5", "11", "11.5", "12", "13", "14"};
const std::array<const char*, 13> kAngleItems = {"15",   "15.5", "16", "16.5", "17", "17.5", "18",
                                                 "18.5", "19",   "19.5", "20", "20.5", "21"};
const std::array<const char*, 6> kCorrectionItems = {"0", "1", "2", "3", "4", "5"};
const std::array<const char*, 2> kAsarItems = {"Mazhab Imam Syafi'i", "Mazhab Imam Hanafi"};

namespace {

// A stored decimal as the box shows it: the shortest text of its 32-bit
// value, or the stored text itself when that is not a finite number.
std::string DecimalBoxText(const SettingsStore& store, std::string_view name, float value) {
    const std::string shortest = ShortestFloatText(value);
    return shortest.empty() ? ReadString(store, name) : shortest;
}

// A twilight angle of 0 puts Fajr at sunrise and Isya at sunset: no
// convention uses it. It is what an angle box shows before any convention
// was chosen (a fresh install stores no angles).
bool ZeroAngle(const std::string& text) {
    return !RefusalOf(CalcValue::Angle, text) && static_cast<float>(ReadDecimal(text)) == 0;
}

}  // namespace

void PrayerPage::Load(const SettingsStore& store, float zoneInForce) {
    const MainSettings m = ReadMainSettings(store);
    area = m.calc.area;
    latitude = m.calc.latitude;
    longitude = m.calc.longitude;
    altitude = IntText(m.calc.altitude);
    time_zone = DecimalBoxText(store, "TZ", m.calc.time_zone);
    time_zone_editable = true;
    gd = DecimalBoxText(store, "Gd", m.calc.gd);
    gn = DecimalBoxText(store, "Gn", m.calc.gn);
    add_shubuh = IntText(m.core.add_shubuh);
    add_dhuhur = IntText(m.core.add_dhuhur);
    add_asar = IntText(m.core.add_asar);
    add_maghrib = IntText(m.core.add_maghrib);
    add_isya = IntText(m.core.add_isya);
    asar_index = m.calc.syafii ? 0 : 1;
    // A stored 0 (or nothing) selects Customize but keeps the angles locked
    // until a button is clicked.
    convention = m.calc.methods >= kKarachi && m.calc.methods <= kEgypt ? int{m.calc.methods} : int{kCustomize};
    angles_editable = m.calc.methods > kEgypt;
    SetFollowWindowsZone(ReadDword(store, "FollowWindowsZone") != 0, zoneInForce);
    authority = m.calc.authority;
    precise_sun = m.calc.precise_sun;
    high_latitude = static_cast<int>(m.calc.high_latitude);
    isha_interval = IntText(m.calc.isha_interval);
    isha_interval_ramadan = IntText(m.calc.isha_interval_ramadan);
    maghrib_angle = ShortestFloatText(m.calc.maghrib_angle);
    add_terbit = IntText(m.core.add_terbit);
    seasonal_twilight = m.calc.seasonal_twilight;
    ignore_altitude = m.calc.ignore_altitude;
    rounding.reset();
}

void PrayerPage::ClickConvention(int methods) {
    for (const ConventionPreset& c : kConventions) {
        if (c.methods != methods) continue;
        convention = methods;
        gd = c.gd;
        gn = c.gn;
        angles_editable = methods == kCustomize;
        authority = AuthorityByNumber(static_cast<uint32_t>(methods)) ? static_cast<uint32_t>(methods) : 0;
        // A convention has no interval and no Maghrib angle.
        for (std::string* box : {&isha_interval, &isha_interval_ramadan, &maghrib_angle}) box->assign(1, '0');
        seasonal_twilight = false;
        // The button's preset only while the other values are its too.
        NoteEdit();
    }
}

void PrayerPage::ChooseAuthority(uint32_t number) {
    const Authority* a = AuthorityByNumber(number);
    authority = a ? number : 0;
    if (!a) return;
    convention = a->methods;
    angles_editable = a->methods == kCustomize;
    gd = ShortestFloatText(a->fajr_angle);
    gn = ShortestFloatText(a->isha_angle);
    asar_index = a->hanafi ? 1 : 0;
    std::string* const corrections[] = {&add_shubuh, &add_terbit, &add_dhuhur,
                                        &add_asar,   &add_maghrib, &add_isya};
    for (size_t i = 0; i < a->add.size(); ++i) *corrections[i] = IntText(a->add[i]);
    isha_interval = IntText(a->isha_interval);
    isha_interval_ramadan = IntText(a->isha_interval_ramadan);
    maghrib_angle = ShortestFloatText(a->maghrib_angle);
    precise_sun = a->precise_sun;
    high_latitude = static_cast<int>(a->high_latitude);
    seasonal_twilight = a->seasonal_twilight;
    ignore_altitude = !a->altitude;
    rounding = a->rounding;
}

bool PrayerPage::HoldsAuthority() const {
    const Authority* a = AuthorityByNumber(authority);
    if (!a) return true;
    const auto angle = [](const std::string& text, float value) {
        return static_cast<float>(ReadDecimal(text)) == value;
    };
    const auto whole = [](const std::string& text, int32_t value) { return ReadWholeNumber(text) == value; };
    const std::string* const corrections[] = {&add_shubuh, &add_terbit, &add_dhuhur,
                                              &add_asar,   &add_maghrib, &add_isya};
    for (size_t i = 0; i < a->add.size(); ++i)
        if (!whole(*corrections[i], a->add[i])) return false;
    return convention == a->methods && angle(gd, a->fajr_angle) && angle(gn, a->isha_angle) &&
           asar_index == (a->hanafi ? 1 : 0) && whole(isha_interval, a->isha_interval) &&
           whole(isha_interval_ramadan, a->isha_interval_ramadan) &&
           angle(maghrib_angle, a->maghrib_angle) && precise_sun == a->precise_sun &&
           high_latitude == static_cast<int>(a->high_latitude) &&
           seasonal_twilight == a->seasonal_twilight && ignore_altitude == !a->altitude;
}

void PrayerPage::NoteEdit() {
    if (!HoldsAuthority()) authority = 0;
}

void PrayerPage::SetFollowWindowsZone(bool ticked, float zoneInForce) {
    follow_windows_zone = ticked;
    // The editable box is the state before this click: the own zone is kept
    // when the box is locked, and brought back when it is unlocked.
    if (ticked && time_zone_editable) own_time_zone = time_zone;
    if (!ticked && !time_zone_editable) time_zone = own_time_zone;
    if (ticked) time_zone = ShortestFloatText(zoneInForce);
    time_zone_editable = !ticked;
}

std::optional<int> PrayerPage::Validate() const {
    const std::pair<CalcValue, const std::string*> order[] = {
        {CalcValue::Latitude, &latitude},     {CalcValue::Longitude, &longitude},
        {CalcValue::TimeZone, &time_zone},    {CalcValue::Altitude, &altitude},
        {CalcValue::Correction, &add_dhuhur}, {CalcValue::Correction, &add_maghrib},
        {CalcValue::Correction, &add_shubuh}, {CalcValue::Correction, &add_asar},
        {CalcValue::Correction, &add_isya},   {CalcValue::Angle, &gn},
        {CalcValue::Angle, &gd},
    };
    for (const auto& [value, text] : order) {
        if (auto line = RefusalOf(value, *text)) return line;
    }
    // An angle the calculation does not use (Isya by an interval, both by
    // the seasons) may stay 0.
    const bool isha_by_angle = !seasonal_twilight && ReadWholeNumber(isha_interval) == 0;
    if ((isha_by_angle && ZeroAngle(gn)) || (!seasonal_twilight && ZeroAngle(gd)))
        return RangeOf(CalcValue::Angle).refusal_line;
    const std::pair<CalcValue, const std::string*> added[] = {
        {CalcValue::Correction, &add_terbit},
        {CalcValue::IshaInterval, &isha_interval},
        {CalcValue::IshaInterval, &isha_interval_ramadan},
        {CalcValue::MaghribAngle, &maghrib_angle},
    };
    for (const auto& [value, text] : added) {
        if (auto line = RefusalOf(value, *text)) return line;
    }
    return std::nullopt;
}

std::optional<std::string> PrayerPage::RefusalMessage(const LanguageList& language) const {
    const std::optional<int> line = Validate();
    if (!line) return std::nullopt;
    // A 0 lies inside the ranges the refusal would list: name the angles only.
    if (*line == RangeOf(CalcValue::Angle).refusal_line && !RefusalOf(CalcValue::Angle, gn) &&
        !RefusalOf(CalcValue::Angle, gd))
        return language.Line(*line);
    return RefusalText(language, *line);
}

SaveResult PrayerPage::Save(SettingsStore& store) const {
    const auto whole = [](const std::string& text) { return IntText(ReadWholeNumber(text)); };
    SettingsWriter w(store);
    w.String("Area", area)
        .String("latitude", latitude)
        .String("Longitude", longitude)
        .String("Altitude", altitude)
        .String("Gn", gn)
        .String("Gd", gd)
        .String("TZ", follow_windows_zone && !RefusalOf(CalcValue::TimeZone, own_time_zone)
                          ? own_time_zone
                          : time_zone)
        .String("Add_Dhuhur", whole(add_dhuhur))
        .String("Add_Maghrib", whole(add_maghrib))
        .String("Add_Shubuh", whole(add_shubuh))
        .String("Add_Asar", whole(add_asar))
        .String("Add_Isya", whole(add_isya))
        .Dword("Methods", static_cast<uint32_t>(convention))
        .Dword("Syafii", asar_index == 0 ? 0 : 1)
        .Dword("FollowWindowsZone", follow_windows_zone ? 1 : 0)
        .Dword(kAuthorityValue, HoldsAuthority() ? authority : 0)
        .Dword(kPreciseSunValue, precise_sun ? 1 : 0)
        .Dword(kHighLatitudeValue, static_cast<uint32_t>(high_latitude))
        .String(kIshaIntervalValue, whole(isha_interval))
        .String(kIshaIntervalRamadanValue, whole(isha_interval_ramadan))
        .String(kMaghribAngleValue, maghrib_angle)
        .String(kAddTerbitValue, whole(add_terbit))
        .Dword(kSeasonalTwilightValue, seasonal_twilight ? 1 : 0)
        .Dword(kIgnoreAltitudeValue, ignore_altitude ? 1 : 0);
    if (rounding) w.Dword("Pembulatan", *rounding);
    return w.Result();
}

std::string RefusalText(const LanguageList& language, int line) {
    const int ranges = line == 160   ? kLineCoordinateRanges
                       : line == 161 ? kLineZoneAltitudeRanges
                       : line == 162 ? kLineCorrectionRange
                       : line == 163 ? kLineAngleRange
                       : line == kLineInvalidIshaInterval ? kLineIshaIntervalRange
                       : line == kLineInvalidMaghribAngle ? kLineMaghribAngleRange
                                     : 0;
    return ranges ? language.Line(line) + "\r\n" + language.Line(ranges) : language.Line(line);
}

}  // namespace waktuna
