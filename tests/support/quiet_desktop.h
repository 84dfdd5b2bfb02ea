// A desktop for the watch that does what it is asked at once and shows
// nothing: every file exists, every sound has ended as soon as it starts,
// hibernation is possible and the drop zone shows the countdown. For
// benchmarks and fuzzing, where only the watch's own work counts.
#pragma once

#include <memory>
#include <string>

#include "waktuna/watch/watch_actions.h"

namespace waktuna {

class QuietPlayer final : public Player {
public:
    bool Play() override { return true; }
    bool Pause() override { return true; }
    bool Resume() override { return true; }
    bool Stop() override { return true; }
    uint32_t Length() override { return 0; }
    uint32_t Position() override { return 0; }
    void Close() override {}
};

class QuietDesktop final : public WatchActions {
public:
    bool ShowMessageDialog(DialogButtons, const std::string&, DialogKind) override { return true; }
    void ShowBar(const std::string&, const std::string&, BarUse) override {}
    DropZoneState GetDropZoneState() override { return DropZoneState::Visible; }
    void SetDropZoneFirstText(const std::string&) override {}
    void SetDropZoneSecondText(const std::string&) override {}
    void StartDropZoneAlert() override {}
    void SetTrayTip(const std::string& text) override { tip = text; }
    void HighlightCell(PanelCell) override {}
    void ShowDays(const WatchDays&) override {}
    void SetDateLabel(const std::string&) override {}
    void Shutdown() override {}
    bool IsHibernateAllowed() override { return true; }
    void Hibernate() override {}
    void MinimizeAllWindows() override {}
    bool FileExists(const std::string&) override { return true; }
    std::unique_ptr<Player> OpenPlayer(const std::string&) override {
        return std::make_unique<QuietPlayer>();
    }
    void ShowAdzanMenu(bool) override {}
    void ShowMultimediaMenu(bool) override {}
    void RunCommand(const std::string&) override {}

    std::string tip;  // the last tip, for a check that the countdown ran
};

}  // namespace waktuna
