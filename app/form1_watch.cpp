// What the watch asks of the desktop, carried out by the main window. The
// bar, the drop zone and sound playback come with their own windows and
// player; until then their requests do nothing.
#include <windows.h>

#include <shellapi.h>

#include "controls.h"
#include "form1.h"
#include "main_page.h"
#include "power.h"

namespace app {

namespace {

// A player that plays nothing: it reports length 0, so the watch takes the
// sound as played to its end.
class SilentPlayer final : public waktuna::Player {
public:
    bool Play() override { return false; }
    bool Pause() override { return false; }
    bool Resume() override { return false; }
    bool Stop() override { return false; }
    uint32_t Length() override { return 0; }
    uint32_t Position() override { return 0; }
    void Close() override {}
};

}  // namespace

void Form1::ShowBar(const std::string&, const std::string&, waktuna::BarUse) {}
waktuna::DropZoneState Form1::GetDropZoneState() { return waktuna::DropZoneState::Absent; }
void Form1::SetDropZoneFirstText(const std::string&) {}
void Form1::SetDropZoneSecondText(const std::string&) {}
void Form1::StartDropZoneAlert() {}

void Form1::SetTrayTip(const std::string& text) { tray_.SetTip(text); }

void Form1::HighlightCell(waktuna::PanelCell cell) {
    if (!main_page_) return;
    int row = 0;
    for (int r = 0; r < 6; ++r)
        if (waktuna::kDayOrder[r] == cell.prayer) row = r;
    main_page_->HighlightCell(row, cell.tomorrow ? MainPage::kTomorrow : MainPage::kToday);
}

void Form1::ShowDays(const waktuna::WatchDays& days) {
    if (!main_page_) return;
    PanelValues v;
    v.yesterday = days.yesterday;
    v.today = days.today_times;
    v.tomorrow = days.tomorrow;
    v.time_format = settings_.core.time_format;
    v.area = settings_.calc.area;
    v.latitude = settings_.calc.latitude;
    v.longitude = settings_.calc.longitude;
    v.altitude = settings_.calc.altitude;
    v.time_zone = settings_.calc.time_zone;
    v.syafii = settings_.calc.syafii;
    v.methods = settings_.calc.methods;
    main_page_->FillPanel(v);
}

void Form1::SetDateLabel(const std::string& text) { SetText(date_label_, text); }

void Form1::Shutdown() { app::Shutdown(); }
bool Form1::IsHibernateAllowed() { return app::IsHibernateAllowed(); }
void Form1::Hibernate() { app::Hibernate(); }
void Form1::MinimizeAllWindows() { app::MinimizeAllWindows(); }

bool Form1::FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<waktuna::Player> Form1::OpenPlayer(const std::string&) {
    return std::make_unique<SilentPlayer>();
}

void Form1::ShowAdzanMenu(bool visible) { ShowSubmenu(waktuna::kItemAdzan, adzan_menu_, visible); }

void Form1::ShowMultimediaMenu(bool visible) {
    ShowSubmenu(waktuna::kItemMultimedia, multimedia_menu_, visible);
}

void Form1::RunCommand(const std::string& file) {
    ShellExecuteA(hwnd(), "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace app
