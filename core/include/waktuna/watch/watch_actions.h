// What the watch (watch.h) asks the desktop to do. The watch decides; an
// implementation of WatchActions carries each request out and decides
// nothing itself. The Windows program implements it in its main window; the
// tests and `waktuna-cli agenda` implement it with recorders.
//
// Every call comes on the thread that runs the watch. Only
// ShowMessageDialog may run the watch again before it returns (a modal
// dialog's message loop delivers further clock ticks); the watch is ready for
// that, and no other call may do it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "waktuna/calc/prayer.h"
#include "waktuna/look/dialog_kind.h"

namespace waktuna {

// One sound (or video) file opened for playing. Positions are milliseconds.
// A file that exists but cannot be opened or decoded still gives a player;
// it reports length 0 and position 0, so it counts as played to its end.
class Player {
public:
    // Destroying a player stops it and closes its device before returning.
    virtual ~Player() = default;
    // From the current position to the end: a new player plays the whole
    // file, a paused or stopped one continues.
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    virtual bool Stop() = 0;
    virtual uint32_t Length() = 0;
    virtual uint32_t Position() = 0;
    virtual void Close() = 0;
    // Played to its end. A device may know better than its position (a
    // variable-bitrate file ends short of its announced length).
    virtual bool Finished() { return Length() <= Position(); }
};

// The drop zone window as the watch needs to know it.
enum class DropZoneState {
    Absent,    // never created
    Hidden,    // created, not visible
    Visible,   // visible and showing the countdown
    Alerting,  // visible and flashing for a prayer time
};

// The panel cell to mark red: a prayer of today's column, or of tomorrow's
// once today's last time has passed.
struct PanelCell {
    bool tomorrow = false;
    Prayer prayer = Shubuh;
    friend bool operator==(const PanelCell&, const PanelCell&) = default;
};

// The three columns of the prayer-times panel after a recomputation.
struct WatchDays {
    DateTime today = 0;  // whole day
    PrayerTimes yesterday{};
    PrayerTimes today_times{};
    PrayerTimes tomorrow{};
    float today_zone = 0;  // hours east of UTC of today's times
};

// What a bar request is for. The bar shows the same way for all three; the
// use only tells observers (the agenda) what they are seeing.
enum class BarUse {
    Message,      // an alert; a message dialog with the same text follows
    MovingText,   // a Moving Text task
    Information,  // the periodic information on the day's times
};

class WatchActions {
public:
    virtual ~WatchActions() = default;

    // ---- Messages ----------------------------------------------------------
    // The modal message dialog; true when OK was pressed. While one is open a
    // further request does nothing and returns false (the text is dropped).
    // It closes itself after 50 seconds. Its message loop keeps delivering
    // the clock ticks, so the watch may run inside this call.
    virtual bool ShowMessageDialog(DialogButtons buttons, const std::string& text,
                                   DialogKind kind) = 0;
    // The taskbar bar: create it when it does not exist, show it, bring it to
    // the front and set its two texts.
    virtual void ShowBar(const std::string& first, const std::string& second, BarUse use) = 0;

    // ---- Drop zone, notification area, panel ---------------------------------
    virtual DropZoneState GetDropZoneState() = 0;
    virtual void SetDropZoneFirstText(const std::string& text) = 0;
    virtual void SetDropZoneSecondText(const std::string& text) = 0;
    // Start the drop zone's prayer-time flashing (only asked when it exists).
    virtual void StartDropZoneAlert() = 0;
    // The notification-area tip; at most 63 characters, CR between lines.
    virtual void SetTrayTip(const std::string& text) = 0;
    // Mark exactly this cell red (asked every second; nothing needs redrawing
    // when it is already the red one).
    virtual void HighlightCell(PanelCell cell) = 0;
    // Fill the panel's three columns (each time written in the current time
    // format) after the times were recomputed.
    virtual void ShowDays(const WatchDays& days) = 0;
    // The header's date label.
    virtual void SetDateLabel(const std::string& text) = 0;

    // ---- Power and windows ---------------------------------------------------
    virtual void Shutdown() = 0;
    virtual bool IsHibernateAllowed() = 0;
    virtual void Hibernate() = 0;
    virtual void MinimizeAllWindows() = 0;

    // ---- Sounds and tasks ----------------------------------------------------
    virtual bool FileExists(const std::string& path) = 0;
    // A player on the file, with the main window as its display window.
    // Never null for an existing file (see Player).
    virtual std::unique_ptr<Player> OpenPlayer(const std::string& file) = 0;
    // The tray menu's "Adzan" and "Multimedia" submenus.
    virtual void ShowAdzanMenu(bool visible) = 0;
    virtual void ShowMultimediaMenu(bool visible) = 0;
    // A Command task: open the file with the shell (verb "open", no
    // parameters, shown); the outcome is not reported.
    virtual void RunCommand(const std::string& file) = 0;
    // A task that was not run because its task file is not trusted (see
    // tasks.h): `task` names it (RefusedTaskText). The desktop lists such
    // tasks in one warning (language line 270), shown after this call
    // returns.
    virtual void WarnRefusedTask(const std::string& task) {}

    // ---- Observation only ------------------------------------------------------
    // A prayer time has arrived; the announcement's own requests follow. The
    // desktop needs nothing here.
    virtual void PrayerTimeArrived(Prayer prayer, const std::string& name) {}
};

// A player that plays nothing: length 0, so the watch takes the sound as
// played to its end at once.
class SilentPlayer final : public Player {
public:
    bool Play() override { return false; }
    bool Pause() override { return false; }
    bool Resume() override { return false; }
    bool Stop() override { return false; }
    uint32_t Length() override { return 0; }
    uint32_t Position() override { return 0; }
    void Close() override {}
};

// A desktop where nothing happens: no dialog (OK is never pressed), no drop
// zone, no files, no hibernation, silent players. Recorders and desktops
// that carry out only part of the requests derive from it.
class NullWatchActions : public WatchActions {
public:
    bool ShowMessageDialog(DialogButtons, const std::string&, DialogKind) override { return false; }
    void ShowBar(const std::string&, const std::string&, BarUse) override {}
    DropZoneState GetDropZoneState() override { return DropZoneState::Absent; }
    void SetDropZoneFirstText(const std::string&) override {}
    void SetDropZoneSecondText(const std::string&) override {}
    void StartDropZoneAlert() override {}
    void SetTrayTip(const std::string&) override {}
    void HighlightCell(PanelCell) override {}
    void ShowDays(const WatchDays&) override {}
    void SetDateLabel(const std::string&) override {}
    void Shutdown() override {}
    bool IsHibernateAllowed() override { return false; }
    void Hibernate() override {}
    void MinimizeAllWindows() override {}
    bool FileExists(const std::string&) override { return false; }
    std::unique_ptr<Player> OpenPlayer(const std::string&) override {
        return std::make_unique<SilentPlayer>();
    }
    void ShowAdzanMenu(bool) override {}
    void ShowMultimediaMenu(bool) override {}
    void RunCommand(const std::string&) override {}
};

}  // namespace waktuna
