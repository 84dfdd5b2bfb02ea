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

class QuietDesktop final : public NullWatchActions {
public:
    bool ShowMessageDialog(DialogButtons, const std::string&, DialogKind) override { return true; }
    DropZoneState GetDropZoneState() override { return DropZoneState::Visible; }
    void SetTrayTip(const std::string& text) override { tip = text; }
    bool IsHibernateAllowed() override { return true; }
    bool FileExists(const std::string&) override { return true; }
    std::unique_ptr<Player> OpenPlayer(const std::string&) override {
        return std::make_unique<QuietPlayer>();
    }

    std::string tip;  // the last tip, for a check that the countdown ran
};

}  // namespace waktuna
