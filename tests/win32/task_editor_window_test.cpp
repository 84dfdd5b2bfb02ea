// The task editor under Wine, driven through its buttons while its modal
// loop runs.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "modal_steps.h"
#include "recording_host.h"
#include "windows/task_editor_window.h"
#include "waktuna/files/files.h"

using namespace app;

namespace {

void RunEditor(PageHost& host, std::vector<modal_steps::StepFn> steps) {
    RunWithSteps(TaskEditorWindow::kClassName, std::move(steps), [&] { RunTaskEditor(host); });
}

void Press(HWND window, const char* caption) {
    HWND button = FindWindowExA(window, nullptr, "Button", caption);
    ASSERT_TRUE(button) << caption;
    SendMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace

// Another program held Task.dat while the editor read it and lets go of it
// before the user presses Save or Delete: the tasks the editor could not
// show must not be replaced by an empty list.
TEST(TaskEditorWindow, AFileThatCouldNotBeReadIsNeverWritten) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "waktuna-tasks";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "Task.dat";
    const std::string tasks = "; comment\r\n\r\nSubuh|1|1|04:30:00|-1|0|0|Bangun\r\n";
    std::ofstream(file, std::ios::binary) << tasks;
    HANDLE held = CreateFileW(file.wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    RecordingHost host;
    host.folder = folder.string() + "\\";
    const std::string unreadable = host.language.Line(waktuna::kLineTaskFileUnreadable);
    RunEditor(host, {
        [&](HWND w) {
            ASSERT_EQ(host.dialogs.size(), 1u);
            EXPECT_EQ(host.dialogs[0].substr(0, unreadable.size()), unreadable);
            CloseHandle(held);
            held = nullptr;
            Press(w, "Add");
            Press(w, "Save");
            Press(w, "Delete");
            EXPECT_EQ(host.dialogs.size(), 3u);
            EXPECT_EQ(host.errors, 3);
            // Read again, the file's tasks are there and may be saved.
            Press(w, "Cancel");
            Press(w, "Save");
        },
        [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); },
    });
    if (held) CloseHandle(held);
    EXPECT_EQ(host.dialogs.size(), 3u);
    const std::string saved = waktuna::ReadWholeFile(file.string()).value_or("");
    EXPECT_NE(saved.find("Subuh|1|1|04:30:00|-1|0|0|Bangun\r\n"), std::string::npos) << saved;
    std::filesystem::remove_all(folder);
}

namespace {

HWND List(HWND window) { return FindWindowExA(window, nullptr, "SysListView32", nullptr); }

std::string ItemText(HWND list, int item) {
    char text[256] = "";
    ListView_GetItemText(list, item, 0, text, sizeof text);
    return text;
}

std::string Read(const std::filesystem::path& file) { return waktuna::ReadWholeFile(file.string()).value_or(""); }

}  // namespace

// Another editor saved Task.dat after this one opened it: Save asks instead
// of dropping that change. Cancel shows the file as it is now; OK overwrites.
TEST(TaskEditorWindow, ASaveOverAChangedFileAsksFirst) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "waktuna-tasks-changed";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "Task.dat";
    const std::string subuh = "Subuh|1|1|04:30:00|-1|0|0|Bangun\r\n", zuhur = "Zuhur|1|1|12:00:00|-1|0|0|Lain\r\n";
    std::ofstream(file, std::ios::binary) << subuh;

    RecordingHost host;
    host.folder = folder.string() + "\\";
    const std::string changed = host.language.Line(waktuna::kLineTaskFileChanged);
    RunEditor(host, {
        [&](HWND w) {
            std::ofstream(file, std::ios::binary) << subuh << zuhur;  // the other editor's Save
            host.answer = false;
            Press(w, "Add");
            Press(w, "Save");
            ASSERT_EQ(host.dialogs.size(), 1u);
            EXPECT_EQ(host.dialogs[0], changed);
            EXPECT_EQ(Read(file), subuh + zuhur);
            // Cancel loaded the file again: both tasks, and a Save keeps them.
            EXPECT_EQ(ListView_GetItemCount(List(w)), 2);
            Press(w, "Save");
            EXPECT_EQ(host.dialogs.size(), 1u);
            EXPECT_NE(Read(file).find(subuh + zuhur), std::string::npos) << Read(file);

            std::ofstream(file, std::ios::binary) << "Asar|1|1|15:00:00|-1|0|0|Lain\r\n";
            host.answer = true;
            Press(w, "Save");
            EXPECT_EQ(host.dialogs.size(), 2u);
            EXPECT_EQ(Read(file).find("Asar"), std::string::npos);  // overwritten, as chosen
            EXPECT_NE(Read(file).find(zuhur), std::string::npos);
        },
        [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); },
    });
    std::filesystem::remove_all(folder);
}

// The machine-wide tasks are listed after the user's own, marked read-only
// for a user who may not write them: Delete leaves them alone and a Save
// writes only the user's own file, in a folder made on this first save.
TEST(TaskEditorWindow, MachineWideTasksAreReadOnly) {
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "waktuna-tasks-machine";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "machine");
    const std::string imsak = "Imsak|1|1|04:20:00|-1|0|0|Semua\r\n";
    std::ofstream(root / "machine" / "Task.dat", std::ios::binary) << imsak;

    RecordingHost host;
    host.folder = (root / "machine").string() + "\\";
    host.user_folder = (root / "roaming" / "waktuna3").string() + "\\";
    RunEditor(host, {
        [&](HWND w) {
            HWND list = List(w);
            ASSERT_EQ(ListView_GetItemCount(list), 1);
            EXPECT_EQ(ItemText(list, 0), "Imsak (read-only)");
            ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            Press(w, "Delete");
            EXPECT_TRUE(host.dialogs.empty());
            EXPECT_EQ(ListView_GetItemCount(list), 1);
            Press(w, "Add");
            Press(w, "Save");
            EXPECT_TRUE(host.dialogs.empty());
        },
        [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); },
    });
    const std::string own = Read(root / "roaming" / "waktuna3" / "Task.dat");
    EXPECT_NE(own.find("New|"), std::string::npos) << own;
    EXPECT_EQ(own.find("Imsak"), std::string::npos) << own;
    EXPECT_EQ(Read(root / "machine" / "Task.dat"), imsak);
    std::filesystem::remove_all(root);
}
