// The task editor (UTask): the modal window that lists, adds, changes and
// deletes the tasks of the user's Task.dat, and shows those of the
// machine-wide one (read-only unless the user is an elevated administrator).
// The rows and every rule are waktuna::TaskEditor; the window shows them and
// passes the user's changes on.
#pragma once

#include <string>

#include "ui/dialog_window.h"
#include "waktuna/pages/task_editor.h"

namespace app {

class TaskEditorWindow final : public DialogWindow {
public:
    static constexpr const char* kClassName = "WaktunaTaskEditor";
    // Posted when the task file could not be read, so that the error shows
    // over the editor once it is on the screen.
    static constexpr UINT kFileUnreadable = WM_APP + 40;

    explicit TaskEditorWindow(PageHost& host);

    void RunModal();
    bool PreTranslate(MSG& msg) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override;
    void OnControl(int id, int code) override;

private:
    bool Build();
    void OnNotify(const NMHDR& nm);
    void LoadTaskList();
    void FillList();
    void UpdateRow(size_t row);
    void SelectRow(size_t row);
    // The model's controls and dependent states into the edit controls.
    void ShowControls();
    void ShowStates();
    void Save();
    void Delete();
    // Writes the rows after asking what PrepareSave asks; true when written.
    // A changed file the user does not overwrite is loaded again.
    bool WriteFiles();
    // False, with the error shown, while the task file could not be read.
    bool MayWriteFile();
    void Browse();
    std::string TaskFile() const;
    // The machine-wide Task.dat; empty when there is none apart from the
    // user's own.
    std::string MachineTaskFile() const;

    PageHost& host_;
    waktuna::TaskEditor model_;
    HWND list_ = nullptr;
    bool showing_ = false;
};

// Opens the task editor unless it is open already.
inline void RunTaskEditor(PageHost& host) { RunOnce<TaskEditorWindow>(host); }

}  // namespace app
