// Who may make a task act in this user's session: the owner of a task file is
// read once, with its bytes, and decides for the whole load; guarded tasks of
// a file the program does not trust are named in a warning and never run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "waktuna/pages/task_editor.h"
#include "waktuna/watch/command_rule.h"
#include "watch_fake.h"

using namespace waktuna;
using namespace waktuna::fake;
using ::testing::ElementsAre;

namespace {

// The platform's reader as the tests set it: each path gives what the map
// holds now (a missing entry is a missing file).
std::map<std::string, OwnedFile> g_files;

OwnedFile FakeRead(const std::string& path, uint64_t) {
    const auto it = g_files.find(path);
    return it == g_files.end() ? OwnedFile{} : it->second;
}

OwnedFile Tasks(FileOwner owner, std::initializer_list<const char*> lines) {
    std::string text = "; tasks\r\n\r\n";
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return OwnedFile{FileReadStatus::Read, text, owner};
}

class TaskTrust : public WatchFixture {
protected:
    void SetUp() override {
        g_files.clear();
        watch.SetTaskFiles("own", "machine", FakeRead);
    }
    void TearDown() override { g_files.clear(); }
};

}  // namespace

TEST(TaskTrustRule, OwnersAndFiles) {
    const std::string alice = "S-1-5-21-1-2-3-1001", bob = "S-1-5-21-1-2-3-1002";
    struct Case {
        std::optional<std::string> owner, user;
        bool no_security;
        FileOwner expected;
    } cases[] = {
        {alice, alice, false, FileOwner::CurrentUser},
        {bob, alice, false, FileOwner::Other},
        {"S-1-5-32-544", alice, false, FileOwner::Administrators},
        {"s-1-5-18", std::nullopt, false, FileOwner::Administrators},
        {std::string(kTrustedInstallerSid), alice, false, FileOwner::Administrators},
        {std::nullopt, alice, false, FileOwner::Other},  // owner not read: not trusted
        {alice, std::nullopt, false, FileOwner::Other},
        {std::nullopt, std::nullopt, true, FileOwner::CurrentUser},  // no security model
    };
    for (const Case& c : cases) EXPECT_EQ(FileOwnerOf({c.no_security, c.owner, c.user}), c.expected);

    EXPECT_TRUE(TrustsTaskFile(TaskFileKind::Own, FileOwner::CurrentUser));
    EXPECT_TRUE(TrustsTaskFile(TaskFileKind::Own, FileOwner::Administrators));
    EXPECT_FALSE(TrustsTaskFile(TaskFileKind::Own, FileOwner::Other));
    EXPECT_TRUE(TrustsTaskFile(TaskFileKind::Machine, FileOwner::Administrators));
    // A user's own file in the shared folder proves nothing about its content.
    EXPECT_FALSE(TrustsTaskFile(TaskFileKind::Machine, FileOwner::CurrentUser));
    EXPECT_FALSE(TrustsTaskFile(TaskFileKind::Machine, FileOwner::Other));
}

// The file swapped after the load and back before the fire: the command that
// runs is the one read at load, and the swapped-in file, read at the next
// load, is refused by its owner.
TEST_F(TaskTrust, LoadSwapFireRunsWhatWasLoaded) {
    g_files["own"] = Tasks(FileOwner::CurrentUser, {"Mine|5|1|12:30:00|-1|0|0|mine.cmd"});
    Begin(2009, 3, 21, 12, 0, 0);
    watch.LoadTodayTasks();
    g_files["own"] = Tasks(FileOwner::Other, {"Mine|5|1|12:30:00|-1|0|0|planted.cmd"});
    TickTo(12, 30, 0);
    watch.LoadTodayTasks();  // the day goes on with the planted file
    TickTo(12, 30, 0);
    EXPECT_THAT(actions.With("command"), ElementsAre("12:30:00 command mine.cmd"));
    EXPECT_THAT(actions.With("refused"), ElementsAre("12:30:00 refused Mine (planted.cmd)"));
}

// A machine-wide file another user owns: its guarded tasks are refused at
// their time, the others run; an administrators' file runs everything.
TEST_F(TaskTrust, MachineFileOfAnotherUser) {
    const auto machine = {"Off|6|1|12:30:00|-1|0|0|", "Run|5|1|12:30:00|-1|0|0|evil.cmd",
                          "Nap|7|1|12:30:00|-1|0|0|", "Tune|9|1|12:30:00|-1|0|0|\\\\server\\x.mp3",
                          "Hi|1|1|12:30:00|-1|0|0|hello"};
    g_files["machine"] = Tasks(FileOwner::Other, machine);
    g_files["own"] = Tasks(FileOwner::CurrentUser, {"Me|5|1|12:30:00|-1|0|0|mine.cmd"});
    Begin(2009, 3, 21, 12, 0, 0);
    watch.LoadTodayTasks();
    TickTo(12, 30, 0);
    EXPECT_THAT(actions.With("12:30:00"),
                ElementsAre("12:30:00 command mine.cmd", "12:30:00 refused Off", "12:30:00 refused Run (evil.cmd)",
                            "12:30:00 refused Nap", "12:30:00 refused Tune (\\\\server\\x.mp3)",
                            "12:30:00 dialog-information hello"));

    g_files["machine"] = Tasks(FileOwner::Administrators, machine);
    watch.LoadTodayTasks();
    actions.log.clear();
    TickTo(12, 30, 0);
    EXPECT_TRUE(actions.With("refused").empty());
    EXPECT_THAT(actions.With("shutdown"), ElementsAre("12:30:00 shutdown"));
}

// The shared file of an older installation, copied to its owner's folder and
// still in place: each of its tasks runs once, and a task only the shared file
// holds still runs.
TEST_F(TaskTrust, TheCopiedSharedFileCountsOnce) {
    const auto copied = {"Run|5|1|12:30:00|-1|0|0|mine.cmd", "Hi|1|1|12:30:00|-1|0|0|hello"};
    g_files["own"] = Tasks(FileOwner::CurrentUser, copied);
    g_files["machine"] = Tasks(FileOwner::CurrentUser, {"Run|5|1|12:30:00|-1|0|0|mine.cmd",
                                                        "Hi|1|1|12:30:00|-1|0|0|hello", "Yo|1|1|12:30:00|-1|0|0|yo"});
    Begin(2009, 3, 21, 12, 0, 0);
    watch.LoadTodayTasks();
    TickTo(12, 30, 0);
    EXPECT_THAT(actions.With("12:30:00"),
                ElementsAre("12:30:00 command mine.cmd", "12:30:00 dialog-information hello",
                            "12:30:00 dialog-information yo"));

    // In the editor a user sees each once; an administrator, who edits the
    // shared file itself, sees all of it.
    LanguageList english = BuiltInEnglish();
    TaskEditor editor{english, 2009};
    editor.LoadTaskFiles(g_files["own"], &g_files["machine"], false);
    EXPECT_EQ(editor.Rows().size(), 3u);
    editor.LoadTaskFiles(g_files["own"], &g_files["machine"], true);
    EXPECT_EQ(editor.Rows().size(), 5u);
}

// ---- The editor ----------------------------------------------------------------

namespace {

bool AnyFile(const std::string&) { return true; }

struct TrustEditor : ::testing::Test {
    LanguageList english = BuiltInEnglish();
    TaskEditor editor{english, 2009};
    OwnedFile own = Tasks(FileOwner::Other, {"Run|5|1|10:00:00|-1|0|0|x.cmd", "Hi|1|1|10:00:00|-1|0|0|hi"});
    OwnedFile machine = Tasks(FileOwner::Administrators, {"All|6|1|22:00:00|-1|0|0|"});

    std::vector<std::string> Names(const std::vector<TaskFileLine>& lines) {
        std::vector<std::string> names;
        for (const auto& l : lines) names.push_back(l.name);
        return names;
    }
};

}  // namespace

TEST_F(TrustEditor, UntrustedRowsAreWrittenOnlyWhenConfirmed) {
    editor.LoadTaskFiles(own, &machine, false);
    ASSERT_EQ(editor.RowInfos().size(), 3u);
    EXPECT_TRUE(editor.RowInfos()[0].untrusted);   // a Command of another user's file
    EXPECT_FALSE(editor.RowInfos()[1].untrusted);  // a message: harmless
    EXPECT_TRUE(editor.RowInfos()[2].read_only);   // machine-wide, not an administrator
    EXPECT_THAT(editor.UntrustedRows(), ElementsAre(0u));
    EXPECT_EQ(editor.RowMark(0), " (not trusted)");
    EXPECT_EQ(editor.RowMark(1), "");
    EXPECT_EQ(editor.RowMark(2), " (read-only)");
    EXPECT_EQ(editor.ConfirmUntrustedText(), english.Line(kLineConfirmUntrustedTasks) + "\r\nRun (x.cmd)");

    const FileStamp now = StampOf(own);
    EXPECT_EQ(editor.PrepareSave(AnyFile, now, std::nullopt).status, TaskSaveStatus::ConfirmUntrusted);
    const TaskSavePlan plan = editor.PrepareSave(AnyFile, now, std::nullopt, {false, true});
    ASSERT_EQ(plan.status, TaskSaveStatus::Ready);
    // The machine-wide row is never copied into the user's file.
    EXPECT_THAT(Names(plan.own), ElementsAre("Run", "Hi"));
    EXPECT_FALSE(plan.machine);
    editor.Saved(plan);
    EXPECT_TRUE(editor.UntrustedRows().empty());
}

TEST_F(TrustEditor, MachineRowsAreReadOnlyToUsers) {
    editor.LoadTaskFiles(own, &machine, false);
    editor.ShowTaskRow(2);
    editor.SetName("Mine now");
    EXPECT_EQ(editor.Rows()[2][ColName], "All");
    EXPECT_FALSE(editor.DeleteSelected());
    EXPECT_EQ(editor.Rows().size(), 3u);

    // An administrator edits it, and the Save writes the machine-wide file.
    editor.LoadTaskFiles(own, &machine, true);
    editor.ShowTaskRow(2);
    editor.SetName("Everyone");
    const TaskSavePlan plan = editor.PrepareSave(AnyFile, StampOf(own), StampOf(machine), {false, true});
    ASSERT_EQ(plan.status, TaskSaveStatus::Ready);
    ASSERT_TRUE(plan.machine);
    EXPECT_THAT(Names(*plan.machine), ElementsAre("Everyone"));
}

// Another editor saved the file since this one loaded it: the Save asks, and
// after the user's own Save the file is what was loaded again.
TEST_F(TrustEditor, ChangedFileIsAConflict) {
    const OwnedFile mine = Tasks(FileOwner::CurrentUser, {"Hi|1|1|10:00:00|-1|0|0|hi"});
    editor.LoadTaskFiles(mine, nullptr, false);
    const FileStamp other = StampOf(Tasks(FileOwner::CurrentUser, {"Other|1|1|11:00:00|-1|0|0|theirs"}));
    EXPECT_EQ(editor.PrepareSave(AnyFile, other, std::nullopt).status, TaskSaveStatus::Conflict);
    EXPECT_EQ(editor.PrepareSave(AnyFile, FileStamp{}, std::nullopt).status, TaskSaveStatus::Conflict);  // deleted
    const TaskSavePlan plan = editor.PrepareSave(AnyFile, other, std::nullopt, {true, false});
    ASSERT_EQ(plan.status, TaskSaveStatus::Ready);
    editor.Saved(plan);
    const FileStamp written = StampOfBytes(TaskFileText(plan.own));
    EXPECT_EQ(editor.PrepareSave(AnyFile, written, std::nullopt).status, TaskSaveStatus::Ready);
    // A file that could not be read is never written over.
    editor.LoadTaskFiles(OwnedFile{FileReadStatus::Unreadable, {}, FileOwner::CurrentUser}, nullptr, false);
    EXPECT_EQ(editor.PrepareSave(AnyFile, FileStamp{}, std::nullopt, {true, true}).status,
              TaskSaveStatus::Unreadable);
}
