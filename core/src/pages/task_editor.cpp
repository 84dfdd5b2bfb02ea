#include "waktuna/pages/task_editor.h"

#include <algorithm>

#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {

// Index of a text in a list, or -1.
int IndexOf(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

std::string ItemOr(const std::vector<std::string>& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)] : "";
}

// Rows are saved by finding their caption in the list, so no two items of
// a list may read the same: a caption the language leaves empty, or one
// that repeats an earlier item, takes the English text of its line.
void AddItem(std::vector<std::string>& items, const std::string& text, const std::string& english) {
    const auto taken = [&](const std::string& t) { return t.empty() || IndexOf(items, t) >= 0; };
    std::string item = taken(text) ? english : text;
    // The English text may itself be taken (or empty): number the item.
    if (taken(item)) {
        if (!item.empty()) item += ' ';
        item += IntText(static_cast<int64_t>(items.size()) + 1);
    }
    while (taken(item)) item += "'";
    items.push_back(std::move(item));
}

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TaskControlStates StatesFor(int type, int freq) {
    TaskControlStates s;
    s.browse_visible = type == TaskCommand || type == TaskMultimedia;
    s.message_caption = s.browse_visible ? kLineOpenFileCaption : kLineMessageCaption;
    s.weekday_enabled = freq == FreqWeekly;
    s.date_enabled = freq == FreqMonthly || freq == FreqOnlyOnce;
    s.month_enabled = freq == FreqOnlyOnce;
    return s;
}

TaskEditor::TaskEditor(const LanguageList& language, int year) : language_(language), year_(year) {
    const LanguageList english = BuiltInEnglish();
    const auto add = [&](std::vector<std::string>& items, int line) {
        AddItem(items, language.Line(line), english.Line(line));
    };
    for (int line = 188; line <= 196; ++line) add(types_, line);
    add(types_, 218);
    for (int line = 197; line <= 202; ++line) add(freqs_, line);
    for (int line = 8; line <= 14; ++line) add(weekdays_, line);
    for (int m = 1; m <= 12; ++m) {
        const auto slot = static_cast<size_t>(m);
        AddItem(months_, language.GregorianMonths()[slot], english.GregorianMonths()[slot]);
    }
}

TaskRow TaskEditor::RowOf(const TTask& t) const {
    TaskRow row;
    row[ColName] = t.name;
    row[ColType] = ItemOr(types_, t.type);
    row[ColFreq] = ItemOr(freqs_, t.freq);
    row[ColTime] = t.time_text;
    if (t.freq == FreqWeekly) {
        // A weekday of 7 (only a hand-edited file holds one) matches no day;
        // it is shown and kept as the number.
        row[ColDayOfWeek] = t.day_of_week < 7 ? weekdays_[t.day_of_week] : IntText(t.day_of_week);
    }
    if (t.freq == FreqMonthly || t.freq == FreqOnlyOnce) row[ColDate] = IntText(t.date);
    row[ColMonth] = ItemOr(months_, t.month - 1);
    row[ColMessage] = t.message;
    return row;
}

void TaskEditor::AddRows(const std::vector<TTask>& tasks, TaskFileKind kind, bool readOnly) {
    for (const TTask& task : tasks) {
        rows_.push_back(RowOf(task));
        infos_.push_back(TaskRowInfo{kind, task.refused, readOnly});
    }
}

void TaskEditor::LoadTaskFiles(const OwnedFile& own, const OwnedFile* machine, bool mayWriteMachine) {
    rows_.clear();
    infos_.clear();
    selected_.reset();
    const std::vector<TTask> ownTasks = ReadOwnedTaskFile(own, TaskFileKind::Own, VersionText::Keep);
    AddRows(ownTasks, TaskFileKind::Own, false);
    file_read_ = own.status != FileReadStatus::Unreadable;
    own_stamp_ = StampOf(own);
    may_write_machine_ = mayWriteMachine;
    machine_changed_ = false;
    machine_stamp_ = machine ? StampOf(*machine) : FileStamp{};
    machine_read_ = !machine || machine->status != FileReadStatus::Unreadable;
    if (!machine) return;
    std::vector<TTask> machineTasks = ReadOwnedTaskFile(*machine, TaskFileKind::Machine, VersionText::Keep);
    // An administrator edits the machine-wide file itself: all of it is shown,
    // so its Save keeps every row.
    if (!mayWriteMachine) DropOwnCopies(machineTasks, ownTasks);
    AddRows(machineTasks, TaskFileKind::Machine, !mayWriteMachine);
}

void TaskEditor::LoadTaskList(std::string_view fileText) {
    OwnedFile own{FileReadStatus::Read, std::string(fileText), FileOwner::CurrentUser};
    LoadTaskFiles(own, nullptr, false);
}

void TaskEditor::LoadUnreadableTaskList() {
    LoadTaskFiles(OwnedFile{FileReadStatus::Unreadable, {}, FileOwner::Other}, nullptr, false);
}

std::vector<size_t> TaskEditor::UntrustedRows() const {
    std::vector<size_t> rows;
    for (size_t i = 0; i < infos_.size(); ++i) {
        if (infos_[i].untrusted && Written(i)) rows.push_back(i);
    }
    return rows;
}

std::string TaskEditor::RowMark(size_t row) const {
    if (row >= infos_.size()) return {};
    std::string mark;
    if (infos_[row].untrusted) mark += " " + language_.Line(kLineUntrustedRowMark);
    if (infos_[row].read_only) mark += " " + language_.Line(kLineReadOnlyRowMark);
    return mark;
}

std::string TaskEditor::ConfirmUntrustedText() const {
    std::string text = language_.Line(kLineConfirmUntrustedTasks);
    for (const size_t row : UntrustedRows()) {
        TTask task;
        task.name = rows_[row][ColName];
        task.type = static_cast<uint8_t>(std::max(0, IndexOf(types_, rows_[row][ColType])));
        task.message = rows_[row][ColMessage];
        text += "\r\n" + RefusedTaskText(task);
    }
    return text;
}

// Whether a Save writes the row: every row of the user's file, the
// machine-wide rows only when the user may write that file and changed it.
bool TaskEditor::Written(size_t row) const {
    return infos_[row].file == TaskFileKind::Own || (may_write_machine_ && machine_changed_);
}

void TaskEditor::FillDates(int month) {
    controls_.date_count = month >= 0 && month < 12 ? DaysInMonth(year_, month + 1) : 31;
}

void TaskEditor::ShowTaskRow(size_t index) {
    if (index >= rows_.size()) return;
    selected_ = index;
    const TaskRow& row = rows_[index];
    controls_.name = row[ColName];
    controls_.type = IndexOf(types_, row[ColType]);
    controls_.freq = IndexOf(freqs_, row[ColFreq]);
    controls_.time = row[ColTime].empty() ? "00:00:00" : row[ColTime];
    controls_.weekday = IndexOf(weekdays_, row[ColDayOfWeek]);
    controls_.month = IndexOf(months_, row[ColMonth]);
    FillDates(controls_.month);
    const int date = ReadWholeNumber(row[ColDate]);
    controls_.date = date >= 1 && date <= controls_.date_count ? date - 1 : -1;
    controls_.message = row[ColMessage];
}

void TaskEditor::WriteCell(int column, std::string text) {
    if (!selected_ || *selected_ >= rows_.size() || infos_[*selected_].read_only) return;
    rows_[*selected_][static_cast<size_t>(column)] = std::move(text);
    if (infos_[*selected_].file == TaskFileKind::Machine) machine_changed_ = true;
}

void TaskEditor::SetName(std::string text) {
    controls_.name = text;
    WriteCell(ColName, std::move(text));
}

void TaskEditor::SetType(int item) {
    controls_.type = item;
    WriteCell(ColType, ItemOr(types_, item));
}

void TaskEditor::SetFreq(int item) {
    controls_.freq = item;
    WriteCell(ColFreq, ItemOr(freqs_, item));
    // After Add the weekday list still shows the last weekday while the row
    // has none: a task made Weekly takes the day the list shows.
    if (item == FreqWeekly && controls_.weekday >= 0 && selected_ && *selected_ < rows_.size() &&
        rows_[*selected_][ColDayOfWeek].empty())
        WriteCell(ColDayOfWeek, ItemOr(weekdays_, controls_.weekday));
}

void TaskEditor::SetTime(std::string text) {
    controls_.time = text;
    WriteCell(ColTime, std::move(text));
}

void TaskEditor::SetWeekday(int item) {
    controls_.weekday = item;
    WriteCell(ColDayOfWeek, ItemOr(weekdays_, item));
}

void TaskEditor::SetMonth(int item) {
    controls_.month = item;
    FillDates(item);
    controls_.date = -1;  // the row's Date cell keeps its text until a date is chosen
    WriteCell(ColMonth, ItemOr(months_, item));
}

void TaskEditor::SetDate(int item) {
    controls_.date = item;
    WriteCell(ColDate, item >= 0 ? IntText(item + 1) : "");
}

void TaskEditor::SetMessage(std::string text) {
    controls_.message = text;
    WriteCell(ColMessage, std::move(text));
}

void TaskEditor::Add() {
    TaskRow row;
    row[ColName] = "New";
    // After the user's own rows: a new task is the user's.
    const auto own_end = static_cast<std::ptrdiff_t>(
        std::find_if(infos_.begin(), infos_.end(), [](const TaskRowInfo& i) { return i.file != TaskFileKind::Own; }) -
        infos_.begin());
    rows_.insert(rows_.begin() + own_end, row);
    infos_.insert(infos_.begin() + own_end, TaskRowInfo{});
    selected_ = static_cast<size_t>(own_end);
    const int weekday = controls_.weekday;
    controls_ = TaskControls{};
    controls_.name = "New";
    controls_.weekday = weekday;
}

bool TaskEditor::DeleteSelected() {
    if (!selected_ || *selected_ >= rows_.size() || infos_[*selected_].read_only) return false;
    if (infos_[*selected_].file == TaskFileKind::Machine) machine_changed_ = true;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    infos_.erase(infos_.begin() + static_cast<std::ptrdiff_t>(*selected_));
    selected_.reset();
    return true;
}

void TaskEditor::SortBy(int column) {
    if (column < 0 || column >= kTaskColumns) return;
    descending_ = !descending_;
    const auto c = static_cast<size_t>(column);
    std::vector<size_t> order(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return descending_ ? rows_[b][c] < rows_[a][c] : rows_[a][c] < rows_[b][c];
    });
    std::vector<TaskRow> rows;
    std::vector<TaskRowInfo> infos;
    std::optional<size_t> selected;
    for (size_t i = 0; i < order.size(); ++i) {
        rows.push_back(std::move(rows_[order[i]]));
        infos.push_back(infos_[order[i]]);
        // The selected row stays selected wherever it moves.
        if (selected_ == order[i]) selected = i;
    }
    rows_ = std::move(rows);
    infos_ = std::move(infos);
    selected_ = selected;
}

std::optional<TaskRefusal> TaskEditor::Check(const std::function<bool(const std::string&)>& fileExists) const {
    const std::string why = "\r\n" + language_.Line(kLineNoSeparator);
    // "Invalid value for <column caption>".
    const auto invalid = [&](int column) {
        const std::string& text = language_.Line(kLineInvalidColumn);
        const size_t at = text.find("%s");
        const std::string caption = language_.Line(kLineTaskColumn + column);
        return at == std::string::npos ? text + " " + caption : text.substr(0, at) + caption + text.substr(at + 2);
    };
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (!Written(i)) continue;  // never written, so never refused
        const TaskRow& row = rows_[i];
        if (row[ColMessage].find(';') != std::string::npos)
            return TaskRefusal{i, language_.Line(kLineInvalidMessage) + why};
        if (row[ColName].find_first_of(";|") != std::string::npos)
            return TaskRefusal{i, language_.Line(kLineInvalidName) + why};
        for (int c = ColType; c < ColMessage; ++c) {
            if (row[static_cast<size_t>(c)].find_first_of(";|") != std::string::npos)
                return TaskRefusal{i, invalid(c) + why};
        }
        // A Weekly line without a weekday would be read back as Sunday.
        if (IndexOf(freqs_, row[ColFreq]) == FreqWeekly && row[ColDayOfWeek].empty())
            return TaskRefusal{i, invalid(ColDayOfWeek)};
        // Only the row being edited must name an existing file: the others
        // are written as they stand, even when their file has gone since.
        const int type = IndexOf(types_, row[ColType]);
        if (selected_ == i && (type == TaskCommand || type == TaskMultimedia) && !fileExists(row[ColMessage]))
            return TaskRefusal{i, language_.Line(kLineTaskFileNotFound)};
    }
    return std::nullopt;
}

TaskFileLine RowToLine(const TaskEditor& editor, const TaskRow& row) {
    TaskFileLine line;
    line.name = row[ColName];
    line.type = IndexOf(editor.TypeItems(), row[ColType]);
    line.freq = IndexOf(editor.FreqItems(), row[ColFreq]);
    line.time = row[ColTime];
    line.day_of_week = IndexOf(editor.WeekdayItems(), row[ColDayOfWeek]);
    if (line.day_of_week < 0 && AllDigits(row[ColDayOfWeek])) line.day_of_week = ReadWholeNumber(row[ColDayOfWeek]);
    line.date = ReadWholeNumber(row[ColDate]);
    line.month = IndexOf(editor.MonthItems(), row[ColMonth]) + 1;
    line.message = row[ColMessage];
    return line;
}

std::vector<TaskFileLine> TaskEditor::LinesOf(TaskFileKind kind) const {
    std::vector<TaskFileLine> lines;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (infos_[i].file == kind) lines.push_back(RowToLine(*this, rows_[i]));
    }
    return lines;
}

std::vector<TaskFileLine> TaskEditor::Lines() const { return LinesOf(TaskFileKind::Own); }

std::vector<TaskFileLine> TaskEditor::MachineLines() const { return LinesOf(TaskFileKind::Machine); }

TaskSavePlan TaskEditor::PrepareSave(const std::function<bool(const std::string&)>& fileExists,
                                     const FileStamp& ownNow, const std::optional<FileStamp>& machineNow,
                                     TaskSaveOptions options) const {
    TaskSavePlan plan;
    const bool write_machine = may_write_machine_ && machine_changed_;
    if (!file_read_ || (write_machine && !machine_read_)) {
        plan.status = TaskSaveStatus::Unreadable;
        return plan;
    }
    if ((plan.refusal = Check(fileExists))) {
        plan.status = TaskSaveStatus::Refused;
        return plan;
    }
    const bool changed = ownNow != own_stamp_ || (write_machine && machineNow.value_or(FileStamp{}) != machine_stamp_);
    if (changed && !options.overwrite) {
        plan.status = TaskSaveStatus::Conflict;
        return plan;
    }
    if (!UntrustedRows().empty() && !options.keep_untrusted) {
        plan.status = TaskSaveStatus::ConfirmUntrusted;
        return plan;
    }
    plan.own = Lines();
    if (write_machine) plan.machine = MachineLines();
    return plan;
}

void TaskEditor::Saved(const TaskSavePlan& plan) {
    if (plan.status != TaskSaveStatus::Ready) return;
    own_stamp_ = StampOfBytes(TaskFileText(plan.own));
    if (plan.machine) {
        machine_stamp_ = StampOfBytes(TaskFileText(*plan.machine));
        machine_changed_ = false;
    }
    for (TaskRowInfo& info : infos_) {
        if (info.file == TaskFileKind::Own || plan.machine) info.untrusted = false;
    }
}

}  // namespace waktuna
