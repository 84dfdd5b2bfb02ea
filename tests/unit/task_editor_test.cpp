// The task editor: rows turn back into the lines they were read from, every
// row is checked before a Save, and the edits a user makes reach the right
// row and field.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "waktuna/pages/task_editor.h"

using namespace waktuna;
using ::testing::ElementsAre;

namespace {

std::string File(std::initializer_list<const char*> lines) {
    std::string text = "; comment\r\n\r\n";
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

std::vector<std::string> Written(const TaskEditor& editor) {
    std::vector<std::string> out;
    for (const auto& line : editor.Lines()) out.push_back(FormatTaskLine(line));
    return out;
}

bool NoFile(const std::string&) { return false; }

struct Editor : ::testing::Test {
    LanguageList english = BuiltInEnglish();
    TaskEditor editor{english, 2009};
};

TEST_F(Editor, RowsShowTheTasksAndSaveBackTheRawText) {
    editor.LoadTaskList(File({
        "Jumat|8|2|11:30:00|5|0|0|Siap|jumatan %VERSION",
        "Milad|1|4|08:05:00|-1|17|8|Selamat",
        "Start|5|5||-1|0|0|notepad.exe",
        "Odd|1|2|10:00:00|7|0|0|weekday seven",
    }));
    ASSERT_EQ(editor.Rows().size(), 4u);
    EXPECT_THAT(editor.Rows()[0], ElementsAre("Jumat", "Moving Text", "Weekly", "11:30:00", "Friday", "", "",
                                              "Siap|jumatan %VERSION"));
    EXPECT_THAT(editor.Rows()[1],
                ElementsAre("Milad", "Information", "OnlyOnce", "08:05:00", "", "17", "August", "Selamat"));
    EXPECT_EQ(editor.Rows()[2][ColTime], "");
    EXPECT_THAT(Written(editor), ElementsAre("Jumat|8|2|11:30:00|5|0|0|Siap|jumatan %VERSION",
                                             "Milad|1|4|08:05:00|-1|17|8|Selamat",
                                             "Start|5|5||-1|0|0|notepad.exe",
                                             "Odd|1|2|10:00:00|7|0|0|weekday seven"));
}

TEST_F(Editor, EditsWriteTheSelectedRowOnly) {
    editor.LoadTaskList(File({"A|1|1|12:00:00|-1|0|0|a", "B|1|1|13:00:00|-1|0|0|b"}));
    editor.SetName("nowhere");  // nothing selected yet
    editor.ShowTaskRow(1);
    EXPECT_EQ(editor.Controls().name, "B");
    editor.SetType(TaskHibernate);
    editor.SetFreq(FreqOnlyOnce);
    EXPECT_TRUE(editor.States().month_enabled);
    EXPECT_FALSE(editor.States().browse_visible);
    editor.SetMonth(1);  // February 2009 offers 28 dates
    EXPECT_EQ(editor.Controls().date_count, 28);
    editor.SetDate(27);
    editor.SetTime("06:30:00");
    EXPECT_THAT(Written(editor), ElementsAre("A|1|1|12:00:00|-1|0|0|a", "B|7|4|06:30:00|-1|28|2|b"));
    editor.Add();
    EXPECT_EQ(*editor.Selected(), 2u);
    EXPECT_EQ(Written(editor).back(), "New|-1|-1||-1|0|0|");
}

TEST_F(Editor, EveryRowIsCheckedNotOnlyTheOneShown) {
    editor.LoadTaskList(File({"A|1|1|12:00:00|-1|0|0|a", "B|1|1|13:00:00|-1|0|0|b"}));
    editor.ShowTaskRow(0);
    editor.SetName("x|6");  // would shift every field: a daily Shutdown PC
    editor.ShowTaskRow(1);
    auto refusal = editor.Check(NoFile);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->row, 0u);
    EXPECT_EQ(refusal->text, "Invalid value for Name\r\nMessage Cannot contain simbol \"|\" or \";\"");

    editor.ShowTaskRow(0);
    editor.SetName(";hidden");  // the line would vanish on the next read
    EXPECT_EQ(editor.Check(NoFile)->row, 0u);
    editor.SetName("A");
    editor.ShowTaskRow(1);
    editor.SetMessage("a|b is fine");  // the reader keeps "|" in a message
    EXPECT_FALSE(editor.Check(NoFile));
    editor.SetMessage("a;b");
    EXPECT_EQ(editor.Check(NoFile)->text.substr(0, 25), "Invalid value for message");

    editor.SetMessage("C:\\missing.exe");
    editor.SetType(TaskCommand);
    EXPECT_TRUE(editor.States().browse_visible);
    EXPECT_EQ(editor.Check(NoFile)->text, english.Line(kLineTaskFileNotFound));
    EXPECT_FALSE(editor.Check([](const std::string& f) { return f == "C:\\missing.exe"; }));
}

TEST_F(Editor, AWeeklyTaskIsSavedWithTheWeekdayShownOrNotAtAll) {
    editor.LoadTaskList(File({"Jumat|1|2|11:30:00|5|0|0|Siap"}));
    editor.ShowTaskRow(0);
    // Add keeps Friday in the weekday list; a new Weekly task takes it.
    editor.Add();
    editor.SetFreq(FreqWeekly);
    EXPECT_FALSE(editor.Check(NoFile));
    EXPECT_EQ(Written(editor)[1], "New|-1|2||5|0|0|");

    // A Daily task made Weekly shows no weekday: Save waits for one rather
    // than store Sunday.
    editor.LoadTaskList(File({"A|1|1|12:00:00|-1|0|0|a", "B|1|1|13:00:00|-1|0|0|b"}));
    editor.ShowTaskRow(0);
    editor.SetFreq(FreqWeekly);
    editor.ShowTaskRow(1);
    const auto refusal = editor.Check(NoFile);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->row, 0u);
    EXPECT_EQ(refusal->text, "Invalid value for DayOfWeek");
    editor.ShowTaskRow(0);
    editor.SetWeekday(0);
    EXPECT_FALSE(editor.Check(NoFile));
    EXPECT_EQ(Written(editor)[0], "A|1|2|12:00:00|0|0|0|a");
}

TEST_F(Editor, OnlyTheEditedRowMustNameAnExistingFile) {
    // The command and the sound of older tasks have gone since they were saved.
    editor.LoadTaskList(File({"Run|5|1|12:00:00|-1|0|0|C:\\gone.exe", "Play|9|1|13:00:00|-1|0|0|C:\\gone.mp3",
                              "Note|1|1|14:00:00|-1|0|0|hello"}));
    editor.ShowTaskRow(2);
    editor.SetMessage("hello again");
    EXPECT_FALSE(editor.Check(NoFile));
    EXPECT_EQ(Written(editor)[0], "Run|5|1|12:00:00|-1|0|0|C:\\gone.exe");
    editor.ShowTaskRow(1);
    EXPECT_EQ(editor.Check(NoFile)->row, 1u);
}

TEST(TaskEditorLanguage, AShortOrRepetitiveTranslationStillSavesEachTaskAsRead) {
    // A language file of 200 lines is accepted; lines 201 (OnlyOnce) and 202
    // (OnStartProgram) then read as empty text. This one also names January
    // and February alike.
    const LanguageList english = BuiltInEnglish();
    std::vector<std::string> lines;
    for (int n = 1; n <= 200; ++n) lines.push_back(english.Line(n));
    lines[15] = lines[14];
    const LanguageList shortList(std::move(lines));
    TaskEditor editor(shortList, 2009);
    editor.LoadTaskList(File({
        "Start|5|5||-1|0|0|notepad.exe",
        "Milad|1|4|08:05:00|-1|17|8|Selamat",
        "Feb|1|4|09:00:00|-1|3|2|second month",
    }));
    editor.ShowTaskRow(0);
    EXPECT_FALSE(editor.Check([](const std::string&) { return true; }));
    EXPECT_THAT(Written(editor), ElementsAre("Start|5|5||-1|0|0|notepad.exe", "Milad|1|4|08:05:00|-1|17|8|Selamat",
                                             "Feb|1|4|09:00:00|-1|3|2|second month"));
}

TEST_F(Editor, DeleteNeedsASelectionAndSortReversesEachTime) {
    editor.LoadTaskList(File({"b|1|1|12:00:00|-1|0|0|", "c|1|1|12:00:00|-1|0|0|", "a|1|1|12:00:00|-1|0|0|"}));
    EXPECT_FALSE(editor.DeleteSelected());
    EXPECT_EQ(editor.Rows().size(), 3u);
    editor.ShowTaskRow(0);
    editor.SortBy(ColName);
    EXPECT_THAT(Written(editor), ElementsAre("a|1|1|12:00:00|-1|0|0|", "b|1|1|12:00:00|-1|0|0|",
                                             "c|1|1|12:00:00|-1|0|0|"));
    EXPECT_EQ(*editor.Selected(), 1u);  // "b" stays selected
    editor.SortBy(ColName);
    EXPECT_EQ(editor.Rows()[0][ColName], "c");
    ASSERT_TRUE(editor.DeleteSelected());
    EXPECT_THAT(Written(editor), ElementsAre("c|1|1|12:00:00|-1|0|0|", "a|1|1|12:00:00|-1|0|0|"));
}

}  // namespace
