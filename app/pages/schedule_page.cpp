#include "pages/schedule_page.h"

#include <commctrl.h>
#include <commdlg.h>  // ChooseColorA

#include <vector>

#include "ui/controls.h"
#include "ui/file_dialog.h"
#include "ui/dialog_window.h"
#include "ui/group_box.h"
#include "waktuna/files/files.h"
#include "waktuna/files/lines.h"

namespace app {

namespace {

enum ControlId : int {
    kTitleId = 300,
    kStartId,
    kEndId,
    kColourId,
    kTextColourId,
    kShortTimeId,
    kLongTimeId,
    kSaveId,
    kSunriseId,
    kFirstFormatId = 320,  // + the format's place in ScheduleFormats()
};

constexpr int kLabelLeft = 10, kFieldLeft = 200, kFieldWidth = 190;
constexpr int kGroupTop = 124;

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> table = [] {
        std::vector<ControlSpec> t;
        t.push_back({kTitleId, "STATIC", SS_NOPREFIX, kLabelLeft, 8, 400, 20, FontId::kBold,
                     waktuna::kLineCreatePrayerTimesTable, "Create prayer times table"});
        t.push_back({0, "STATIC", SS_NOPREFIX, kLabelLeft, 42, 185, 16, FontId::kNormal,
                     waktuna::kLineSelectStartDate, "Select start time / date"});
        t.push_back({kStartId, DATETIMEPICK_CLASSA, WS_TABSTOP, kFieldLeft, 38, kFieldWidth, 22});
        t.push_back({0, "STATIC", SS_NOPREFIX, kLabelLeft, 70, 185, 16, FontId::kNormal,
                     waktuna::kLineSelectEndOfDate, "Select end of date"});
        t.push_back({kEndId, DATETIMEPICK_CLASSA, WS_TABSTOP, kFieldLeft, 66, kFieldWidth, 22});
        t.push_back({0, "STATIC", SS_NOPREFIX, kLabelLeft, 98, 185, 16, FontId::kNormal,
                     waktuna::kLineSelectMainBackColor, "Select main back color"});
        t.push_back({kColourId, "BUTTON", BS_OWNERDRAW | WS_TABSTOP, kFieldLeft, 94, 90, 24,
                     FontId::kNormal, waktuna::kLineColor, "Color"});
        t.push_back({kTextColourId, "BUTTON", BS_OWNERDRAW | WS_TABSTOP, kFieldLeft + 100, 94, 90, 24,
                     FontId::kNormal, 0, "Text Color"});
        const int formats = static_cast<int>(waktuna::ScheduleFormats().size());
        const int group_height = 26 + 22 * std::max(2, formats);
        t.push_back({0, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, kLabelLeft, kGroupTop, 140, group_height,
                     FontId::kNormal, waktuna::kLineScheduleTimeFormat, "Time format"});
        t.push_back({kShortTimeId, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kLabelLeft + 12,
                     kGroupTop + 22, 110, 18, FontId::kNormal, 0, "HH:mm"});
        t.push_back({kLongTimeId, "BUTTON", BS_AUTORADIOBUTTON, kLabelLeft + 12, kGroupTop + 44, 110, 18,
                     FontId::kNormal, 0, "HH:mm:ss"});
        t.push_back({0, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS | WS_GROUP, 160, kGroupTop, 250, group_height,
                     FontId::kNormal, waktuna::kLineSavedInFormat, "Saved in Format"});
        for (int i = 0; i < formats; ++i) {
            const auto& f = waktuna::ScheduleFormats()[static_cast<size_t>(i)];
            t.push_back({kFirstFormatId + i, "BUTTON",
                         static_cast<DWORD>(BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0)), 172,
                         kGroupTop + 22 + 22 * i, 230, 18, FontId::kNormal, f.caption_line});
        }
        t.push_back({kSunriseId, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 160,
                     kGroupTop + group_height + 6, 250, 18, FontId::kNormal, waktuna::kLineICalendarSunrise});
        t.push_back({kSaveId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kLabelLeft,
                     kGroupTop + group_height + 32, 110, 26, FontId::kNormal, waktuna::kLineSaveFile,
                     "Save file"});
        return t;
    }();
    return table;
}

}  // namespace

waktuna::DateTime PickerDate(HWND picker) {
    SYSTEMTIME t{};
    DateTime_GetSystemtime(picker, &t);
    return waktuna::EncodeDate(t.wYear, t.wMonth, t.wDay);
}

void SetPickerDate(HWND picker, waktuna::DateTime date) {
    const waktuna::Ymd d = waktuna::DecodeDate(date);
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(d.year);
    t.wMonth = static_cast<WORD>(d.month);
    t.wDay = static_cast<WORD>(d.day);
    DateTime_SetSystemtime(picker, GDT_VALID, &t);
}

void SchedulePage::Build() {
    controls_.Create(hwnd(), Controls(), host_.GetLook(), host_.Language());
    SYSTEMTIME range[2]{};
    range[0].wYear = static_cast<WORD>(waktuna::kFirstScheduleDate.year);
    range[0].wMonth = range[0].wDay = 1;
    range[1].wYear = static_cast<WORD>(waktuna::kLastScheduleDate.year);
    range[1].wMonth = 12;
    range[1].wDay = 31;
    for (int id : {kStartId, kEndId}) {
        DateTime_SetFormat(controls_[id], "dd MMMM yyyy");
        DateTime_SetRange(controls_[id], GDTR_MIN | GDTR_MAX, range);
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    model_.Reset(waktuna::EncodeDate(now.wYear, now.wMonth, now.wDay));
    SetPickerDate(controls_[kStartId], model_.start);
    SetPickerDate(controls_[kEndId], model_.end);
    Refresh();
}

void SchedulePage::Refresh() {
    // The pickers keep the user's dates; the choices are shown from the model.
    CheckRadioButton(hwnd(), kShortTimeId, kLongTimeId, model_.seconds ? kLongTimeId : kShortTimeId);
    const int formats = static_cast<int>(waktuna::ScheduleFormats().size());
    CheckRadioButton(hwnd(), kFirstFormatId, kFirstFormatId + formats - 1,
                     kFirstFormatId + static_cast<int>(model_.format));
    CheckDlgButton(hwnd(), kSunriseId, model_.ics_sunrise ? BST_CHECKED : BST_UNCHECKED);
    InvalidateRect(controls_[kColourId], nullptr, TRUE);
    InvalidateRect(controls_[kTextColourId], nullptr, TRUE);
}

void SchedulePage::ReadControls() {
    model_.SetStart(PickerDate(controls_[kStartId]));
    model_.SetEnd(PickerDate(controls_[kEndId]));
    model_.seconds = IsDlgButtonChecked(hwnd(), kLongTimeId) == BST_CHECKED;
    model_.ics_sunrise = IsDlgButtonChecked(hwnd(), kSunriseId) == BST_CHECKED;
    for (size_t i = 0; i < waktuna::ScheduleFormats().size(); ++i)
        if (IsDlgButtonChecked(hwnd(), kFirstFormatId + static_cast<int>(i)) == BST_CHECKED) model_.format = i;
}

void SchedulePage::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case kColourId: ChooseColour(model_.main_colour, id); break;
    case kTextColourId: ChooseColour(model_.text_colour, id); break;
    case kSaveId: SaveFile(); break;
    }
}

void SchedulePage::ChooseColour(waktuna::Colour& colour, int button) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = hwnd();
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN;
    if (!ChooseColorA(&cc)) return;
    colour = cc.rgbResult;
    InvalidateRect(controls_[button], nullptr, TRUE);
}

void SchedulePage::SaveFile() {
    ReadControls();
    const auto& language = host_.Language();
    if (!model_.RangeValid()) {
        host_.ShowMessageDialog(waktuna::DialogButtons::Ok, std::string(waktuna::kInvalidRangeText),
                                waktuna::DialogKind::Error);
        return;
    }
    const auto not_written = [&](const std::string& reason) {
        host_.ShowMessageDialog(waktuna::DialogButtons::Ok,
                                language.Line(waktuna::kLineScheduleNotWritten) + "\r\n" + reason,
                                waktuna::DialogKind::Error);
    };
    const waktuna::MainSettings settings = waktuna::ReadMainSettings(host_.Settings());
    waktuna::ScheduleRequest request =
        model_.Request(settings, waktuna::ReadScheduleTemplate(host_.ProgramFolder() + "jadwal.tpl"));
    // Following the system's zone, every row takes its own day's offset.
    if (settings.calc.follow_windows_zone) request.zone = host_.SystemZone();
    // Settings the main window shows no times for give no timetable either:
    // said before the user picks a file for it.
    if (!waktuna::ScheduleSettingsUsable(request)) {
        not_written(language.Line(waktuna::kLineScheduleSettingsUnusable));
        return;
    }
    const auto file = AskFileName(host_, hwnd(), {FileDialog::Save, model_.Format().filter,
                                                  language.Line(waktuna::kLineCreatePrayerTimesTable)});
    if (!file) return;

    HWND save = controls_[kSaveId];
    EnableWindow(save, FALSE);
    // A long range takes seconds: the clock's ticks run between the steps,
    // so reminders and tasks due meanwhile still come in their second.
    const auto let_clock_tick = [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&msg);
    };
    const waktuna::ScheduleResult result =
        waktuna::WriteScheduleInSteps(request, language, *file, let_clock_tick);
    EnableWindow(save, TRUE);
    if (!result.ok) not_written(result.error);
}

LRESULT SchedulePage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC)
        FillGroupBox(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), page_brush_);
    if (msg == WM_DRAWITEM) {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        const bool main = di.CtlID == kColourId;
        if (!main && di.CtlID != kTextColourId) return Page::OnMessage(msg, wp, lp);
        const waktuna::Colour back = main ? model_.main_colour : model_.text_colour;
        const waktuna::Colour caption = main ? model_.MainCaption() : model_.TextCaption();
        RECT r = di.rcItem;
        Brush brush(CreateSolidBrush(back));
        FillRect(di.hDC, &r, brush);
        DrawEdge(di.hDC, &r, (di.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        SetBkMode(di.hDC, TRANSPARENT);
        SetTextColor(di.hDC, caption);
        const std::string text = GetText(di.hwndItem);
        HGDIOBJ old = SelectObject(di.hDC, host_.GetLook().Get(FontId::kNormal, Dpi()));
        DrawTextA(di.hDC, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(di.hDC, old);
        if (di.itemState & ODS_FOCUS) {
            InflateRect(&r, -3, -3);
            DrawFocusRect(di.hDC, &r);
        }
        return TRUE;
    }
    return Page::OnMessage(msg, wp, lp);
}

}  // namespace app
