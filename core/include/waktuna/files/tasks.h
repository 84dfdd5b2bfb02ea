// The task file Task.dat: the user's scheduled tasks, one line each, in the
// user's application-data folder, and a machine-wide one an administrator may
// keep for everyone. Reading (ParseTaskLine and the skip rules), which tasks
// of a file are trusted, writing (SaveTaskFile, replacing the old file in one
// step) and which tasks are kept for a given day.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/datetime.h"
#include "waktuna/files/files.h"

namespace waktuna {

// The action of a task.
enum TaskType : uint8_t {
    TaskNone = 0,
    TaskInformation = 1,
    TaskError = 2,
    TaskWarning = 3,
    TaskQuestion = 4,
    TaskCommand = 5,
    TaskShutdown = 6,
    TaskHibernate = 7,
    TaskMovingText = 8,
    TaskMultimedia = 9,
};

// When a task fires.
enum TaskFrequency : uint8_t {
    FreqNone = 0,
    FreqDaily = 1,
    FreqWeekly = 2,
    FreqMonthly = 3,
    FreqOnlyOnce = 4,
    FreqOnStartProgram = 5,
};

// One task as read from a line of the file.
struct TTask {
    std::string name;
    uint8_t type = TaskNone;   // 1..9, otherwise 0
    uint8_t freq = FreqNone;   // 1..5, otherwise 0
    DateTime time = 0;         // time of day
    std::string time_text;     // `time` as "HH:mm:ss"; empty when the task has no time
    uint16_t day_of_week = 0;  // 0 = Sunday .. 6 = Saturday (7 matches no day); else 0
    uint16_t date = 0;         // day of month 0..31
    uint16_t month = 0;        // 0..12
    std::string message;       // "%VERSION" (first only) already replaced by "v3.10"
    // A guarded task (IsGuardedTaskType) of a file the program does not
    // trust: it is named in a warning instead of being run.
    bool refused = false;
    friend bool operator==(const TTask&, const TTask&) = default;
};

// The longest message kept from a line.
inline constexpr size_t kMaxTaskMessage = 65535;

// Whether "%VERSION" in a message becomes the version text. The running list
// expands it; the task editor keeps the text as the user typed it, so a Save
// writes back what was read.
enum class VersionText { Expand, Keep };

// Parses one task line: Name|Type|Freq|Time|DayOfWeek|Date|Month|Message.
// Never fails: a malformed line gives whatever fields it reaches. A Time in
// the form H:M:S with one or two digits a field (hours 0..23, minutes and
// seconds 0..59) is read as such; any other Time reads as 00:00:00, except
// that a program-start task with an empty Time has no time at all (it runs
// only when the program starts).
TTask ParseTaskLine(std::string_view line, VersionText version = VersionText::Expand);

// True for a line every reader skips: it holds ";" anywhere, or is empty
// after trimming characters 0..32 from both ends.
bool IsSkippedTaskLine(std::string_view line);

// The tasks of a task file's bytes, in file order. Lines end with CR LF, a
// lone CR or a lone LF.
std::vector<TTask> ReadTaskFileText(std::string_view bytes,
                                    VersionText version = VersionText::Expand);
// The tasks of the file at `path`; none when it does not exist, is
// unreadable or is larger than kMaxTextFileSize.
std::vector<TTask> ReadTaskFile(const std::string& path, VersionText version = VersionText::Expand);

// ---- Trust ------------------------------------------------------------------
//
// Another user of the computer must not be able to make a task act in this
// user's session. Whether a file is trusted is decided once, when it is read,
// from the owner read through the same open handle as its bytes
// (ReadOwnedFileFunction); nothing is looked up again when a task fires.

enum class TaskFileKind : uint8_t {
    Own,      // Task.dat in the user's application-data folder
    Machine,  // the machine-wide Task.dat (administrators write it)
};

// Command, Shutdown, Hibernate and Multimedia: the types that act on the
// computer or open a file. They run only from a trusted file.
bool IsGuardedTaskType(int type);

// The user's own file is trusted when the user or the administrators own it;
// the machine-wide file only when the administrators do (on an older
// installation any user could write there, and a file a user saved there
// proves nothing about who wrote its content since).
bool TrustsTaskFile(TaskFileKind kind, FileOwner owner);

// The tasks of a task file read with its owner: in an untrusted file every
// guarded task is marked refused. None when the file was not read.
std::vector<TTask> ReadOwnedTaskFile(const OwnedFile& file, TaskFileKind kind,
                                     VersionText version = VersionText::Expand);

// The machine-wide tasks without those the user's own file holds too (the same
// line, trusted or not): when tasks became each user's own, the shared file was
// copied to its owner's folder and stays where it was, and its tasks count
// once. A task the two files hold the same runs once either way.
void DropOwnCopies(std::vector<TTask>& machine, const std::vector<TTask>& own);

// How a refused task is named in the warning: its name, and for a Command
// or Multimedia task the file in brackets.
std::string RefusedTaskText(const TTask& task);

// "<appDataFolder>Task.dat"; the folder ends with a backslash.
std::string TaskFilePath(std::string_view appDataFolder);

// ---- Writing ----------------------------------------------------------------

// One line as the task editor writes it: codes are -1 when nothing was chosen.
struct TaskFileLine {
    std::string name;
    int type = -1;
    int freq = -1;
    std::string time;  // "HH:mm:ss", or empty
    int day_of_week = -1;
    int date = 0;
    int month = 0;
    std::string message;
};

// The six comment lines at the top of every file written (CR LF between
// them, none after the last).
extern const std::string_view kTaskFileComment;

// The line a task is written as (no line end).
std::string FormatTaskLine(const TaskFileLine& line);
// A read task written back as it would be saved.
TaskFileLine ToTaskFileLine(const TTask& task);
// The whole file: the comment, CR LF, an empty line, then each line + CR LF.
std::string TaskFileText(const std::vector<TaskFileLine>& lines);

// Writes the task file: the new text goes to a file beside it, which then
// replaces the old file in one step, so a failure at any point leaves the old
// file as it was. False when the file could not be written or replaced (the
// editor then shows language line 176).
bool SaveTaskFile(const std::string& path, const std::vector<TaskFileLine>& lines,
                  ReplaceFileFunction replace = StandardReplaceFile);

// ---- Today's tasks --------------------------------------------------------

// The weekday as the task file numbers it: 0 = Sunday .. 6 = Saturday.
int TaskWeekday(DateTime day);

// Whether a task can fire on `day`: Daily and OnStartProgram always; Weekly
// on its weekday; Monthly on its day of month; OnlyOnce on its day and month
// (of every year).
bool IsTaskKeptOn(const TTask& task, DateTime day);
// The tasks kept for `day`, in their order.
std::vector<TTask> TasksKeptOn(const std::vector<TTask>& tasks, DateTime day);

}  // namespace waktuna
