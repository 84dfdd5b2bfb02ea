#include "waktuna/files/tasks.h"

#include <algorithm>

#include "waktuna/version.h"

#include "waktuna/calc/numbers.h"
#include "waktuna/files/safe_file.h"
#include "waktuna/files/text.h"

namespace waktuna {

namespace {

// H:M:S with one or two digits a field and each within its range; any other
// text reads as 00:00:00.
DateTime ReadTaskTime(std::string_view text) {
    int fields[3] = {0, 0, 0};
    size_t pos = 0;
    for (int f = 0; f < 3; ++f) {
        size_t digits = 0;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 3) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 2) return 0.0;
        fields[f] = value;
        if (f < 2) {
            if (pos >= text.size() || text[pos] != ':') return 0.0;
            ++pos;
        }
    }
    if (pos != text.size() || fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return 0.0;
    return EncodeTime(fields[0], fields[1], fields[2]);
}

// A number field stored in 16 bits: "-1" becomes 65535.
uint16_t Field16(std::string_view text) {
    return static_cast<uint16_t>(static_cast<uint32_t>(ReadWholeNumber(text)) & 0xFFFF);
}

uint8_t CodeInRange(std::string_view text, int highest) {
    const int32_t n = ReadWholeNumber(text);
    return n >= 1 && n <= highest ? static_cast<uint8_t>(n) : 0;
}

}  // namespace

TTask ParseTaskLine(std::string_view line, VersionText version) {
    TTask task;
    size_t start = 0;
    for (int field = 1; field <= 7; ++field) {
        const size_t bar = line.find('|', start);
        if (bar == std::string_view::npos) break;  // the rest of the line is ignored
        const std::string_view text = line.substr(start, bar - start);
        start = bar + 1;
        switch (field) {
            case 1: task.name = text; break;
            case 2: task.type = CodeInRange(text, 9); break;
            case 3: task.freq = CodeInRange(text, 5); break;
            case 4:
                task.time = ReadTaskTime(text);
                // A program-start task saved without a time must not also
                // fire every midnight.
                if (!(task.freq == FreqOnStartProgram && TrimBlanks(text).empty()))
                    task.time_text = FormatTime(task.time, kFormatHHmmss);
                break;
            case 5: task.day_of_week = Field16(text); break;
            case 6: task.date = Field16(text); break;
            case 7:
                task.month = Field16(text);
                task.message = line.substr(start, kMaxTaskMessage);
                break;
        }
    }
    if (task.day_of_week > 7) task.day_of_week = 0;
    if (task.date > 31) task.date = 0;
    if (task.month > 12) task.month = 0;
    const size_t at = version == VersionText::Expand ? task.message.find("%VERSION") : std::string::npos;
    if (at != std::string::npos) task.message.replace(at, 8, kVersionText);
    return task;
}

bool IsSkippedTaskLine(std::string_view line) {
    return line.find(';') != std::string_view::npos || TrimBlanks(line).empty();
}

std::vector<TTask> ReadTaskFileText(std::string_view bytes, VersionText version) {
    std::vector<TTask> tasks;
    ForEachTextLine(bytes, [&](std::string_view line) {
        if (!IsSkippedTaskLine(line)) tasks.push_back(ParseTaskLine(line, version));
    });
    return tasks;
}

std::vector<TTask> ReadTaskFile(const std::string& path, VersionText version) {
    const auto bytes = ReadWholeFile(path);
    return bytes ? ReadTaskFileText(*bytes, version) : std::vector<TTask>{};
}

// ---- Trust ------------------------------------------------------------------

bool IsGuardedTaskType(int type) {
    return type == TaskCommand || type == TaskShutdown || type == TaskHibernate || type == TaskMultimedia;
}

bool TrustsTaskFile(TaskFileKind kind, FileOwner owner) {
    if (owner == FileOwner::Administrators) return true;
    return kind == TaskFileKind::Own && owner == FileOwner::CurrentUser;
}

std::vector<TTask> ReadOwnedTaskFile(const OwnedFile& file, TaskFileKind kind, VersionText version) {
    if (file.status != FileReadStatus::Read) return {};
    std::vector<TTask> tasks = ReadTaskFileText(file.bytes, version);
    if (!TrustsTaskFile(kind, file.owner)) {
        for (TTask& task : tasks) task.refused = IsGuardedTaskType(task.type);
    }
    return tasks;
}

void DropOwnCopies(std::vector<TTask>& machine, const std::vector<TTask>& own) {
    std::erase_if(machine, [&own](const TTask& task) {
        return std::any_of(own.begin(), own.end(), [&task](TTask copy) {
            copy.refused = task.refused;
            return copy == task;
        });
    });
}

std::string RefusedTaskText(const TTask& task) {
    if (task.type == TaskCommand || task.type == TaskMultimedia) return task.name + " (" + task.message + ")";
    return task.name;
}

std::string TaskFilePath(std::string_view appDataFolder) {
    return std::string(appDataFolder) + "Task.dat";
}

// ---- Writing ----------------------------------------------------------------

const std::string_view kTaskFileComment =
    "; Task Scheduler Format For Waktuna v3.05\r\n"
    "; Format : Nama|Type|Freq|Time|DayOgWeek|Date|Month|Message\r\n"
    "; Type : 1=info 2=Error 3=Warning 4=Question 5=Command 6=Shutdown 7=Hibernate "
    "8=MovingText 9=Multimedia\r\n"
    "; Freq : 1=Daily 2=Weekly 3=Monthly 4=OnlyOnce 5=onStartProgram\r\n"
    "; Time : HH:mm:ss ( Hour:Minutes:Second )\r\n"
    "; DayOfWeek : 1=Ahad(Sunday) 2=Senin(MOnday) ...etc";

std::string FormatTaskLine(const TaskFileLine& l) {
    std::string out = l.name;
    for (const int n : {l.type, l.freq}) out += '|' + IntText(n);
    out += '|' + l.time;
    for (const int n : {l.day_of_week, l.date, l.month}) out += '|' + IntText(n);
    out += '|' + l.message;
    return out;
}

TaskFileLine ToTaskFileLine(const TTask& t) {
    return TaskFileLine{t.name,          t.type,   t.freq,  t.time_text,
                        t.day_of_week,   t.date,   t.month, t.message};
}

std::string TaskFileText(const std::vector<TaskFileLine>& lines) {
    std::string text(kTaskFileComment);
    text += "\r\n\r\n";
    for (const auto& line : lines) {
        text += FormatTaskLine(line);
        text += "\r\n";
    }
    return text;
}

bool SaveTaskFile(const std::string& path, const std::vector<TaskFileLine>& lines,
                  ReplaceFileFunction replace) {
    return WriteFileReplacing(path, TaskFileText(lines), replace);
}

// ---- Today's tasks --------------------------------------------------------

int TaskWeekday(DateTime day) { return DayOfWeek(day) % 7; }

bool IsTaskKeptOn(const TTask& task, DateTime day) {
    const Ymd d = DecodeDate(day);
    switch (task.freq) {
        case FreqDaily:
        case FreqOnStartProgram: return true;
        case FreqWeekly: return task.day_of_week == TaskWeekday(day);
        case FreqMonthly: return task.date == d.day;
        case FreqOnlyOnce: return task.date == d.day && task.month == d.month;
        default: return false;
    }
}

std::vector<TTask> TasksKeptOn(const std::vector<TTask>& tasks, DateTime day) {
    std::vector<TTask> kept;
    for (const auto& task : tasks) {
        if (IsTaskKeptOn(task, day)) kept.push_back(task);
    }
    return kept;
}

}  // namespace waktuna
