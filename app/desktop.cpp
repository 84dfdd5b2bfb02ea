#include "desktop.h"

#include <windows.h>

#include <shellapi.h>

#include "windows/bar_window.h"
#include "windows/drop_zone_window.h"
#include "pages/main_page.h"
#include "media_player.h"
#include "win/power.h"
#include "win/task_command.h"
#include "waktuna/files/tasks.h"
#include "waktuna/watch/watch.h"

namespace app {

Desktop::Desktop(DesktopHost& host) : host_(host) {}
Desktop::~Desktop() = default;

bool FileExistsOnDisk(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Desktop::ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                                waktuna::DialogKind kind) {
    return host_.ShowMessageDialog(buttons, text, kind);
}

void Desktop::SetTrayTip(const std::string& text) { host_.SetTrayTip(text); }

void Desktop::HighlightCell(waktuna::PanelCell cell) {
    MainPage* page = host_.MainPanel();
    if (!page) return;
    page->HighlightCell(cell);
}

void Desktop::ShowDays(const waktuna::WatchDays& days) {
    MainPage* page = host_.MainPanel();
    if (!page) return;
    const waktuna::MainSettings& s = host_.CurrentSettings();
    PanelValues v;
    v.yesterday = days.yesterday;
    v.today = days.today_times;
    v.tomorrow = days.tomorrow;
    v.core = s.core;
    v.area = s.calc.area;
    v.latitude = s.calc.latitude;
    v.longitude = s.calc.longitude;
    v.altitude = s.calc.altitude;
    v.time_zone = days.today_zone;  // the stored TZ, or the system zone's of today
    v.syafii = s.calc.syafii;
    v.methods = s.calc.methods;
    page->FillPanel(v);
}

void Desktop::SetDateLabel(const std::string& text) { host_.SetDateLabel(text); }

void Desktop::Shutdown() { app::Shutdown(); }
bool Desktop::IsHibernateAllowed() { return app::IsHibernateAllowed(); }
void Desktop::Hibernate() { app::Hibernate(); }
void Desktop::MinimizeAllWindows() { app::MinimizeAllWindows(); }
bool Desktop::FileExists(const std::string& path) { return FileExistsOnDisk(path); }

void Desktop::ShowAdzanMenu(bool visible) { host_.ShowPlayerMenu(waktuna::kItemAdzan, visible); }

void Desktop::ShowMultimediaMenu(bool visible) {
    host_.ShowPlayerMenu(waktuna::kItemMultimedia, visible);
}

// The task file was trusted when it was read; nothing is looked up again.
void Desktop::RunCommand(const std::string& file) { RunTaskCommand(file); }

void Desktop::WarnRefusedTask(const std::string& task) { host_.WarnCommandRefused(task); }

void Desktop::ShowBar(const std::string& first, const std::string& second, waktuna::BarUse) {
    if (!bar_) bar_ = std::make_unique<BarWindow>(host_.Settings(), host_.GetLook(), host_.Language());
    bar_->ShowTexts(first, second);
}

void Desktop::HideBar() {
    if (bar_) bar_->HideNow();
}

DropZoneWindow& Desktop::DropZone() {
    if (!drop_zone_) {
        DropZoneHooks hooks;
        hooks.main_shown = [this] { return host_.IsShown(); };
        hooks.toggle_main = [this] { host_.ToggleMain(); };
        hooks.shown = [this](bool shown) { host_.SetDropZoneTick(shown); };
        hooks.flags_changed = [this](bool transparent, bool snap, bool remaining) {
            host_.SetDropZoneFlags(transparent, snap, remaining);
        };
        drop_zone_ = std::make_unique<DropZoneWindow>(host_.Settings(), host_.GetLook(),
                                                      host_.Language(), std::move(hooks));
    }
    return *drop_zone_;
}

void Desktop::ShowDropZone() { DropZone().Show(); }

void Desktop::HideDropZone() {
    if (drop_zone_) drop_zone_->Hide();
}

bool Desktop::DropZoneShown() const {
    return drop_zone_ && drop_zone_->State() != waktuna::DropZoneState::Absent &&
           drop_zone_->State() != waktuna::DropZoneState::Hidden;
}

waktuna::DropZoneState Desktop::GetDropZoneState() {
    return drop_zone_ ? drop_zone_->State() : waktuna::DropZoneState::Absent;
}

void Desktop::SetDropZoneFirstText(const std::string& text) {
    if (drop_zone_) drop_zone_->SetFirstText(text);
}

void Desktop::SetDropZoneSecondText(const std::string& text) {
    if (drop_zone_) drop_zone_->SetSecondText(text);
}

void Desktop::StartDropZoneAlert() {
    if (drop_zone_) drop_zone_->StartAlert();
}

void Desktop::ApplyDesktopSettings() {
    if (bar_) bar_->Configure();
    // The settings page's "Drop Zone" box: shown (its place, size and
    // opacity read again) or hidden as stored.
    if (host_.CurrentSettings().show_drop_zone) ShowDropZone();
    else HideDropZone();
}

void Desktop::Repaint() {
    if (drop_zone_) drop_zone_->Repaint();
    if (bar_ && bar_->Exists()) InvalidateRect(bar_->hwnd(), nullptr, FALSE);
}

std::unique_ptr<waktuna::Player> Desktop::OpenPlayer(const std::string& file) {
    MediaPlayer::Setup setup;
    setup.look = &host_.GetLook();
    setup.report = [this](const std::string& text) { host_.ReportPlayerError(text); };
    return MediaPlayer::OpenFile(file, std::move(setup));
}

}  // namespace app
