#include "waktuna/files/tasks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace waktuna;

namespace {

std::string TempPath(const char* name) { return testing::TempDir() + name; }

// A fresh folder of its own, so a test can see every file left in it.
std::string FreshFolder(const char* name) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FailingReplace(const std::string&, const std::string&) { return false; }

}  // namespace

TEST(TaskLine, TheDocumentedExample) {
    const TTask t = ParseTaskLine("Prayer|1|1|12:00:00|-1|0|0|Time for Dhuhur");
    EXPECT_EQ(t.name, "Prayer");
    EXPECT_EQ(t.type, TaskInformation);
    EXPECT_EQ(t.freq, FreqDaily);
    EXPECT_EQ(t.time, 0.5);
    EXPECT_EQ(t.time_text, "12:00:00");
    EXPECT_EQ(t.day_of_week, 0);  // -1 is 65535 in 16 bits, then cleared
    EXPECT_EQ(t.date, 0);
    EXPECT_EQ(t.month, 0);
    EXPECT_EQ(t.message, "Time for Dhuhur");
}

TEST(TaskLine, MessageAndVersion) {
    // "|" after the seventh separator belongs to the message.
    EXPECT_EQ(ParseTaskLine("a|1|1|01:02:03|0|0|0|x|y||z|").message, "x|y||z|");
    EXPECT_EQ(ParseTaskLine("a|1|1||0|0|0|%VERSION and %VERSION").message,
              "v3.10 and %VERSION");
    EXPECT_EQ(ParseTaskLine("a|1|1||0|0|0|").message, "");
    // The message is cut at 65535 characters.
    const std::string longMessage(70000, 'm');
    EXPECT_EQ(ParseTaskLine("a|1|1||0|0|0|" + longMessage).message.size(), kMaxTaskMessage);
}

TEST(TaskLine, RangesAndNumbers) {
    TTask t = ParseTaskLine("a|10|6|00:00:01|9|32|13|m");
    EXPECT_EQ(t.type, 0);
    EXPECT_EQ(t.freq, 0);
    EXPECT_EQ(t.day_of_week, 0);
    EXPECT_EQ(t.date, 0);
    EXPECT_EQ(t.month, 0);

    t = ParseTaskLine("a|9|5|00:00:01|7|31|12|m");
    EXPECT_EQ(t.type, TaskMultimedia);
    EXPECT_EQ(t.freq, FreqOnStartProgram);
    EXPECT_EQ(t.day_of_week, 7);
    EXPECT_EQ(t.date, 31);
    EXPECT_EQ(t.month, 12);

    // Numbers: sign and leading digits; a leading blank gives 0; 16-bit width.
    t = ParseTaskLine("a|+3x|-1| 5|6abc|65537|012|m");
    EXPECT_EQ(t.type, TaskWarning);
    EXPECT_EQ(t.freq, 0);
    EXPECT_EQ(t.day_of_week, 6);
    EXPECT_EQ(t.date, 1);  // 65537 in 16 bits
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(ParseTaskLine("a|1|1||x 5|0|0|m").day_of_week, 0);
}

TEST(TaskLine, ShortAndMalformedLines) {
    // No separator at all: no name, nothing acts.
    TTask t = ParseTaskLine("just text");
    EXPECT_EQ(t, TTask{});
    // Fewer than seven separators: the text after the last one is ignored.
    t = ParseTaskLine("Name|1|1");
    EXPECT_EQ(t.name, "Name");
    EXPECT_EQ(t.type, TaskInformation);
    EXPECT_EQ(t.freq, 0);
    EXPECT_EQ(t.time_text, "");  // the Time field was never reached
    t = ParseTaskLine("Name|1|1|10:00:00|");
    EXPECT_EQ(t.time_text, "10:00:00");
    EXPECT_EQ(t.message, "");
}

TEST(TaskLine, TimeField) {
    const auto timeText = [](const std::string& field) {
        return ParseTaskLine("a|1|1|" + field + "|0|0|0|m").time_text;
    };
    EXPECT_EQ(timeText("23:59:59"), "23:59:59");
    EXPECT_EQ(timeText("7:5:3"), "07:05:03");
    EXPECT_EQ(timeText("07:5:30"), "07:05:30");
    EXPECT_EQ(timeText(""), "00:00:00");
    EXPECT_EQ(timeText("24:00:00"), "00:00:00");
    EXPECT_EQ(timeText("12:60:00"), "00:00:00");
    EXPECT_EQ(timeText("12:00"), "00:00:00");
    EXPECT_EQ(timeText("12:00:00:00"), "00:00:00");
    EXPECT_EQ(timeText("123:00:00"), "00:00:00");
    EXPECT_EQ(timeText(" 12:00:00"), "00:00:00");
    EXPECT_EQ(timeText("noon"), "00:00:00");
    EXPECT_EQ(timeText("12:00:00 PM"), "00:00:00");
}

TEST(TaskFile, SkipRulesAndLineEnds) {
    const std::string text =
        std::string(kTaskFileComment) + "\r\n\r\n" +
        "A|1|1|01:00:00|0|0|0|first\r\n"
        " \t \r\n"
        "B|1|1|02:00:00|0|0|0|has ; semicolon\r\n"
        "C|1|1|03:00:00|0|0|0|lone LF\n"
        "D|1|1|04:00:00|0|0|0|lone CR\r"
        "E|1|1|05:00:00|0|0|0|last, no line end";
    const std::vector<TTask> tasks = ReadTaskFileText(text);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0].name, "A");
    EXPECT_EQ(tasks[1].message, "lone LF");
    EXPECT_EQ(tasks[2].message, "lone CR");
    EXPECT_EQ(tasks[3].message, "last, no line end");
    EXPECT_TRUE(IsSkippedTaskLine(""));
    EXPECT_TRUE(IsSkippedTaskLine(std::string(" \0\x1F", 3)));
    EXPECT_FALSE(IsSkippedTaskLine("x"));
    EXPECT_TRUE(ReadTaskFileText("").empty());
    EXPECT_TRUE(ReadTaskFile(TempPath("no_such_task_file.dat")).empty());
    EXPECT_EQ(TaskFilePath("C:\\ProgramData\\Waktuna\\"), "C:\\ProgramData\\Waktuna\\Task.dat");
}

TEST(TaskFile, WrittenText) {
    TaskFileLine added;  // an added row saved without choosing anything
    added.name = "New";
    TaskFileLine weekly{"Kajian", 8, 2, "19:30:00", 5, 0, 0, "Kajian rutin"};
    const std::string text = TaskFileText({added, weekly});
    EXPECT_EQ(text,
              "; Task Scheduler Format For Waktuna v3.05\r\n"
              "; Format : Nama|Type|Freq|Time|DayOgWeek|Date|Month|Message\r\n"
              "; Type : 1=info 2=Error 3=Warning 4=Question 5=Command 6=Shutdown 7=Hibernate "
              "8=MovingText 9=Multimedia\r\n"
              "; Freq : 1=Daily 2=Weekly 3=Monthly 4=OnlyOnce 5=onStartProgram\r\n"
              "; Time : HH:mm:ss ( Hour:Minutes:Second )\r\n"
              "; DayOfWeek : 1=Ahad(Sunday) 2=Senin(MOnday) ...etc\r\n"
              "\r\n"
              "New|-1|-1||-1|0|0|\r\n"
              "Kajian|8|2|19:30:00|5|0|0|Kajian rutin\r\n");
    // Read back: the added row has type 0 and frequency 0.
    const std::vector<TTask> back = ReadTaskFileText(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].type, TaskNone);
    EXPECT_EQ(back[0].freq, FreqNone);
    EXPECT_EQ(back[1].day_of_week, 5);
    // No tasks: the comment and the empty line only.
    EXPECT_EQ(TaskFileText({}), std::string(kTaskFileComment) + "\r\n\r\n");
}

TEST(TaskFile, SaveAndReadRoundTrip) {
    const std::vector<TTask> tasks = ReadTaskFileText(
        "Subuh|1|1|04:30:00|0|0|0|Bangun %VERSION\r\n"
        "Jumat|3|2|11:30:00|5|0|0|Siap-siap|jumatan\r\n"
        "Kajian|8|3|19:30:15|0|15|0|Moving text\r\n"
        "Milad|9|4|08:00:00|0|17|8|C:\\media\\song.mp3\r\n"
        "Start|5|5||0|0|0|notepad.exe\r\n");
    std::vector<TaskFileLine> lines;
    for (const auto& t : tasks) lines.push_back(ToTaskFileLine(t));

    const std::string folder = FreshFolder("waktuna_tasks_roundtrip");
    const std::string path = TaskFilePath(folder);
    ASSERT_TRUE(SaveTaskFile(path, lines));  // no file yet: created
    EXPECT_EQ(ReadTaskFile(path), tasks);
    lines.pop_back();
    ASSERT_TRUE(SaveTaskFile(path, lines));  // replaces the existing file
    EXPECT_EQ(ReadTaskFile(path).size(), 4u);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Task.dat"});
    std::filesystem::remove_all(folder);
}

TEST(TaskFile, FailedSaveKeepsTheOldFile) {
    const std::string folder = FreshFolder("waktuna_tasks_keep");
    const std::string path = TaskFilePath(folder);
    const std::string old = TaskFileText({TaskFileLine{"Old", 1, 1, "05:00:00", -1, 0, 0, "m"}});
    WriteBytes(path, old);
    EXPECT_FALSE(SaveTaskFile(path, {}, FailingReplace));
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Task.dat"});
    std::filesystem::remove_all(folder);

    // A folder that does not exist: nothing can be written, and it says so.
    EXPECT_FALSE(SaveTaskFile(TempPath("no_such_folder/Task.dat"), {}));
}

TEST(TodayTasks, KeepRules) {
    const DateTime sunday = EncodeDate(2009, 3, 22);
    const DateTime saturday = EncodeDate(2009, 3, 21);
    const DateTime aug17 = EncodeDate(2031, 8, 17);
    EXPECT_EQ(TaskWeekday(sunday), 0);
    EXPECT_EQ(TaskWeekday(saturday), 6);
    EXPECT_EQ(TaskWeekday(EncodeDate(2009, 3, 20)), 5);  // Friday

    const auto task = [](const char* line) { return ParseTaskLine(line); };
    EXPECT_TRUE(IsTaskKeptOn(task("a|1|1|10:00:00|-1|0|0|m"), sunday));
    EXPECT_TRUE(IsTaskKeptOn(task("a|1|5||-1|0|0|m"), sunday));
    EXPECT_FALSE(IsTaskKeptOn(task("a|1|0|10:00:00|0|22|3|m"), sunday));

    EXPECT_TRUE(IsTaskKeptOn(task("a|1|2|10:00:00|0|0|0|m"), sunday));
    EXPECT_FALSE(IsTaskKeptOn(task("a|1|2|10:00:00|0|0|0|m"), saturday));
    EXPECT_TRUE(IsTaskKeptOn(task("a|1|2|10:00:00|6|0|0|m"), saturday));
    // A weekday of 7 (hand-edited) matches no day.
    for (int d = 15; d <= 21; ++d)
        EXPECT_FALSE(IsTaskKeptOn(task("a|1|2|10:00:00|7|0|0|m"), EncodeDate(2009, 3, d)));
    // Weekly with today's date and month but another weekday is not kept.
    EXPECT_FALSE(IsTaskKeptOn(task("a|1|2|10:00:00|1|22|3|m"), sunday));

    EXPECT_TRUE(IsTaskKeptOn(task("a|1|3|10:00:00|-1|22|0|m"), sunday));
    EXPECT_FALSE(IsTaskKeptOn(task("a|1|3|10:00:00|-1|21|0|m"), sunday));

    // OnlyOnce: every year on its day and month.
    EXPECT_TRUE(IsTaskKeptOn(task("a|1|4|10:00:00|-1|17|8|m"), aug17));
    EXPECT_TRUE(IsTaskKeptOn(task("a|1|4|10:00:00|-1|17|8|m"), EncodeDate(2009, 8, 17)));
    EXPECT_FALSE(IsTaskKeptOn(task("a|1|4|10:00:00|-1|17|9|m"), aug17));

    const std::vector<TTask> all = ReadTaskFileText(
        "w|1|2|10:00:00|0|0|0|sunday\r\n"
        "d|1|1|09:00:00|0|0|0|daily\r\n"
        "s|1|2|10:00:00|6|0|0|saturday\r\n"
        "o|1|5||0|0|0|start\r\n");
    const std::vector<TTask> kept = TasksKeptOn(all, sunday);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[0].message, "sunday");
    EXPECT_EQ(kept[1].message, "daily");
    EXPECT_EQ(kept[2].message, "start");
}
