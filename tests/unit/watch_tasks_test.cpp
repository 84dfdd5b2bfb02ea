// The task scheduler side of the watch: today's list, the tick check, the
// start-up run and the nine task types.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "watch_fake.h"

using namespace waktuna;
using namespace waktuna::fake;
using ::testing::ElementsAre;

class WatchTasks : public WatchFixture {};

// 21 March 2009 is a Saturday (task weekday 6), 22 March a Sunday (0).
TEST_F(WatchTasks, KeptForTheDayFiredAtTheirSecondInFileOrder) {
    WriteTasks({
        "A|5|1|12:30:00|-1|0|0|first.exe",     // daily
        "B|5|1|12:30:00|-1|0|0|second.exe",
        "C|5|2|12:30:00|6|0|0|saturday.exe",   // weekly
        "D|5|2|12:30:00|0|0|0|sunday.exe",
        "E|5|2|12:30:00|7|21|3|seven.exe",     // weekday 7: never, whatever the date
        "F|5|4|12:30:00|-1|21|3|once.exe",     // 21 March of every year
        "G|5|3|12:30:00|-1|21|0|monthly.exe",  // the 21st of every month
        "H|5|0|12:30:00|-1|0|0|no-frequency.exe",
        "I|5|1|12:3O|-1|0|0|bad-time.exe",     // a time that is no time reads as 00:00:00
        "S|5|5|12:31:00|-1|0|0|startup.exe",   // at start-up, and daily at its time
        "T|5|5||-1|0|0|startonly.exe",         // saved without a time: at start-up only
        "W|5|2|00:00:05|0|0|0|sunday-early.exe",
        "X|5|2|00:00:05|6|0|0|saturday-early.exe",
    });
    Begin(2009, 3, 21, 12, 0, 0);
    watch.LoadTodayTasks();
    ASSERT_EQ(watch.TodayTasks().size(), 9u);
    watch.RunStartupTasks();
    TickTo(12, 35, 0);
    EXPECT_THAT(actions.log,
                ElementsAre("12:00:00 command startup.exe", "12:00:00 command startonly.exe",
                            "12:00:32 announce Zuhr", "12:30:00 command first.exe",
                            "12:30:00 command second.exe", "12:30:00 command saturday.exe",
                            "12:30:00 command once.exe", "12:30:00 command monthly.exe",
                            "12:31:00 command startup.exe"));
    // Past midnight the list is Sunday's at once: a task five seconds after
    // midnight belongs to the day it fires on.
    actions.log.clear();
    TickTo(12, 30, 0);
    EXPECT_THAT(actions.With("command"),
                ElementsAre("00:00:00 command bad-time.exe",
                            "00:00:05 command sunday-early.exe",
                            "12:30:00 command first.exe", "12:30:00 command second.exe",
                            "12:30:00 command sunday.exe"));
}

TEST_F(WatchTasks, EveryTaskType) {
    const std::string long_text(80, 'L');
    WriteTasks({
        "none|0|1|10:00:00|-1|0|0|nothing",
        "info|1|1|10:00:00|-1|0|0|an information",
        "error|2|1|10:00:00|-1|0|0|an error",
        "warning|3|1|10:00:00|-1|0|0|a warning",
        "question|4|1|10:00:00|-1|0|0|a question",
        "command|5|1|10:00:00|-1|0|0|C:\\tools\\backup.cmd",
        "shutdown|6|1|10:00:00|-1|0|0|",
        "hibernate|7|1|10:00:00|-1|0|0|",
        "short|8|1|10:00:00|-1|0|0|" + std::string(79, 'S'),
        "long|8|1|10:00:00|-1|0|0|" + long_text,
        "sound|9|1|10:00:00|-1|0|0|C:\\sounds\\a.mp3",
        "gone|9|1|10:00:00|-1|0|0|C:\\sounds\\gone.mp3",
        "other|9|1|10:00:00|-1|0|0|C:\\sounds\\b.mp3",
    });
    actions.files = {"C:\\sounds\\a.mp3", "C:\\sounds\\b.mp3"};
    actions.lengths["C:\\sounds\\a.mp3"] = 60000;
    actions.lengths["C:\\sounds\\b.mp3"] = 60000;
    Begin(2009, 3, 21, 9, 0, 0);
    watch.LoadTodayTasks();
    for (size_t i = 0; i < 11; ++i) watch.RunTask(i);
    EXPECT_THAT(actions.log,
                ElementsAre("09:00:00 dialog-information an information", "09:00:00 dialog-error an error",
                            "09:00:00 dialog-warning a warning", "09:00:00 dialog-question a question",
                            "09:00:00 command C:\\tools\\backup.cmd", "09:00:00 shutdown",
                            "09:00:00 hibernate", "09:00:00 moving-text " + std::string(79, 'S'),
                            "09:00:00 moving-text " + long_text + " | [Waktuna v3.10]",
                            "09:00:00 multimedia-menu on", "09:00:00 open C:\\sounds\\a.mp3"));
    // A sound task while one plays stops the earlier one first; a missing
    // file starts nothing.
    actions.log.clear();
    watch.RunTask(11);
    EXPECT_TRUE(actions.sounds[0]->stopped);
    EXPECT_TRUE(actions.log.empty());
    watch.RunTask(12);
    EXPECT_THAT(actions.log, ElementsAre("09:00:00 multimedia-menu on", "09:00:00 open C:\\sounds\\b.mp3"));
    watch.RunTask(13);  // beyond the list: nothing
    actions.hibernate_allowed = false;
    watch.RunTask(7);
    EXPECT_EQ(actions.log.back(), "09:00:00 dialog-information Your computer doesn't support hibernate");

    // The sound's end closes its player and hides the menu; so does the menu's Stop.
    actions.log.clear();
    TickTo(9, 1, 1);
    EXPECT_THAT(actions.log, ElementsAre("09:01:00 multimedia-menu off"));
    EXPECT_FALSE(watch.HasMultimediaPlayer());
    watch.RunTask(10);
    watch.CloseMultimedia();
    EXPECT_FALSE(watch.HasMultimediaPlayer());
    EXPECT_TRUE(actions.sounds.back()->stopped);
}

TEST_F(WatchTasks, MissingOrEmptyTaskFile) {
    watch.SetTaskFile(::testing::TempDir() + "waktuna_no_such_task_file.dat");
    Begin(2009, 3, 21, 9, 0, 0);
    watch.LoadTodayTasks();
    EXPECT_TRUE(watch.TodayTasks().empty());
    WriteTasks({});
    watch.LoadTodayTasks();
    watch.RunStartupTasks();
    watch.RunTask(0);
    EXPECT_TRUE(watch.TodayTasks().empty());
    EXPECT_TRUE(actions.log.empty());
}

TEST_F(WatchTasks, MessageTaskDialogRunningTicksAcrossMidnight) {
    // The information stays open 20 seconds; inside it midnight passes and
    // the list is reloaded. The command decided for the same second runs
    // once, after the dialog; the Sunday task fires inside, from the new list.
    WriteTasks({
        "late|1|1|23:59:58|-1|0|0|good night",
        "after|5|1|23:59:58|-1|0|0|after.exe",
        "sun|5|2|00:00:05|0|0|0|sunday.exe",
        "start|1|5|23:59:58|-1|0|0|started",
    });
    actions.inside_dialog = [&] {
        for (int i = 0; i < 20; ++i) Tick();
    };
    Begin(2009, 3, 21, 23, 59, 50);
    watch.LoadTodayTasks();
    watch.RunStartupTasks();  // its dialog runs ticks too
    EXPECT_THAT(actions.log,
                ElementsAre("23:59:50 dialog-information started", "23:59:58 dialog-dropped good night",
                            "23:59:58 command after.exe", "23:59:58 dialog-dropped started",
                            "00:00:00 days 12:00:14", "00:00:05 command sunday.exe",
                            "00:00:09 days 12:00:14"));
    // The ticks run inside it took the clock to 00:00:10; start again before
    // the tasks' second.
    clock.Set(2009, 3, 21, 23, 59, 50, 500);
    watch.Start();
    watch.LoadTodayTasks();
    actions.log.clear();
    TickTo(0, 0, 40);
    EXPECT_THAT(actions.log,
                ElementsAre("23:59:51 days 12:00:32",  // back to Saturday's times
                            "23:59:58 dialog-information good night", "00:00:00 days 12:00:14",
                            "00:00:05 command sunday.exe", "00:00:09 days 12:00:14",
                            "00:00:18 command after.exe", "00:00:18 dialog-information started"));
}
