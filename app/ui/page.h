// A page of the main window (the panel and the setting pages): created on
// first use, then hidden and shown. A page asks the main window for things
// only through PageHost, so it can be driven with a fake host in tests.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "ui/control_table.h"
#include "ui/gdi.h"
#include "ui/look.h"
#include "win/power.h"
#include "waktuna/calc/time_zone.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings_store.h"
#include "waktuna/watch/tray_menu.h"
#include "waktuna/watch/watch_actions.h"
#include "ui/window.h"

namespace app {

class PageHost {
public:
    virtual ~PageHost() = default;

    // ---- What the main window does for a page ----------------------------------
    // Reads the settings key again and applies it (language, skin, alerts).
    virtual void LoadSettings() = 0;
    // Yesterday's, today's and tomorrow's times again, on the panel and in the watch.
    virtual void RecomputeTimes() = 0;
    // A Hijri correction that was just stored takes effect: the dates and
    // times are computed again with it, and nothing else is read again (a
    // skin or language being previewed stays).
    virtual void ApplyHijriCorrection(int8_t days) = 0;
    // The short notice over the page area: "Setting saved", or the text a
    // page gives.
    virtual void ShowSavedNotice(const std::string& text = {}) = 0;
    // The program's message dialog; true when OK was pressed.
    virtual bool ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                                   waktuna::DialogKind kind) = 0;
    virtual void OpenPage(waktuna::Page page) = 0;
    // Today's task list read again from the task file (after the editor saved).
    virtual void ReloadTodayTasks() = 0;
    // Shows every open window in this skin / language without storing it.
    virtual void PreviewSkin(int32_t skin) = 0;
    virtual void PreviewLanguage(const std::string& name) = 0;
    // The bar and the drop zone laid out again from the settings key.
    virtual void ApplyDesktopSettings() = 0;
    // A sample message dialog opening with this entrance effect (0 Random,
    // 1 Normal, 2..8 Effect 1..7), whatever effect is stored.
    virtual void ShowEffectSample(int effect) {
        ShowMessageDialog(waktuna::DialogButtons::Ok, "Sample", waktuna::DialogKind::Information);
    }
    // The drop zone window shown or hidden without storing it; whether it is
    // visible (nullopt while it does not exist).
    virtual void ShowDropZone(bool visible) {}
    virtual std::optional<bool> DropZoneVisible() const { return std::nullopt; }
    // The help file in the viewer, or the error when it is missing.
    virtual void OpenHelp() {}
    // The global hot key registered again from the settings key; false when
    // another program holds that key combination.
    virtual bool ApplyHotKey() { return true; }

    // ---- What a page reads -------------------------------------------------------
    // The settings key (every write reports whether it was stored).
    virtual waktuna::SettingsStore& Settings() = 0;
    virtual const waktuna::LanguageList& Language() const = 0;
    virtual const Look& GetLook() const = 0;
    // The program's folder and the application-data folder, each ending in "\".
    virtual const std::string& ProgramFolder() const = 0;
    virtual const std::string& AppDataFolder() const = 0;
    // The user's own data folder (ending in "\\"; it may not exist yet) and
    // whether the user may write the machine-wide task file.
    virtual std::string UserDataFolder() const { return GetUserDataFolder(); }
    virtual bool MayWriteMachineTasks() const { return IsElevatedAdministrator(); }
    // The owner of the page's modal windows and common dialogs.
    virtual HWND DialogOwner() const = 0;
    // A player on a sound file (never null for an existing file).
    virtual std::unique_ptr<waktuna::Player> OpenPlayer(const std::string& file) = 0;
    // Hours east of UTC of today's times for a FollowWindowsZone choice and a
    // TZ: the system zone's offset today (daylight saving included) when
    // `follow`, else `fixedHours`. A host without a system zone (a test's)
    // gives `fixedHours`.
    virtual float TimeZoneInForceToday(bool follow, float fixedHours) const {
        (void)follow;
        return fixedHours;
    }
    // The system's time-zone rule (for timetables that follow it); nullptr
    // for a host without one.
    virtual const waktuna::ZoneRule* SystemZone() const { return nullptr; }
};

class Page : public Window {
public:
    explicit Page(PageHost& host) : host_(host) {}

    // Creates the page, hidden, 5 pixels inside `area` of the parent, and
    // its controls (Build).
    bool Create(HWND parent, const RECT& area);
    // Moves the page 5 pixels inside `area` (after the parent's DPI changed).
    void Place(const RECT& area);
    // Showing a page takes the current colours and captions and refreshes it
    // from its model.
    void Show(bool visible);

    // Captions from the current language list.
    virtual void ApplyLanguage();
    // Colours from the current skin; repaints.
    virtual void ApplyColours();
    // The model's values shown in the controls (read again when shown).
    virtual void Refresh() {}
    // The page goes out of sight (another page opened, the main window
    // hidden): what it previewed without Save is put back.
    virtual void Leave() {}
    // The drop zone window was shown or hidden, from wherever.
    virtual void OnDropZoneShown(bool shown) { (void)shown; }

protected:
    virtual const char* ClassName() const = 0;
    // Creates the controls (usually controls_.Create with the page's table).
    virtual void Build() = 0;
    // WM_COMMAND from a control of the page.
    virtual void OnCommand(int id, int code) {}
    // The page's background; the page colour by default.
    virtual void PaintPage(HDC dc, const RECT& client);
    // The table's controls laid out and given fonts for the new DPI; pages
    // that place more call this first.
    void OnDpiChanged() override;

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    PageHost& host_;
    ControlSet controls_;
    Brush page_brush_;
};

// The pages and windows the side panel and the tray menu open, by
// waktuna::Page. A page lives in the main window; a window of its own (task
// scheduler, converter) is run modally each time.
struct PageEntry {
    waktuna::Page page;
    std::unique_ptr<Page> (*make)(PageHost& host) = nullptr;
    void (*run)(PageHost& host) = nullptr;
};

// The entry of a page; nullptr for a page the program does not have.
const PageEntry* FindPage(waktuna::Page page);

}  // namespace app
