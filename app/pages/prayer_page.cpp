#include "pages/prayer_page.h"

#include <array>
#include <string>

#include "ui/controls.h"
#include "ui/group_box.h"
#include "pages/page_save.h"
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
};

constexpr DWORD kLabel = SS_NOPREFIX | SS_CENTERIMAGE;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCombo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

// The five corrections left to right: caption, language line, id.
struct CorrectionBox {
    const char* caption;
    int line;
    int id;
};
constexpr std::array<CorrectionBox, 5> kCorrections = {{
    {"Add Shubuh", waktuna::kLineAddFajr, kAddShubuhId},
    {"Add Dhuhur", waktuna::kLineAddZuhr, kAddDhuhurId},
    {"Add Asar", waktuna::kLineAddAsr, kAddAsarId},
    {"Add Maghrib", waktuna::kLineAddMaghrib, kAddMaghribId},
    {"Add Isya", waktuna::kLineAddIsha, kAddIsyaId},
}};

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
            {kFollowZoneId, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 8, 84, 412, 18, FontId::kNormal,
             waktuna::kLineFollowWindowsZone, "Follow the Windows time zone, with daylight saving"},
            {kGroupId, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, 106, 412, 124, FontId::kNormal,
             waktuna::kLineConventionsForFajrAndIshaa, "Konvensi"},
            {0, "STATIC", kLabel, 296, 136, 30, 20, FontId::kNormal, 0, "Gd :"},
            {kGdId, "COMBOBOX", kCombo, 330, 136, 70, 240},
            {0, "STATIC", kLabel, 296, 166, 30, 20, FontId::kNormal, 0, "Gn :"},
            {kGnId, "COMBOBOX", kCombo, 330, 166, 70, 240},
            {0, "STATIC", kLabel, 8, 238, 80, 20, FontId::kNormal, waktuna::kLineAsrTimes, "Asar Times"},
            {kAsarId, "COMBOBOX", kList, 92, 238, 180, 120},
            {kSaveId, "BUTTON", kButton, 330, 236, 90, 26, FontId::kBold, waktuna::kLineSave, "Save"},
        };
        for (size_t i = 0; i < waktuna::kConventions.size(); ++i) {
            const auto& c = waktuna::kConventions[i];
            // The first button starts the group: the arrow keys move among the six.
            const DWORD style = BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
            t.push_back({kConventionId + static_cast<int>(i), "BUTTON", style, 18,
                         124 + static_cast<int>(i) * 17, 268, 17, FontId::kNormal, c.caption_line,
                         c.builtin_caption});
        }
        for (size_t i = 0; i < kCorrections.size(); ++i) {
            const int x = 8 + static_cast<int>(i) * 84;
            t.push_back({0, "STATIC", kLabel, x, 264, 82, 18, FontId::kNormal, kCorrections[i].line,
                         kCorrections[i].caption});
            t.push_back({kCorrections[i].id, "COMBOBOX", kCombo, x, 282, 60, 200});
        }
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
    for (const CorrectionBox& c : kCorrections) Fill(controls_[c.id], waktuna::kCorrectionItems);

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
    EnableWindow(controls_[kGdId], model_.angles_editable);
    EnableWindow(controls_[kGnId], model_.angles_editable);
    EnableWindow(controls_[kTimeZoneId], model_.time_zone_editable);
}

void PrayerPage::ReadControls() {
    bindings_.FromControls(controls_);
    // The ticked button; the model keeps the last one clicked.
    for (size_t i = 0; i < waktuna::kConventions.size(); ++i)
        if (SendMessageA(controls_[kConventionId + static_cast<int>(i)], BM_GETCHECK, 0, 0) == BST_CHECKED)
            model_.convention = waktuna::kConventions[i].methods;
}

void PrayerPage::OnCommand(int id, int code) {
    if (id >= kConventionId && id < kConventionId + 6 && code == BN_CLICKED) {
        ReadControls();
        model_.ClickConvention(waktuna::kConventions[static_cast<size_t>(id - kConventionId)].methods);
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
    ShowModel();
    // A place chosen from the list is saved at once.
    Save();
}

}  // namespace app
