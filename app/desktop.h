// What the watch asks of the desktop, carried out by the windows that exist:
// the message dialog, the tray tip and menus and the panel through the main
// window, power actions and commands directly.
#pragma once

#include <memory>
#include <string>

#include "waktuna/watch/watch_actions.h"

namespace app {

class Form1;

class Desktop final : public waktuna::NullWatchActions {
public:
    explicit Desktop(Form1& form) : form_(form) {}

    bool ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                           waktuna::DialogKind kind) override;
    void SetTrayTip(const std::string& text) override;
    void HighlightCell(waktuna::PanelCell cell) override;
    void ShowDays(const waktuna::WatchDays& days) override;
    void SetDateLabel(const std::string& text) override;
    void Shutdown() override;
    bool IsHibernateAllowed() override;
    void Hibernate() override;
    void MinimizeAllWindows() override;
    bool FileExists(const std::string& path) override;
    void ShowAdzanMenu(bool visible) override;
    void ShowMultimediaMenu(bool visible) override;
    void RunCommand(const std::string& file) override;

private:
    Form1& form_;
};

// True for an existing file (not a folder).
bool FileExistsOnDisk(const std::string& path);

}  // namespace app
