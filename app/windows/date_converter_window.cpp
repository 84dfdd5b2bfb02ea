#include "windows/date_converter_window.h"

#include <vector>

#include "ui/controls.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/lines.h"
#include "waktuna/settings/settings_writer.h"
#include "waktuna/settings/settings.h"

namespace app {

namespace {

// By place: the title, a row of day, month and year for each calendar, the
// weekday, the correction, the buttons.
enum ControlId : int {
    kTitleId = 401,
    kWesternDayId, kWesternMonthId, kWesternYearId,
    kHijriDayId, kHijriMonthId, kHijriYearId,
    kWeekdayId,
    kCorrectionId,
    kTodayId, kCloseId,
    kCalendarNoteId,
};

constexpr int kWidth = 330, kHeight = 250;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kYear = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;

const ControlSpec kControls[] = {
    {kTitleId, "STATIC", SS_NOPREFIX, 10, 7, 200, 16, FontId::kBold, 0, "Hijriyah <-> Masehi"},
    {0, "STATIC", SS_NOPREFIX, 10, 45, 60, 16, FontId::kNormal, waktuna::kLineMasehi, "Masehi"},
    {kWesternDayId, "COMBOBOX", kList, 75, 42, 50, 300},
    {kWesternMonthId, "COMBOBOX", kList, 130, 42, 105, 300},
    {kWesternYearId, "COMBOBOX", kYear, 240, 42, 75, 300},
    {0, "STATIC", SS_NOPREFIX, 10, 75, 60, 16, FontId::kNormal, waktuna::kLineHijri, "Hijri"},
    {kHijriDayId, "COMBOBOX", kList, 75, 72, 50, 300},
    {kHijriMonthId, "COMBOBOX", kList, 130, 72, 105, 300},
    {kHijriYearId, "COMBOBOX", kYear, 240, 72, 75, 300},
    {kWeekdayId, "EDIT", ES_READONLY | WS_BORDER | WS_DISABLED, 75, 102, 240, 21},
    {0, "STATIC", SS_NOPREFIX, 10, 137, 160, 16, FontId::kNormal, waktuna::kLineHijriyahCorrection,
     "Hijriyah Correction"},
    {kCorrectionId, "COMBOBOX", kList, 175, 134, 60, 200},
    // Umm al-Qura outside its table: the tabular calendar stands in, and says so.
    {kCalendarNoteId, "STATIC", SS_NOPREFIX, 10, 164, 305, 30},
    {kTodayId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 75, 202, 90, 26,
     FontId::kNormal, waktuna::kLineToday, "Today"},
    {kCloseId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 225, 202, 90, 26,
     FontId::kNormal, waktuna::kLineClose, "Close"}, };

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n) items.push_back(waktuna::IntText(n));
    return items;
}

std::vector<std::string> Months(const waktuna::MonthNames& names) {
    return {names.begin() + 1, names.end()};
}

}  // namespace

DateConverterWindow::DateConverterWindow(PageHost& host)
    : DialogWindow(host.GetLook()), host_(host), model_(host.Language()) {}

bool DateConverterWindow::Build() {
    if (!CreateCentred(kClassName, "Hijriyah <-> Masehi", kWidth, kHeight, host_.DialogOwner())) return false;
    const auto& language = host_.Language();
    controls_.Create(hwnd(), kControls, look(), language);

    model_.LoadCorrection(host_.Settings());
    model_.SetCalendar(waktuna::ReadMainSettings(host_.Settings()).core.hijri_calendar);
    SYSTEMTIME now;
    GetLocalTime(&now);
    model_.Today(waktuna::EncodeDate(now.wYear, now.wMonth, now.wDay));

    FillChoices(controls_[kWesternMonthId], Months(language.GregorianMonths()));
    FillChoices(controls_[kWesternYearId], Numbers(model_.WesternYears().first, model_.WesternYears().last));
    FillChoices(controls_[kHijriDayId], Numbers(1, 30));
    FillChoices(controls_[kHijriMonthId], Months(language.HijriMonths()));
    FillChoices(controls_[kHijriYearId], Numbers(model_.HijriYears().first, model_.HijriYears().last));
    std::vector<std::string> corrections;
    for (int c : model_.CorrectionChoices()) corrections.push_back(waktuna::IntText(c));
    FillChoices(controls_[kCorrectionId], corrections);
    Show();
    return true;
}

void DateConverterWindow::Show() {
    showing_ = true;
    HWND days = controls_[kWesternDayId];
    if (static_cast<int>(SendMessageA(days, CB_GETCOUNT, 0, 0)) != model_.WesternDayCount())
        FillChoices(days, Numbers(1, model_.WesternDayCount()));
    const auto& g = model_.Western();
    const auto& h = model_.Hijri();
    SendMessageA(days, CB_SETCURSEL, static_cast<WPARAM>(g.day), 0);
    SendMessageA(controls_[kWesternMonthId], CB_SETCURSEL, static_cast<WPARAM>(g.month), 0);
    ShowYear(kWesternYearId, g.year);
    SendMessageA(controls_[kHijriDayId], CB_SETCURSEL, static_cast<WPARAM>(h.day), 0);
    SendMessageA(controls_[kHijriMonthId], CB_SETCURSEL, static_cast<WPARAM>(h.month), 0);
    ShowYear(kHijriYearId, h.year);
    SetText(controls_[kWeekdayId], model_.WeekdayName());
    SetText(controls_[kCalendarNoteId], model_.CalendarNote());
    SendMessageA(controls_[kCorrectionId], CB_SETCURSEL, static_cast<WPARAM>(model_.CorrectionItem()), 0);
    showing_ = false;
}

void DateConverterWindow::ShowYear(int id, const std::string& year) {
    if (YearText(id) == year) return;  // also while the user types it
    // A year of the list is selected there, so the list opens on it.
    const LRESULT item = SendMessageA(controls_[id], CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(year.c_str()));
    if (item != CB_ERR) SendMessageA(controls_[id], CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    else SetText(controls_[id], year);
}

std::string DateConverterWindow::YearText(int id) const { return GetText(controls_[id]); }

void DateConverterWindow::OnControl(int id, int code) {
    if (showing_) return;  // our own change of a control, not the user's
    const auto selected = [&] { return static_cast<int>(SendMessageA(controls_[id], CB_GETCURSEL, 0, 0)); };
    // The year fields: typed text, or an item picked from the list (whose
    // text reaches the edit only after the notification).
    const auto year = [&] {
        if (code != CBN_SELCHANGE) return YearText(id);
        const int item = selected();
        char text[32] = "";
        if (item >= 0) SendMessageA(controls_[id], CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    const bool picked = code == CBN_SELCHANGE;
    const bool typed = code == CBN_EDITCHANGE;
    switch (id) {
    case kWesternDayId: if (picked) model_.SetWesternDay(selected()); break;
    case kWesternMonthId: if (picked) model_.SetWesternMonth(selected()); break;
    case kWesternYearId: if (picked || typed) model_.SetWesternYear(year()); break;
    case kHijriDayId: if (picked) model_.SetHijriDay(selected()); break;
    case kHijriMonthId: if (picked) model_.SetHijriMonth(selected()); break;
    case kHijriYearId: if (picked || typed) model_.SetHijriYear(year()); break;
    case kCorrectionId: if (picked) PickCorrection(selected()); return;
    case kTodayId:
        if (code == BN_CLICKED) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            model_.Today(waktuna::EncodeDate(now.wYear, now.wMonth, now.wDay));
        }
        break;
    case kCloseId:
        if (code == BN_CLICKED) Close();
        return;
    default: return;
    }
    Show();
}

void DateConverterWindow::PickCorrection(int item) {
    const bool stored = model_.PickCorrection(item, &host_.Settings());
    Show();  // not stored: the list is back on the correction in force
    if (!stored) {
        const waktuna::SaveResult result{{"HijriyahDiff"}};
        host_.ShowMessageDialog(waktuna::DialogButtons::Ok, waktuna::NotStoredText(host_.Language(), result),
                                waktuna::DialogKind::Error);
        return;
    }
    // Only the dates and times: a full reload would end a skin or language
    // being previewed on the program settings page.
    host_.ApplyHijriCorrection(model_.Correction());
}

void DateConverterWindow::RunModal() {
    if (Build()) RunModalLoopFor(host_.DialogOwner(), controls_[kWesternDayId]);
}

}  // namespace app
