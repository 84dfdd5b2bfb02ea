// What the watch asks of the desktop, carried out by the windows that exist:
// the message dialog, the tray tip and menus and the panel through the main
// window (DesktopHost), power actions and commands directly.
#pragma once

#include <memory>
#include <string>

#include "waktuna/files/language.h"
#include "waktuna/settings/settings.h"
#include "waktuna/watch/watch_actions.h"

namespace app {

class BarWindow;
class DropZoneWindow;
class Look;
class MainPage;

// All the desktop may ask of the main window, so that it can be tested
// with a fake and never reaches into the main window's state.
class DesktopHost {
public:
    virtual ~DesktopHost() = default;

    // The settings as last loaded, and the settings key itself.
    virtual const waktuna::MainSettings& CurrentSettings() const = 0;
    virtual waktuna::SettingsStore& Settings() = 0;
    virtual const waktuna::LanguageList& Language() const = 0;
    virtual const Look& GetLook() const = 0;
    virtual const std::string& AppDataFolder() const = 0;
    virtual bool ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                                   waktuna::DialogKind kind) = 0;
    // The prayer-times panel; nullptr until it exists.
    virtual MainPage* MainPanel() const = 0;
    virtual void SetDateLabel(const std::string& text) = 0;
    virtual void SetTrayTip(const std::string& text) = 0;
    virtual bool IsShown() const = 0;
    // Hides a shown main window; shows a hidden one in front.
    virtual void ToggleMain() = 0;
    // The tray menu's player submenus ("Adzan", "Multimedia") shown or removed.
    virtual void ShowPlayerMenu(int item, bool visible) = 0;
    // The drop zone was shown or hidden: the tray menu's tick follows.
    virtual void SetDropZoneTick(bool shown) = 0;
    // The drop zone's menu changed dzTransparent, dzSnap or dzRemaining.
    virtual void SetDropZoneFlags(bool transparent, bool snap, bool remaining) = 0;
    // A task of an untrusted task file was not run: the user is warned once
    // the watch's tick has ended, since a dialog opened inside it would run
    // the watch again.
    virtual void WarnCommandRefused(const std::string& task) = 0;
    // A player refused to open: the error is shown once the message loop
    // runs again, for the same reason.
    virtual void ReportPlayerError(const std::string& text) = 0;
};

class Desktop final : public waktuna::NullWatchActions {
public:
    explicit Desktop(DesktopHost& host);
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
    void WarnRefusedTask(const std::string& task) override;
    void ShowBar(const std::string& first, const std::string& second,
                 waktuna::BarUse use) override;
    waktuna::DropZoneState GetDropZoneState() override;
    void SetDropZoneFirstText(const std::string& text) override;
    void SetDropZoneSecondText(const std::string& text) override;
    void StartDropZoneAlert() override;
    // An MCI player; a video plays in a window of ours.
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

    DesktopHost& host_;
    std::unique_ptr<BarWindow> bar_;
    std::unique_ptr<DropZoneWindow> drop_zone_;
};

// True for an existing file (not a folder).
bool FileExistsOnDisk(const std::string& path);

}  // namespace app
