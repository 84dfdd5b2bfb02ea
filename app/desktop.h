// What the watch asks of the desktop, carried out by the windows that exist:
// the message dialog, the tray tip and menus and the panel through the main
// window, power actions and commands directly.
#pragma once

#include <memory>
#include <string>

#include "waktuna/watch/watch_actions.h"

namespace app {

class BarWindow;
class DropZoneWindow;
class Form1;

class Desktop final : public waktuna::NullWatchActions {
public:
    explicit Desktop(Form1& form);
    ~Desktop() override;

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
    void ShowBar(const std::string& first, const std::string& second,
                 waktuna::BarUse use) override;
    waktuna::DropZoneState GetDropZoneState() override;
    void SetDropZoneFirstText(const std::string& text) override;
    void SetDropZoneSecondText(const std::string& text) override;
    void StartDropZoneAlert() override;
    // An MCI player; video plays in MCI's own window.
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string& file) override;

    // ---- The bar and the drop zone for the main window ----------------------
    // The message dialog's OK and Cancel take the bar away at once.
    void HideBar();
    void ShowDropZone();
    void HideDropZone();
    bool DropZoneShown() const;
    // The bar placed again, and the drop zone shown or hidden as
    // ShowDropZone says, from the settings key.
    void ApplyDesktopSettings();
    // Skin or language changed.
    void Repaint();

private:
    DropZoneWindow& DropZone();

    Form1& form_;
    std::unique_ptr<BarWindow> bar_;
    std::unique_ptr<DropZoneWindow> drop_zone_;
};

// True for an existing file (not a folder).
bool FileExistsOnDisk(const std::string& path);

}  // namespace app
