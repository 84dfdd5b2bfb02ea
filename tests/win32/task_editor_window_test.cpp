// The task editor under Wine, driven through its buttons while its modal
// loop runs.
#include <windows.h>

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
