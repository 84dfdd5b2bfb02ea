#include "windows/task_editor_window.h"

#include <commctrl.h>

#include <vector>

#include "ui/controls.h"
#include "ui/file_dialog.h"
#include "win/power.h"
#include "win/program_files.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/files.h"
#include "waktuna/files/lines.h"

namespace app {

namespace {

// By place: the title and the list, the fields left then right, the buttons.
enum ControlId : int {
    kTitleId = 501, kListId,
    kNameId, kTypeId, kFreqId, kTimeId,
    kWeekdayId, kMonthId, kDateId, kMessageCaptionId, kMessageId, kBrowseId,
    kAddId, kDeleteId, kCancelId, kSaveId, kCloseId,
    kMonthDateCaptionId = kMonthId + 100,
};

constexpr int kWidth = 580, kHeight = 386;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr int kLeftLabel = 10, kLeftField = 85, kRightLabel = 290, kRightField = 370;
constexpr int kEditTop = 222, kRowStep = 28, kButtonTop = 340;

// In tab order: Name, Type, Frequency, Time, then Weekday, Month, Date, Message.
const ControlSpec kControls[] = {
    {kTitleId, "STATIC", SS_NOPREFIX, 10, 7, 300, 16,
     FontId::kBold, waktuna::kLineTaskScheduler, "Task scheduler"},
    {kListId, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 10, 36,
     560, 176},
    {0, "STATIC", SS_NOPREFIX, kLeftLabel, kEditTop + 3, 72, 16,
     FontId::kNormal, waktuna::kLineTaskColumn + waktuna::ColName, "Name"},
    {kNameId, "EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kLeftField, kEditTop, 180, 21},
    {0, "STATIC", SS_NOPREFIX, kLeftLabel, kEditTop + kRowStep + 3, 72, 16, FontId::kNormal,
     waktuna::kLineTaskColumn + waktuna::ColType, "Type"},
    {kTypeId, "COMBOBOX", kList, kLeftField, kEditTop + kRowStep, 180, 300},
    {0, "STATIC", SS_NOPREFIX, kLeftLabel, kEditTop + 2 * kRowStep + 3, 72, 16, FontId::kNormal,
     waktuna::kLineTaskColumn + waktuna::ColFreq, "Frequently"},
    {kFreqId, "COMBOBOX", kList, kLeftField, kEditTop + 2 * kRowStep, 180, 300},
    {0, "STATIC", SS_NOPREFIX, kLeftLabel, kEditTop + 3 * kRowStep + 3, 72, 16, FontId::kNormal,
     waktuna::kLineTaskColumn + waktuna::ColTime, "Time"},
    {kTimeId, DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | DTS_UPDOWN | WS_TABSTOP, kLeftField,
     kEditTop + 3 * kRowStep, 110, 22},
    {0, "STATIC", SS_NOPREFIX, kRightLabel, kEditTop + 3, 78, 16, FontId::kNormal,
     waktuna::kLineTaskColumn + waktuna::ColDayOfWeek, "DayOfWeek"},
    {kWeekdayId, "COMBOBOX", kList, kRightField, kEditTop, 200, 300},
    {kMonthDateCaptionId, "STATIC", SS_NOPREFIX, kRightLabel, kEditTop + kRowStep + 3, 78, 16, FontId::kNormal, 0,
     "Month - Date"},
    {kMonthId, "COMBOBOX", kList, kRightField, kEditTop + kRowStep, 130, 300},
    {kDateId, "COMBOBOX", kList, kRightField + 136, kEditTop + kRowStep, 64, 300},
    {kMessageCaptionId, "STATIC", SS_NOPREFIX, kRightLabel, kEditTop + 2 * kRowStep + 3, 78, 16,
     FontId::kNormal, 0, "Message"},
    {kMessageId, "EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kRightField, kEditTop + 2 * kRowStep, 172,
     21},
    {kBrowseId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kRightField + 176, kEditTop + 2 * kRowStep, 24, 21,
     FontId::kNormal, 0, "..."},
    {kAddId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 10, kButtonTop, 100, 28,
     FontId::kNormal, waktuna::kLineAdd, "Add"},
    {kDeleteId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 125, kButtonTop, 100, 28,
     FontId::kNormal, waktuna::kLineDelete, "Delete"},
    {kCancelId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 240, kButtonTop, 100, 28,
     FontId::kNormal, waktuna::kLineTaskCancel, "Cancel"},
    {kSaveId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 355, kButtonTop, 100, 28,
     FontId::kNormal, waktuna::kLineTaskSave, "Save"},
    {kCloseId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 470, kButtonTop, 100, 28,
     FontId::kNormal, waktuna::kLineTaskClose, "Close"}, };

// Whether a file is there, even one that cannot be opened (held by another
// program, or not readable for this user).
bool IsThere(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void Select(HWND combo, int item) { SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0); }
int Selected(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

TaskEditorWindow::TaskEditorWindow(PageHost& host) : DialogWindow(host.GetLook()), host_(host), model_(host.Language(), [] {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return static_cast<int>(now.wYear);
}()) {}

std::string TaskEditorWindow::TaskFile() const { return waktuna::TaskFilePath(host_.UserDataFolder()); }

std::string TaskEditorWindow::MachineTaskFile() const {
    const std::string& machine = host_.AppDataFolder();
    return machine.empty() || machine == host_.UserDataFolder() ? std::string() : waktuna::TaskFilePath(machine);
}

void TaskEditorWindow::OnDpiChanged() {
    DialogWindow::OnDpiChanged();
    for (int c = 0; c < waktuna::kTaskColumns; ++c)
        ListView_SetColumnWidth(list_, c, Scale(waktuna::kTaskColumnWidths[c]));
}

bool TaskEditorWindow::Build() {
    if (!CreateCentred(kClassName, "Task scheduler", kWidth, kHeight, host_.DialogOwner())) return false;
    const auto& language = host_.Language();
    controls_.Create(hwnd(), kControls, look(), language);
    list_ = controls_[kListId];
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < waktuna::kTaskColumns; ++c) {
        const std::string caption = language.Line(waktuna::kLineTaskColumn + c);
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = Scale(waktuna::kTaskColumnWidths[c]);
        col.pszText = const_cast<char*>(caption.c_str());
        ListView_InsertColumn(list_, c, &col);
    }
    SetText(controls_[kMonthDateCaptionId],
            language.Line(waktuna::kLineTaskColumn + waktuna::ColMonth) + "- " +
                language.Line(waktuna::kLineTaskColumn + waktuna::ColDate));
    FillChoices(controls_[kTypeId], model_.TypeItems());
    FillChoices(controls_[kFreqId], model_.FreqItems());
    FillChoices(controls_[kWeekdayId], model_.WeekdayItems());
    FillChoices(controls_[kMonthId], model_.MonthItems());
    DateTime_SetFormat(controls_[kTimeId], "HH:mm:ss");
    LoadTaskList();
    if (!model_.Rows().empty()) SelectRow(0);
    ShowControls();
    return true;
}

void TaskEditorWindow::LoadTaskList() {
    const std::string path = TaskFile();
    waktuna::OwnedFile own = waktuna::StandardReadOwnedFile(path, waktuna::kMaxTextFileSize);
    // A file there that cannot even be opened (held, or no rights) counts as
    // unreadable, never as missing.
    if (own.status == waktuna::FileReadStatus::Missing && IsThere(path)) own.status = waktuna::FileReadStatus::Unreadable;
    const std::string machine_path = MachineTaskFile();
    std::optional<waktuna::OwnedFile> machine;
    if (!machine_path.empty()) machine = waktuna::StandardReadOwnedFile(machine_path, waktuna::kMaxTextFileSize);
    model_.LoadTaskFiles(own, machine ? &*machine : nullptr, host_.MayWriteMachineTasks());
    if (!model_.MayWriteFile()) PostMessageA(hwnd(), kFileUnreadable, 0, 0);
    FillList();
}

bool TaskEditorWindow::MayWriteFile() {
    if (model_.MayWriteFile()) return true;
    host_.ShowMessageDialog(waktuna::DialogButtons::Ok,
                            host_.Language().Line(waktuna::kLineTaskFileUnreadable) + "\r\n" + TaskFile(),
                            waktuna::DialogKind::Error);
    return false;
}

void TaskEditorWindow::FillList() {
    showing_ = true;
    ListView_DeleteAllItems(list_);
    for (size_t r = 0; r < model_.Rows().size(); ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<char*>("");
        ListView_InsertItem(list_, &item);
        UpdateRow(r);
    }
    showing_ = false;
}

void TaskEditorWindow::UpdateRow(size_t r) {
    const auto& row = model_.Rows()[r];
    for (int c = 0; c < waktuna::kTaskColumns; ++c) {
        // Untrusted and read-only rows say so after their name.
        const std::string text = c == waktuna::ColName ? row[0] + model_.RowMark(r) : row[static_cast<size_t>(c)];
        ListView_SetItemText(list_, static_cast<int>(r), c, const_cast<char*>(text.c_str()));
    }
}

void TaskEditorWindow::SelectRow(size_t r) {
    model_.ShowTaskRow(r);
    showing_ = true;
    ListView_SetItemState(list_, static_cast<int>(r), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, static_cast<int>(r), FALSE);
    showing_ = false;
    ShowControls();
}

void TaskEditorWindow::ShowControls() {
    showing_ = true;
    const auto& c = model_.Controls();
    SetText(controls_[kNameId], c.name);
    Select(controls_[kTypeId], c.type);
    Select(controls_[kFreqId], c.freq);
    waktuna::Hms t;
    SYSTEMTIME st{};
    GetLocalTime(&st);
    if (waktuna::ParseClockText(c.time, t)) {
        st.wHour = static_cast<WORD>(t.hour);
        st.wMinute = static_cast<WORD>(t.minute);
        st.wSecond = static_cast<WORD>(t.second);
        st.wMilliseconds = 0;
        DateTime_SetSystemtime(controls_[kTimeId], GDT_VALID, &st);
    }
    Select(controls_[kWeekdayId], c.weekday);
    Select(controls_[kMonthId], c.month);
    HWND dates = controls_[kDateId];
    if (static_cast<int>(SendMessageA(dates, CB_GETCOUNT, 0, 0)) != c.date_count) {
        std::vector<std::string> items;
        for (int d = 1; d <= c.date_count; ++d) items.push_back(waktuna::IntText(d));
        FillChoices(dates, items);
    }
    Select(dates, c.date);
    SetText(controls_[kMessageId], c.message);
    showing_ = false;
    ShowStates();
}

void TaskEditorWindow::ShowStates() {
    const waktuna::TaskControlStates s = model_.States();
    ShowWindow(controls_[kBrowseId], s.browse_visible ? SW_SHOW : SW_HIDE);
    SetText(controls_[kMessageCaptionId], host_.Language().Line(s.message_caption));
    EnableWindow(controls_[kWeekdayId], s.weekday_enabled);
    EnableWindow(controls_[kDateId], s.date_enabled);
    EnableWindow(controls_[kMonthId], s.month_enabled);
}

void TaskEditorWindow::OnControl(int id, int code) {
    if (showing_) return;
    const bool picked = code == CBN_SELCHANGE;
    switch (id) {
    case kNameId: if (code == EN_CHANGE) model_.SetName(GetText(controls_[id])); break;
    case kMessageId: if (code == EN_CHANGE) model_.SetMessage(GetText(controls_[id])); break;
    case kTypeId: if (picked) { model_.SetType(Selected(controls_[id])); ShowStates(); } break;
    case kFreqId: if (picked) { model_.SetFreq(Selected(controls_[id])); ShowStates(); } break;
    case kWeekdayId: if (picked) model_.SetWeekday(Selected(controls_[id])); break;
    case kMonthId:
        if (picked) {
            model_.SetMonth(Selected(controls_[id]));
            ShowControls();  // the date list refilled, no date chosen
        }
        break;
    case kDateId: if (picked) model_.SetDate(Selected(controls_[id])); break;
    case kAddId:
        if (code == BN_CLICKED) {
            model_.Add();
            FillList();
            const size_t row = *model_.Selected();
            showing_ = true;
            ListView_SetItemState(list_, static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list_, static_cast<int>(row), FALSE);
            showing_ = false;
            ShowControls();
            SetFocus(controls_[kNameId]);
        }
        return;
    case kDeleteId: if (code == BN_CLICKED) Delete(); return;
    case kCancelId:
        if (code == BN_CLICKED) {
            const auto row = model_.Selected();
            LoadTaskList();
            if (row && *row < model_.Rows().size()) SelectRow(*row);
        }
        return;
    case kSaveId: if (code == BN_CLICKED) Save(); return;
    case kBrowseId: if (code == BN_CLICKED) Browse(); return;
    case kCloseId: if (code == BN_CLICKED) Close(); return;
    default: return;
    }
    if (model_.Selected()) UpdateRow(*model_.Selected());
}

void TaskEditorWindow::OnNotify(const NMHDR& nm) {
    if (nm.idFrom == kTimeId && nm.code == DTN_DATETIMECHANGE && !showing_) {
        SYSTEMTIME st{};
        DateTime_GetSystemtime(controls_[kTimeId], &st);
        model_.SetTime(waktuna::FormatTime(waktuna::EncodeTime(st.wHour, st.wMinute, st.wSecond),
                                           waktuna::kFormatHHmmss));
        if (model_.Selected()) UpdateRow(*model_.Selected());
        return;
    }
    if (nm.idFrom != kListId || showing_) return;
    if (nm.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(nm);
        if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED) && change.iItem >= 0) {
            model_.ShowTaskRow(static_cast<size_t>(change.iItem));
            ShowControls();
        }
    } else if (nm.code == LVN_COLUMNCLICK) {
        model_.SortBy(reinterpret_cast<const NMLISTVIEW&>(nm).iSubItem);
        FillList();
        if (model_.Selected()) SelectRow(*model_.Selected());
    }
}

bool TaskEditorWindow::WriteFiles() {
    const auto& language = host_.Language();
    const std::string own_path = TaskFile(), machine_path = MachineTaskFile();
    const auto stamp = [](const std::string& path) {
        return waktuna::StampOf(waktuna::StandardReadOwnedFile(path, waktuna::kMaxTextFileSize));
    };
    waktuna::TaskSaveOptions options;
    for (;;) {
        const std::optional<waktuna::FileStamp> machine_now =
            machine_path.empty() ? std::nullopt : std::optional(stamp(machine_path));
        const waktuna::TaskSavePlan plan = model_.PrepareSave(
            [](const std::string& file) { return waktuna::FileExists(file); }, stamp(own_path), machine_now, options);
        switch (plan.status) {
        case waktuna::TaskSaveStatus::Unreadable:
            MayWriteFile();
            return false;
        case waktuna::TaskSaveStatus::Refused:
            SelectRow(plan.refusal->row);
            host_.ShowMessageDialog(waktuna::DialogButtons::Ok, plan.refusal->text, waktuna::DialogKind::Error);
            return false;
        case waktuna::TaskSaveStatus::Conflict:
            // OK overwrites the other change; Cancel shows it instead.
            if (!host_.ShowMessageDialog(waktuna::DialogButtons::OkCancel,
                                         language.Line(waktuna::kLineTaskFileChanged),
                                         waktuna::DialogKind::Question)) {
                if (hwnd()) LoadTaskList();
                return false;
            }
            options.overwrite = true;
            break;
        case waktuna::TaskSaveStatus::ConfirmUntrusted:
            if (!host_.ShowMessageDialog(waktuna::DialogButtons::OkCancel, model_.ConfirmUntrustedText(),
                                         waktuna::DialogKind::Warning))
                return false;
            options.keep_untrusted = true;
            break;
        case waktuna::TaskSaveStatus::Ready: {
            // The user's folder is made on the first save.
            CreateDataFolder(host_.UserDataFolder());
            const bool written = waktuna::SaveTaskFile(own_path, plan.own) &&
                                 (!plan.machine || waktuna::SaveTaskFile(machine_path, *plan.machine));
            if (!written) {
                host_.ShowMessageDialog(waktuna::DialogButtons::Ok, language.Line(waktuna::kLineTaskCannotSave),
                                        waktuna::DialogKind::Error);
                return false;
            }
            model_.Saved(plan);
            if (hwnd()) FillList();  // the marks of rows now trusted go
            host_.ReloadTodayTasks();
            return true;
        }
        }
        if (!hwnd()) return false;  // closed while a question was open
    }
}

void TaskEditorWindow::Save() {
    if (!MayWriteFile()) return;
    const auto row = model_.Selected();
    if (WriteFiles() && row && *row < model_.Rows().size()) SelectRow(*row);
}

void TaskEditorWindow::Delete() {
    const auto row = model_.Selected();
    if (!row || model_.RowInfos()[*row].read_only || !MayWriteFile()) return;
    if (!host_.ShowMessageDialog(waktuna::DialogButtons::OkCancel,
                                 host_.Language().Line(waktuna::kLineConfirmDeleteTask),
                                 waktuna::DialogKind::Question))
        return;
    if (!hwnd() || !model_.DeleteSelected()) return;
    FillList();  // a failed write keeps the row out of the window; Save can try again
    // A deleted task must not fire today (WriteFiles reloads today's list).
    WriteFiles();
}

void TaskEditorWindow::Browse() {
    const bool multimedia = model_.Controls().type == waktuna::TaskMultimedia;
    // Task.dat is in the code page: a name it cannot hold is kept by its
    // short path, or not at all.
    FileQuestion question;
    question.filter = multimedia ? waktuna::kMultimediaFilter : waktuna::kCommandFilter;
    const auto path = AskFileName(host_, hwnd(), question);
    if (!path) return;
    SetWindowTextA(controls_[kMessageId], path->c_str());  // EN_CHANGE writes the row
}

bool TaskEditorWindow::PreTranslate(MSG& msg) {
    // Enter in a field moves on, as Tab does.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || !hwnd()) return false;
    HWND focus = GetFocus();
    HWND field = focus;
    while (field && GetParent(field) != hwnd()) field = GetParent(field);
    if (!field || field == list_) return false;
    char cls[16] = "";
    GetClassNameA(field, cls, sizeof cls);
    if (lstrcmpiA(cls, "BUTTON") == 0) return false;
    SetFocus(GetNextDlgTabItem(hwnd(), field, FALSE));
    return true;
}

LRESULT TaskEditorWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFY) {
        OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        return 0;
    }
    if (msg == kFileUnreadable) {
        MayWriteFile();
        return 0;
    }
    return DialogWindow::OnMessage(msg, wp, lp);
}

void TaskEditorWindow::RunModal() {
    if (Build()) RunModalLoopFor(host_.DialogOwner(), list_);
}

}  // namespace app
