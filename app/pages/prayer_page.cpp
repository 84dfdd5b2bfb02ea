#include "pages/prayer_page.h"

#include <array>
#include <span>
#include <string>

#include "ui/controls.h"
#include "ui/group_box.h"
#include "pages/page_save.h"
#include "waktuna/calc/authorities.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/lines.h"
#include "waktuna/settings/settings.h"

#include "windows/place_picker_window.h"

namespace app {

namespace {

enum ControlId : int {
    kAreaId = 100,
    kLatitudeId,
    kLongitudeId,
    kAltitudeId,
    kTimeZoneId,
    kFollowZoneId,
    kSelectCityId,
    kConventionId = 110,  // + index 0..5 of waktuna::kConventions
    kGdId = 120,
    kGnId,
    kAsarId,
    kAddShubuhId,
    kAddDhuhurId,
    kAddAsarId,
    kAddMaghribId,
    kAddIsyaId,
    kSaveId,
    kGroupId,
    kAuthorityId,
    kPreciseSunId,
    kHighLatitudeId,
    kIshaIntervalId,
    kIshaIntervalRamadanId,
    kMaghribAngleId,
    kAddTerbitId,
};

constexpr DWORD kLabel = SS_NOPREFIX | SS_CENTERIMAGE;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCombo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

// The boxes under the convention group, in two rows: caption, language
// line, id, and column (x, width) of the caption; the box is under it.
struct BoxBelow {
    const char* caption;
    int line;
    int id;
    int x, w;
};
// The six corrections left to right, sunrise in its place among the times;
// each column as wide as its English caption needs.
constexpr std::array<BoxBelow, 6> kCorrections = {{
    {"Add Shubuh", waktuna::kLineAddFajr, kAddShubuhId, 8, 60},
    {"Add sunrise", waktuna::kLineAddSunrise, kAddTerbitId, 72, 66},
    {"Add Dhuhur", waktuna::kLineAddZuhr, kAddDhuhurId, 142, 60},
    {"Add Asar", waktuna::kLineAddAsr, kAddAsarId, 206, 60},
    {"Add Maghrib", waktuna::kLineAddMaghrib, kAddMaghribId, 270, 80},
    {"Add Isya", waktuna::kLineAddIsha, kAddIsyaId, 354, 66},
}};
// What an authority may set beside the angles: Isya after Maghrib by minutes
// and Maghrib by an angle.
// The captions are longer than their boxes: each reaches to a gap before the
// next, the last one over the Save button, and shows "..." where a
// translation is longer still.
constexpr std::array<BoxBelow, 3> kIntervals = {{
    {"Isha interval (minutes)", waktuna::kLineIshaInterval, kIshaIntervalId, 8, 132},
    {"Isha interval in Ramadan", waktuna::kLineIshaIntervalRamadan, kIshaIntervalRamadanId, 146, 150},
    {"Maghrib angle", waktuna::kLineMaghribAngle, kMaghribAngleId, 302, 118},
}};
// The two rows end above the page's bottom (305 at 96 DPI): a caption of 14
// over a box of about 22.
constexpr int kCorrectionRowY = 228;
constexpr int kIntervalRowY = 265;
constexpr int kCaptionHeight = 14;

// The high-latitude rules in the order of the drop-down and of HighLatitude.
constexpr std::array<int, 3> kHighLatitudeLines = {
    waktuna::kLineHighLatitudeTwilightAngle, waktuna::kLineHighLatitudeMiddleOfNight,
    waktuna::kLineHighLatitudeOneSeventh};

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> t = [] {
        std::vector<ControlSpec> t = {
            {0, "STATIC", kLabel, 8, 8, 80, 20, FontId::kNormal, waktuna::kLinePlaceName, "City Name"},
            {kAreaId, "EDIT", kEdit, 92, 8, 196, 20, FontId::kNormal, 0, "City Names"},
            {kSelectCityId, "BUTTON", kButton, 296, 7, 124, 23,
             FontId::kNormal, waktuna::kLineSelectCity, "PIlih Area"},
            {0, "STATIC", kLabel, 8, 34, 80, 20, FontId::kNormal, waktuna::kLineLatitude, "Latitude"},
            {kLatitudeId, "EDIT", kEdit, 92, 34, 110, 20, FontId::kNormal, 0, "0.00000000"},
            {0, "STATIC", kLabel, 216, 34, 76, 20, FontId::kNormal, waktuna::kLineLongitude, "Longitude"},
            {kLongitudeId, "EDIT", kEdit, 296, 34, 124, 20, FontId::kNormal, 0, "0.00000000"},
            {0, "STATIC", kLabel, 8, 60, 80, 20, FontId::kNormal, waktuna::kLineAltitude, "Altitude"},
            {kAltitudeId, "EDIT", kEdit, 92, 60, 110, 20, FontId::kNormal, 0, "0.00000000"},
            {0, "STATIC", kLabel, 216, 60, 76, 20, FontId::kNormal, waktuna::kLineTimeZone, "Time Zone"},
            {kTimeZoneId, "COMBOBOX", kCombo, 296, 60, 80, 240},
            {kFollowZoneId, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 8, 84, 300, 18, FontId::kNormal,
             waktuna::kLineFollowWindowsZone, "Follow the Windows time zone, with daylight saving"},
            {kPreciseSunId, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 312, 84, 108, 18, FontId::kNormal,
             waktuna::kLinePreciseSun, "Precise sun"},
            {0, "STATIC", kLabel, 8, 104, 64, 20, FontId::kNormal, waktuna::kLineAuthority, "Authority"},
            {kAuthorityId, "COMBOBOX", kList, 76, 104, 140, 300},
            {0, "STATIC", kLabel, 222, 104, 56, 20, FontId::kNormal, waktuna::kLineAsrTimes, "Asar Times"},
            {kAsarId, "COMBOBOX", kList, 280, 104, 140, 120},
            {kGroupId, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, 126, 412, 100, FontId::kNormal,
             waktuna::kLineConventionsForFajrAndIshaa, "Konvensi"},
            {0, "STATIC", kLabel, 296, 138, 30, 20, FontId::kNormal, 0, "Gd :"},
            {kGdId, "COMBOBOX", kCombo, 330, 138, 70, 240},
            {0, "STATIC", kLabel, 296, 161, 30, 20, FontId::kNormal, 0, "Gn :"},
            {kGnId, "COMBOBOX", kCombo, 330, 161, 70, 240},
            {0, "STATIC", kLabel, 296, 184, 116, 14, FontId::kNormal, waktuna::kLineHighLatitudes,
             "High latitudes"},
            {kHighLatitudeId, "COMBOBOX", kList, 296, 198, 116, 120},
        };
        for (size_t i = 0; i < waktuna::kConventions.size(); ++i) {
            const auto& c = waktuna::kConventions[i];
            // The first button starts the group: the arrow keys move among the six.
            const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
            t.push_back({kConventionId + static_cast<int>(i), "BUTTON", style, 18,
                         138 + static_cast<int>(i) * 14, 268, 14, FontId::kNormal, c.caption_line,
                         c.builtin_caption});
        }
        const auto row = [&t](std::span<const BoxBelow> boxes, int y) {
            for (const BoxBelow& b : boxes) {
                t.push_back({0, "STATIC", kLabel | SS_ENDELLIPSIS, b.x, y, b.w, kCaptionHeight, FontId::kNormal, b.line,
                             b.caption});
                t.push_back({b.id, "COMBOBOX", kCombo, b.x, y + kCaptionHeight, 56, 200});
            }
        };
        row(kCorrections, kCorrectionRowY);
        row(kIntervals, kIntervalRowY);
        // Last, so the tab key reaches it after every box.
        t.push_back({kSaveId, "BUTTON", kButton, 362, kIntervalRowY + kCaptionHeight, 58, 22, FontId::kBold,
                     waktuna::kLineSave, "Save"});
        return t;
    }();
    return t;
}

template <size_t N>
void Fill(HWND combo, const std::array<const char*, N>& items) {
    std::vector<std::string> texts(items.begin(), items.end());
    FillChoices(combo, texts);
}

}  // namespace

void PrayerPage::Build() {
    controls_.Create(hwnd(), Controls(), host_.GetLook(), host_.Language());
    Fill(controls_[kTimeZoneId], waktuna::kTimeZoneItems);
    Fill(controls_[kGdId], waktuna::kAngleItems);
    Fill(controls_[kGnId], waktuna::kAngleItems);
    Fill(controls_[kAsarId], waktuna::kAsarItems);
    for (const BoxBelow& c : kCorrections) Fill(controls_[c.id], waktuna::kCorrectionItems);
    FillLists();

    bindings_.Text(kAreaId, &model_.area);
    bindings_.Text(kLatitudeId, &model_.latitude);
    bindings_.Text(kLongitudeId, &model_.longitude);
    bindings_.Text(kAltitudeId, &model_.altitude);
    bindings_.Text(kTimeZoneId, &model_.time_zone);
    bindings_.Check(kFollowZoneId, &model_.follow_windows_zone);
    bindings_.Text(kGdId, &model_.gd);
    bindings_.Text(kGnId, &model_.gn);
    bindings_.Choice(kAsarId, &model_.asar_index);
    bindings_.Text(kAddShubuhId, &model_.add_shubuh);
    bindings_.Text(kAddDhuhurId, &model_.add_dhuhur);
    bindings_.Text(kAddAsarId, &model_.add_asar);
    bindings_.Text(kAddMaghribId, &model_.add_maghrib);
    bindings_.Text(kAddIsyaId, &model_.add_isya);
    bindings_.Text(kAddTerbitId, &model_.add_terbit);
    bindings_.Check(kPreciseSunId, &model_.precise_sun);
    bindings_.Choice(kHighLatitudeId, &model_.high_latitude);
    bindings_.Text(kIshaIntervalId, &model_.isha_interval);
    bindings_.Text(kIshaIntervalRamadanId, &model_.isha_interval_ramadan);
    bindings_.Text(kMaghribAngleId, &model_.maghrib_angle);
}

void PrayerPage::FillLists() {
    // The authority list: custom first, then the presets in their order.
    const waktuna::LanguageList& language = host_.Language();
    std::vector<std::string> authorities{language.Line(waktuna::kLineCustomAuthority)};
    for (const waktuna::Authority& a : waktuna::Authorities()) authorities.emplace_back(a.name);
    FillChoices(controls_[kAuthorityId], authorities);
    // The names are longer than the closed box.
    SendMessageA(controls_[kAuthorityId], CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scale(300)), 0);
    std::vector<std::string> rules;
    for (int line : kHighLatitudeLines) rules.push_back(language.Line(line));
    FillChoices(controls_[kHighLatitudeId], rules);
    SendMessageA(controls_[kHighLatitudeId], CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scale(160)), 0);
}

void PrayerPage::ApplyLanguage() {
    Page::ApplyLanguage();
    // The lists' items are language lines too; the choices shown are kept.
    ReadControls();
    FillLists();
    ShowModel();
}

float PrayerPage::ZoneInForce() const {
    // The Windows zone's offset today; the stored zone where the host knows none.
    const float stored = static_cast<float>(waktuna::ReadDecimal(waktuna::ReadString(host_.Settings(), "TZ")));
    return host_.TimeZoneInForceToday(true, stored);
}

void PrayerPage::Refresh() {
    model_.Load(host_.Settings(), ZoneInForce());
    ShowModel();
}

void PrayerPage::ShowModel() {
    bindings_.ToControls(controls_);
    for (size_t i = 0; i < waktuna::kConventions.size(); ++i)
        SendMessageA(controls_[kConventionId + static_cast<int>(i)], BM_SETCHECK,
                     waktuna::kConventions[i].methods == model_.convention ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowAuthority();
    EnableWindow(controls_[kGdId], model_.angles_editable);
    EnableWindow(controls_[kGnId], model_.angles_editable);
    EnableWindow(controls_[kTimeZoneId], model_.time_zone_editable);
}

void PrayerPage::ShowAuthority() {
    // The authority's item: custom for 0 or a number this program does not know.
    const auto& all = waktuna::Authorities();
    LPARAM item = 0;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].number == model_.authority) item = static_cast<LPARAM>(i + 1);
    SendMessageA(controls_[kAuthorityId], CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void PrayerPage::ReadControls() {
    bindings_.FromControls(controls_);
    // The ticked button; the model keeps the last one clicked.
    for (size_t i = 0; i < waktuna::kConventions.size(); ++i)
        if (SendMessageA(controls_[kConventionId + static_cast<int>(i)], BM_GETCHECK, 0, 0) == BST_CHECKED)
            model_.convention = waktuna::kConventions[i].methods;
}

namespace {

// The controls holding a value an authority preset fills.
bool HoldsPresetValue(int id) {
    switch (id) {
        case kGdId: case kGnId: case kAsarId: case kAddShubuhId: case kAddDhuhurId:
        case kAddAsarId: case kAddMaghribId: case kAddIsyaId: case kAddTerbitId:
        case kPreciseSunId: case kHighLatitudeId: case kIshaIntervalId:
        case kIshaIntervalRamadanId: case kMaghribAngleId:
            return true;
        default:
            return false;
    }
}

}  // namespace

void PrayerPage::OnCommand(int id, int code) {
    if (HoldsPresetValue(id) &&
        (code == CBN_EDITCHANGE || code == CBN_SELCHANGE || (id == kPreciseSunId && code == BN_CLICKED))) {
        PostMessageA(hwnd(), kValueEdited, 0, 0);
    } else if (id >= kConventionId && id < kConventionId + 6 && code == BN_CLICKED) {
        ReadControls();
        model_.ClickConvention(waktuna::kConventions[static_cast<size_t>(id - kConventionId)].methods);
        ShowModel();
    } else if (id == kAuthorityId && code == CBN_SELCHANGE) {
        ReadControls();
        const LRESULT item = SendMessageA(controls_[kAuthorityId], CB_GETCURSEL, 0, 0);
        const auto& all = waktuna::Authorities();
        model_.ChooseAuthority(item > 0 && static_cast<size_t>(item) <= all.size()
                                   ? all[static_cast<size_t>(item - 1)].number
                                   : 0);
        ShowModel();
    } else if (id == kFollowZoneId && code == BN_CLICKED) {
        ReadControls();
        model_.SetFollowWindowsZone(model_.follow_windows_zone, ZoneInForce());
        ShowModel();
    } else if (id == kSaveId && code == BN_CLICKED) {
        ReadControls();
        Save();
    } else if (id == kSelectCityId && code == BN_CLICKED) {
        SelectCity();
    }
}

LRESULT PrayerPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kValueEdited) {
        // Only the authority list changes: the box being typed in keeps its caret.
        ReadControls();
        model_.NoteEdit();
        ShowAuthority();
        return 0;
    }
    if (msg == WM_CTLCOLORSTATIC)
        FillGroupBox(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), page_brush_);
    return Page::OnMessage(msg, wp, lp);
}

void PrayerPage::Save() {
    const std::optional<std::string> refusal = model_.RefusalMessage(host_.Language());
    if (!StoreOrReport(host_, refusal, model_)) return;
    host_.LoadSettings();
    host_.RecomputeTimes();
    host_.ShowSavedNotice();
}

void PrayerPage::SelectCity() {
    const auto place = ChoosePlace(host_, host_.DialogOwner());
    if (!place) return;
    ReadControls();
    model_.area = place->name;
    model_.latitude = place->latitude;
    model_.longitude = place->longitude;
    model_.altitude = place->altitude;
    if (place->time_zone) {
        // While the Windows zone is followed the box shows that one; the
        // place's zone becomes the user's own, shown when unticked.
        (model_.follow_windows_zone ? model_.own_time_zone : model_.time_zone) = *place->time_zone;
    }
    ShowModel();
    // A place chosen from the list is saved at once.
    Save();
}

}  // namespace app
