// The task editor's model: the tasks of Task.dat as rows of eight cell texts
// (what the list shows), the edit controls that write the selected row, the
// states that depend on the type and frequency, and Add, Save, Delete,
// Cancel and sorting. Messages and names are kept as they are in the file
// ("%VERSION" stays "%VERSION"), so a Save writes back what was read.
//
// Two files: the user's own Task.dat, and after its rows those of the
// machine-wide one, read-only unless the user may write it (an administrator).
// Rows of a guarded type (Command, Shutdown, Hibernate, Multimedia) from a
// file the program does not trust are marked untrusted, and a Save asks
// before writing them back as the user's own. A Save also finds out when a
// file changed since it was loaded, so no other editor's work is dropped
// unasked.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "waktuna/calc/datetime.h"
#include "waktuna/files/language.h"
#include "waktuna/files/tasks.h"

namespace waktuna {

enum TaskColumn { ColName, ColType, ColFreq, ColTime, ColDayOfWeek, ColDate, ColMonth, ColMessage };
inline constexpr int kTaskColumns = 8;
// Captions (lines 118..125) and widths of the list's columns.
inline constexpr int kTaskColumnWidths[kTaskColumns] = {70, 70, 70, 70, 60, 30, 50, 200};
inline constexpr int kLineTaskColumn = 118;

// Texts of the editor's questions about untrusted rows and changed files,
// and the marks of such rows.
inline constexpr int kLineConfirmUntrustedTasks = 266;
inline constexpr int kLineTaskFileChanged = 267;
inline constexpr int kLineUntrustedRowMark = 268;
inline constexpr int kLineReadOnlyRowMark = 269;

// Texts of the editor's checks and failures.
inline constexpr int kLineTaskCannotSave = 176;
// Task.dat is there but could not be read (another program holds it).
inline constexpr int kLineTaskFileUnreadable = 256;
inline constexpr int kLineInvalidMessage = 177;
inline constexpr int kLineInvalidName = 178;
inline constexpr int kLineNoSeparator = 179;
inline constexpr int kLineTaskFileNotFound = 180;
inline constexpr int kLineConfirmDeleteTask = 181;
inline constexpr int kLineMessageCaption = 125;
inline constexpr int kLineOpenFileCaption = 126;
// "Invalid value for %s": a column other than the name or the message.
inline constexpr int kLineInvalidColumn = 254;

// The Browse button's filters (pairs of description and pattern, "|" between).
inline constexpr std::string_view kCommandFilter = "All Files (*.*)|*.*";
inline constexpr std::string_view kMultimediaFilter =
    "Supported Sound Files (*.wav,*.mp3 ) | *.MP3;*.WAV|Others Audio Video format "
    "(*.mid,*.midi,*.avi,*.rmi,*.mpg,*.wmv,*.asf)| *.MID;*.MIDI;*.AVI;*.RMI;*.MPG;*.WMV;*.ASF|"
    "All Files (*.*)|*.*";

using TaskRow = std::array<std::string, kTaskColumns>;

// The values of the edit controls; list indexes are -1 without an item.
struct TaskControls {
    std::string name;
    int type = -1;
    int freq = -1;
    std::string time = "00:00:00";
    int weekday = -1;
    int month = -1;
    int date = -1;
    int date_count = 31;  // items "1" ... date_count in the date list
    std::string message;
};

// What the type and frequency decide about the other controls.
struct TaskControlStates {
    bool browse_visible = false;
    int message_caption = kLineMessageCaption;
    bool weekday_enabled = false;
    bool date_enabled = false;
    bool month_enabled = false;
};
TaskControlStates StatesFor(int type, int freq);

// A refused Save: the row to show and the message (style Error).
struct TaskRefusal {
    size_t row = 0;
    std::string text;
};

// Where a row comes from and what may be done with it.
struct TaskRowInfo {
    TaskFileKind file = TaskFileKind::Own;
    // A guarded task of a file the program does not trust: it does not run,
    // and a Save writes it back only when the user confirms.
    bool untrusted = false;
    // A machine-wide row the user may not write: shown, never changed,
    // deleted or written.
    bool read_only = false;
};

enum class TaskSaveStatus {
    Ready,             // write the plan's files, then call Saved(plan)
    Unreadable,        // a file to be written could not be read at load: nothing may be written
    Refused,           // a row failed the checks (plan.refusal)
    Conflict,          // a file changed since it was loaded: ask reload or overwrite
    ConfirmUntrusted,  // untrusted rows would be written: ask (UntrustedRows)
};

struct TaskSaveOptions {
    bool overwrite = false;       // the user chose to overwrite a changed file
    bool keep_untrusted = false;  // the user confirmed writing the untrusted rows
};

struct TaskSavePlan {
    TaskSaveStatus status = TaskSaveStatus::Ready;
    std::optional<TaskRefusal> refusal;
    // When Ready: the user's own file, and the machine-wide file when its
    // rows were changed and the user may write it.
    std::vector<TaskFileLine> own;
    std::optional<std::vector<TaskFileLine>> machine;
};

class TaskEditor {
public:
    // `year` is the current year: it decides February's length in the date list.
    TaskEditor(const LanguageList& language, int year);

    // The drop-down lists, from the language's lines. No two items of a list
    // read the same (a row is saved by finding its caption): an item the
    // language leaves empty or repeats takes the English text of its line.
    const std::vector<std::string>& TypeItems() const { return types_; }
    const std::vector<std::string>& FreqItems() const { return freqs_; }
    const std::vector<std::string>& WeekdayItems() const { return weekdays_; }
    const std::vector<std::string>& MonthItems() const { return months_; }

    // The rows of the user's own task file and of the machine-wide one
    // (nullptr or Missing: none), each read with its owner. A file that is
    // there but Unreadable gives no rows and may not be written.
    // `mayWriteMachine`: the user may write the machine-wide file.
    void LoadTaskFiles(const OwnedFile& own, const OwnedFile* machine, bool mayWriteMachine);
    // The rows of a task file's text (the reading rules of every reader), as
    // the user's own trusted file.
    void LoadTaskList(std::string_view fileText);
    // The task file is there but could not be read: no rows, and the file may
    // not be written (Save, Delete) until a later LoadTaskList, since the
    // rows shown would replace tasks the user never saw.
    void LoadUnreadableTaskList();
    bool MayWriteFile() const { return file_read_; }
    const std::vector<TaskRow>& Rows() const { return rows_; }
    // One for each row, in the same order.
    const std::vector<TaskRowInfo>& RowInfos() const { return infos_; }
    // The untrusted rows a Save would write, in order.
    std::vector<size_t> UntrustedRows() const;
    // What the list shows after a row's name: line 268 for an untrusted row,
    // line 269 for a read-only one (both with a space before), else nothing.
    std::string RowMark(size_t row) const;
    // The question of ConfirmUntrusted: line 266, then each untrusted row a
    // Save would write, as the warning names refused tasks.
    std::string ConfirmUntrustedText() const;
    std::optional<size_t> Selected() const { return selected_; }

    // Selects a row and copies it into the controls.
    void ShowTaskRow(size_t row);
    const TaskControls& Controls() const { return controls_; }
    TaskControlStates States() const { return StatesFor(controls_.type, controls_.freq); }

    // The user changed a control: its text goes into the selected row's cell
    // (nothing is written without a selection, or to a read-only row).
    void SetName(std::string text);
    void SetType(int item);
    void SetFreq(int item);
    void SetTime(std::string text);
    void SetWeekday(int item);
    // Refills the date list to the month's length, without a date chosen.
    void SetMonth(int item);
    void SetDate(int item);
    void SetMessage(std::string text);

    // Appends a "New" row, selects it and resets the controls.
    void Add();
    // Removes the selected row; false (and nothing changes) without one or
    // when it is read-only.
    bool DeleteSelected();
    // Sorts by a column's text; each call reverses the direction.
    void SortBy(int column);

    // Checks every row, first to last: ";" in the name or the message would
    // hide the line from every reader, "|" in any field but the message would
    // shift the fields after it, and a Weekly task needs its weekday. The
    // selected row, the one being edited, must also name an existing file
    // when it is a Command or Multimedia task.
    std::optional<TaskRefusal> Check(const std::function<bool(const std::string&)>& fileExists) const;
    // The rows of the user's own file as task-file lines, in the order shown
    // (untrusted rows included: what a confirmed Save writes).
    std::vector<TaskFileLine> Lines() const;
    // The machine-wide rows as task-file lines.
    std::vector<TaskFileLine> MachineLines() const;

    // Save: the checks, then whether a file changed since it was loaded
    // (`ownNow`, `machineNow`: the stamps of the files read again just now;
    // machineNow is nullopt when there is no machine-wide file to write),
    // then whether untrusted rows would be written. Nothing changes here.
    TaskSavePlan PrepareSave(const std::function<bool(const std::string&)>& fileExists,
                             const FileStamp& ownNow, const std::optional<FileStamp>& machineNow,
                             TaskSaveOptions options = {}) const;
    // The plan's files were written: they are what was loaded now, and the
    // rows written are the user's own (trusted).
    void Saved(const TaskSavePlan& plan);

private:
    void WriteCell(int column, std::string text);
    void FillDates(int month);
    TaskRow RowOf(const TTask& task) const;
    void AddRows(const std::vector<TTask>& tasks, TaskFileKind kind, bool readOnly);
    bool Written(size_t row) const;
    std::vector<TaskFileLine> LinesOf(TaskFileKind kind) const;

    const LanguageList& language_;
    int year_;
    std::vector<std::string> types_, freqs_, weekdays_, months_;
    std::vector<TaskRow> rows_;
    std::vector<TaskRowInfo> infos_;
    std::optional<size_t> selected_;
    bool file_read_ = true;
    bool machine_read_ = true;
    bool may_write_machine_ = false;
    bool machine_changed_ = false;
    FileStamp own_stamp_;
    FileStamp machine_stamp_;
    TaskControls controls_;
    bool descending_ = true;  // the first sort is ascending
};

// The line of one row: list texts become their codes (-1 when not an item),
// the date its number, the month its number (0 when not an item), the rest
// as it stands.
TaskFileLine RowToLine(const TaskEditor& editor, const TaskRow& row);

}  // namespace waktuna
