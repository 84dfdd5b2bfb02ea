// The task editor's model: the tasks of Task.dat as rows of eight cell texts
// (what the list shows), the edit controls that write the selected row, the
// states that depend on the type and frequency, and Add, Save, Delete,
// Cancel and sorting. Messages and names are kept as they are in the file
// ("%VERSION" stays "%VERSION"), so a Save writes back what was read.
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

    // The rows of a task file's text (the reading rules of every reader).
    void LoadTaskList(std::string_view fileText);
    // The task file is there but could not be read: no rows, and the file may
    // not be written (Save, Delete) until a later LoadTaskList, since the
    // rows shown would replace tasks the user never saw.
    void LoadUnreadableTaskList();
    bool MayWriteFile() const { return file_read_; }
    const std::vector<TaskRow>& Rows() const { return rows_; }
    std::optional<size_t> Selected() const { return selected_; }

    // Selects a row and copies it into the controls.
    void ShowTaskRow(size_t row);
    const TaskControls& Controls() const { return controls_; }
    TaskControlStates States() const { return StatesFor(controls_.type, controls_.freq); }

    // The user changed a control: its text goes into the selected row's cell
    // (nothing is written without a selection).
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
    // Removes the selected row; false (and nothing changes) without one.
    bool DeleteSelected();
    // Sorts by a column's text; each call reverses the direction.
    void SortBy(int column);

    // Checks every row, first to last: ";" in the name or the message would
    // hide the line from every reader, "|" in any field but the message would
    // shift the fields after it, and a Weekly task needs its weekday. The
    // selected row, the one being edited, must also name an existing file
    // when it is a Command or Multimedia task.
    std::optional<TaskRefusal> Check(const std::function<bool(const std::string&)>& fileExists) const;
    // The rows as task-file lines, in the order shown.
    std::vector<TaskFileLine> Lines() const;

private:
    void WriteCell(int column, std::string text);
    void FillDates(int month);
    TaskRow RowOf(const TTask& task) const;

    const LanguageList& language_;
    int year_;
    std::vector<std::string> types_, freqs_, weekdays_, months_;
    std::vector<TaskRow> rows_;
    std::optional<size_t> selected_;
    bool file_read_ = true;
    TaskControls controls_;
    bool descending_ = true;  // the first sort is ascending
};

// The line of one row: list texts become their codes (-1 when not an item),
// the date its number, the month its number (0 when not an item), the rest
// as it stands.
TaskFileLine RowToLine(const TaskEditor& editor, const TaskRow& row);

}  // namespace waktuna
