// A recording desktop for the watch: a settable clock, players whose sound
// runs with that clock, and a log of every request stamped with the clock's
// "HH:mm:ss". The countdown's requests (tip, highlight, drop-zone texts) are
// kept as last values instead of being logged.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "waktuna/calc/datetime.h"
#include "waktuna/watch/watch.h"

namespace waktuna::fake {

class FakeClock final : public SettableClock {
public:
    void Set(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        now = EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
    }
};

struct Sound {
    std::string file;
    uint32_t length = 0;  // ms
    bool playing = false;
    bool stopped = false;
    double started = 0;    // clock value when playing began, less what was played before
    uint32_t frozen = 0;   // position while not playing
    int plays = 0;
};

class FakeActions : public NullWatchActions {
public:
    explicit FakeActions(FakeClock& clock) : clock_(clock) {}

    std::vector<std::string> log;
    std::vector<int64_t> log_at;  // the clock second of each log entry
    // The clock seconds from the opening to the closing of each dialog.
    std::vector<std::pair<int64_t, int64_t>> dialog_spans;
    std::set<std::string> files;               // files that exist
    std::map<std::string, uint32_t> lengths;   // sound lengths by file, ms (default 1000)
    std::vector<std::shared_ptr<Sound>> sounds;  // every player opened, in order
    DropZoneState drop_zone = DropZoneState::Absent;
    bool hibernate_allowed = true;
    // Runs inside every dialog that opens (not inside dropped ones).
    std::function<void()> inside_dialog;
    int open_dialogs = 0;

    std::string tip, dz_first, dz_second, date_label;
    PanelCell cell;
    int highlights = 0;
    WatchDays days;

    std::string Stamp() const { return FormatTime(clock_.now, kFormatHHmmss); }
    void Log(const std::string& what) {
        log.push_back(Stamp() + " " + what);
        log_at.push_back(ClockSecondOf(clock_.now));
    }

    bool ShowMessageDialog(DialogButtons buttons, const std::string& text, DialogKind kind) override {
        if (open_dialogs > 0) {
            Log("dialog-dropped " + text);
            return false;
        }
        static const char* const kKinds[] = {"", "error", "warning", "information", "question"};
        Log(std::string("dialog-") + kKinds[static_cast<int>(kind)] +
            (buttons == DialogButtons::OkCancel ? "-okcancel " : " ") + text);
        const int64_t opened = ClockSecondOf(clock_.now);
        ++open_dialogs;
        if (inside_dialog) inside_dialog();
        --open_dialogs;
        dialog_spans.emplace_back(opened, ClockSecondOf(clock_.now));
        return true;
    }
    void ShowBar(const std::string& first, const std::string& second, BarUse use) override {
        static const char* const kUses[] = {"bar ", "moving-text ", "information "};
        Log(kUses[static_cast<int>(use)] + first + (first == second ? "" : " | " + second));
    }
    DropZoneState GetDropZoneState() override { return drop_zone; }
    void SetDropZoneFirstText(const std::string& text) override { dz_first = text; }
    void SetDropZoneSecondText(const std::string& text) override { dz_second = text; }
    void StartDropZoneAlert() override { Log("dz-alert " + dz_first); }
    void SetTrayTip(const std::string& text) override { tip = text; }
    void HighlightCell(PanelCell c) override {
        cell = c;
        ++highlights;
    }
    void ShowDays(const WatchDays& d) override {
        days = d;
        Log("days " + FormatTime(d.today_times[Dhuhur], kFormatHHmmss));
    }
    void SetDateLabel(const std::string& text) override { date_label = text; }
    void Shutdown() override { Log("shutdown"); }
    bool IsHibernateAllowed() override { return hibernate_allowed; }
    void Hibernate() override { Log("hibernate"); }
    void MinimizeAllWindows() override { Log("minimize"); }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::unique_ptr<Player> OpenPlayer(const std::string& file) override;
    void ShowAdzanMenu(bool visible) override { Log(visible ? "adzan-menu on" : "adzan-menu off"); }
    void ShowMultimediaMenu(bool visible) override {
        Log(visible ? "multimedia-menu on" : "multimedia-menu off");
    }
    void RunCommand(const std::string& file) override { Log("command " + file); }
    void WarnRefusedTask(const std::string& task) override { Log("refused " + task); }
    void PrayerTimeArrived(Prayer, const std::string& name) override { Log("announce " + name); }

    // The log entries that contain `part`.
    std::vector<std::string> With(const std::string& part) const {
        std::vector<std::string> out;
        for (const auto& line : log) {
            if (line.find(part) != std::string::npos) out.push_back(line);
        }
        return out;
    }

    FakeClock& clock_;
};

class FakePlayer final : public Player {
public:
    FakePlayer(std::shared_ptr<Sound> sound, FakeClock& clock) : s_(std::move(sound)), clock_(clock) {}
    ~FakePlayer() override { s_->stopped = true; }
    bool Play() override {
        if (!s_->playing) {
            s_->started = clock_.now - s_->frozen / 86400000.0;
            s_->playing = true;
            ++s_->plays;
        }
        return true;
    }
    bool Pause() override {
        s_->frozen = Position();
        s_->playing = false;
        return true;
    }
    bool Resume() override { return Play(); }
    bool Stop() override {
        Pause();
        s_->stopped = true;
        return true;
    }
    uint32_t Length() override { return s_->length; }
    uint32_t Position() override {
        if (!s_->playing) return s_->frozen;
        const double ms = (clock_.now - s_->started) * 86400000.0 + 0.5;
        return ms >= s_->length ? s_->length : static_cast<uint32_t>(ms);
    }
    void Close() override { s_->stopped = true; }

private:
    std::shared_ptr<Sound> s_;
    FakeClock& clock_;
};

inline std::unique_ptr<Player> FakeActions::OpenPlayer(const std::string& file) {
    auto sound = std::make_shared<Sound>();
    sound->file = file;
    const auto it = lengths.find(file);
    sound->length = it == lengths.end() ? 1000 : it->second;
    sounds.push_back(sound);
    Log("open " + file);
    return std::make_unique<FakePlayer>(sound, clock_);
}

// A place and its twilight angles, Syafi'i, times to the second.
inline MainSettings Place(std::string area, std::string latitude, std::string longitude,
                          int32_t altitude, float timeZone, float fajr, float isha) {
    MainSettings m = StartSettings();
    m.core.time_format = std::string(kFormatHHmmss);
    m.calc.area = std::move(area);
    m.calc.latitude = std::move(latitude);
    m.calc.longitude = std::move(longitude);
    m.calc.altitude = altitude;
    m.calc.time_zone = timeZone;
    m.calc.gd = fajr;
    m.calc.gn = isha;
    m.calc.syafii = true;
    return m;
}

// Jakarta on 21 March 2009 (a Saturday), "HH:mm:ss": Shubuh 04:40:01,
// Terbit 05:56:46, Dhuhur 12:00:32, Asar 15:11:00, Maghrib 18:04:19,
// Isya 19:13:00.
inline MainSettings Jakarta() { return Place("Jakarta", "-6.175", "106.8272", 8, 7, 20, 18); }

class WatchFixture : public ::testing::Test {
protected:
    // Starts the watch at the given local time (half a second into it) and
    // forgets what start-up logged.
    void Begin(int y, int mo, int d, int h, int mi, int s) {
        clock.Set(y, mo, d, h, mi, s, 500);
        watch.Start();
        watch.SetSettings(settings);
        watch.SetProgramFolder("C:\\Waktuna\\");
        watch.RecomputeTimes();
        actions.log.clear();
        actions.log_at.clear();
    }
    // One tick a second until the clock shows hh:mm:ss (the next time it does).
    void TickTo(int h, int mi, int s) {
        const int64_t target = h * 3600 + mi * 60 + s;
        do {
            Tick();
        } while (ClockSecondOf(clock.now) % 86400 != target);
    }
    void Tick(int64_t ms = 1000) {
        clock.AdvanceMs(ms);
        watch.OnClockTick();
    }
    std::string Adzan(const char* name) {
        const std::string file = std::string("C:\\adzan\\") + name + ".wav";
        actions.files.insert(file);
        return file;
    }
    // Writes a task file of these lines (after the usual comment) and hands
    // it to the watch.
    void WriteTasks(const std::vector<std::string>& lines) {
        const std::string path = ::testing::TempDir() + "waktuna_watch_" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "; Task Scheduler Format For Waktuna v3.05\r\n\r\n";
        for (const auto& line : lines) out << line << "\r\n";
        out.close();
        watch.SetTaskFile(path);
    }

    MainSettings settings = Jakarta();
    FakeClock clock;
    FakeActions actions{clock};
    MemorySettingsStore key;
    Watch watch{actions, clock, &key};
};

}  // namespace waktuna::fake
