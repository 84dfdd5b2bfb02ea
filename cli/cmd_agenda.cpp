// waktuna-cli agenda: the reminder's own watch run through a day with a
// simulated clock, printing what it would do, second by second.
#include <cstdio>
#include <memory>
#include <optional>

#include "args.h"
#include "commands.h"
#include "waktuna/files/files.h"
#include "waktuna/settings/settings_file.h"
#include "waktuna/watch/watch.h"
#include "zone_option.h"

namespace cli {

namespace {

using namespace waktuna;

// A sound that plays for a fixed time of the simulated clock.
class SimulatedPlayer final : public Player {
public:
    SimulatedPlayer(const SettableClock& clock, uint32_t lengthMs) : clock_(clock), length_(lengthMs) {}
    bool Play() override {
        if (!playing_) start_ = clock_.now - played_ / 86400000.0;
        playing_ = true;
        return true;
    }
    bool Pause() override {
        played_ = Position();
        playing_ = false;
        return true;
    }
    bool Resume() override { return Play(); }
    bool Stop() override { return Pause(); }
    uint32_t Length() override { return length_; }
    uint32_t Position() override {
        if (!playing_) return played_;
        const double ms = (clock_.now - start_) * 86400000.0 + 0.5;
        return ms >= length_ ? length_ : static_cast<uint32_t>(ms);
    }
    void Close() override { playing_ = false; }

private:
    const SettableClock& clock_;
    uint32_t length_;
    bool playing_ = false;
    double start_ = 0;
    uint32_t played_ = 0;
};

// Prints each request as "HH:mm:ss<TAB>action<TAB>text". The countdown's
// refreshes (tip, drop-zone texts, highlight) and the menus are not printed;
// an alert's bar and the dialog with the same text make one "bar+dialog" line.
class AgendaDesktop final : public NullWatchActions {
public:
    AgendaDesktop(const SettableClock& clock, bool dropZone, uint32_t soundMs, std::string duaPath)
        : clock_(clock), drop_zone_(dropZone), sound_ms_(soundMs), dua_path_(std::move(duaPath)) {}

    bool ShowMessageDialog(DialogButtons, const std::string& text, DialogKind kind) override {
        if (pending_bar_ && *pending_bar_ == text && kind == DialogKind::Information) {
            pending_bar_.reset();
            Emit("bar+dialog", text);
            return true;
        }
        static const char* const kKinds[] = {"dialog", "dialog-error", "dialog-warning", "dialog",
                                             "dialog-question"};
        Emit(kKinds[static_cast<int>(kind)], text);
        return true;
    }
    void ShowBar(const std::string& first, const std::string& second, BarUse use) override {
        Flush();
        if (use == BarUse::Message) {
            pending_bar_ = first;
        } else if (use == BarUse::MovingText) {
            Emit("moving-text", first);
        } else {
            Emit("information", first + " " + second);
        }
    }
    DropZoneState GetDropZoneState() override {
        return drop_zone_ ? DropZoneState::Visible : DropZoneState::Absent;
    }
    void SetDropZoneFirstText(const std::string& text) override { drop_zone_text_ = text; }
    void StartDropZoneAlert() override { Emit("drop-zone", drop_zone_text_); }
    void Shutdown() override { Emit("shutdown", ""); }
    bool IsHibernateAllowed() override { return true; }
    void Hibernate() override { Emit("hibernate", ""); }
    void MinimizeAllWindows() override { Emit("minimize", ""); }
    // The sounds and files named are taken to be there; an empty name is not.
    bool FileExists(const std::string& path) override { return !path.empty(); }
    std::unique_ptr<Player> OpenPlayer(const std::string& file) override {
        const char* what = multimedia_ ? "play-media" : file == dua_path_ ? "play-dua" : "play-adzan";
        Emit(what, file);
        return std::make_unique<SimulatedPlayer>(clock_, sound_ms_);
    }
    void ShowAdzanMenu(bool) override { multimedia_ = false; }
    void ShowMultimediaMenu(bool) override { multimedia_ = true; }
    void RunCommand(const std::string& file) override { Emit("command", file); }
    void PrayerTimeArrived(Prayer, const std::string& name) override { Emit("announce", name); }

    void Flush() {
        if (pending_bar_) Line("bar", *pending_bar_);
        pending_bar_.reset();
    }
    std::string out;

private:
    void Emit(const char* action, const std::string& text) {
        Flush();
        Line(action, text);
    }
    void Line(const char* action, const std::string& text) {
        out += FormatTime(clock_.now, kFormatHHmmss) + '\t' + action + '\t' + text + '\n';
    }

    const SettableClock& clock_;
    bool drop_zone_;
    uint32_t sound_ms_;
    std::string dua_path_;
    bool multimedia_ = false;
    std::string drop_zone_text_;
    std::optional<std::string> pending_bar_;
};

Hms ClockOption(const Args& args, const char* name, const char* fallback) {
    const std::string text = args.Get(name, fallback);
    Hms t;
    if (!ParseClockText(text, t)) {
        throw UsageError{std::string("option --") + name + ": '" + text + "' is not a time HH:mm:ss"};
    }
    return t;
}

std::string ReadOptionFile(const Args& args, const char* name) {
    const std::string path = args.Get(name);
    const auto bytes = ReadWholeFile(path);
    if (!bytes) throw UsageError{std::string("option --") + name + ": cannot read '" + path + "'"};
    return *bytes;
}

}  // namespace

int Agenda(int argc, char** argv) {
    const Args args(argc, argv, 2,
                    {{"settings", true}, {"tasks", true}, {"language", true}, {"date", true},
                     {"from", true}, {"to", true}, {"sound-length", true},
                     {"zone", true}});
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli agenda --settings FILE.sav [--tasks Task.dat] [--language FILE.wlp]\n"
            "                          [--date YYYY-MM-DD] [--from HH:mm:ss] [--to HH:mm:ss]\n"
            "                          [--sound-length SECONDS] [--zone NAME]\n"
            "What the reminder does on a day with the settings of a settings file: its\n"
            "watch runs tick by tick from --from (default 00:00:00) to --to (default\n"
            "23:59:59) and each action is printed as the second, TAB, the action, TAB,\n"
            "its text: announce, drop-zone, play-adzan, play-dua, play-media, bar,\n"
            "bar+dialog, dialog (-warning, -error, -question), information, moving-text,\n"
            "command, minimize, shutdown, hibernate. The program is taken to start at\n"
            "--from: the tasks of the program-start kind run then, and the information\n"
            "comes every ShowInformation minutes after it. Sounds\n"
            "and files named are taken to exist and each sound to last --sound-length\n"
            "seconds (default 180); hibernation is taken to be possible.\n"
            "--zone NAME takes the day's offset from that time zone instead of TZ, as\n"
            "FollowWindowsZone = 1 does with the system's zone.\n");
        return 0;
    }
    if (!args.Has("settings")) throw UsageError{"option --settings is required"};
    const std::string settings_text = ReadOptionFile(args, "settings");
    MemorySettingsStore key;
    ImportSettingsText(settings_text, key);
    MainSettings settings = ReadMainSettings(key);
    std::shared_ptr<const ZoneRule> zone;
    if (args.Has("zone")) {
        zone = ZoneByName(args.Get("zone"));
        settings.calc.follow_windows_zone = true;
    } else if (settings.calc.follow_windows_zone) {
        zone = SystemZone();
    }
    LanguageList language = BuiltInEnglish();
    if (args.Has("language")) language = ReadLanguageFile(ReadOptionFile(args, "language")).list;
    if (args.Has("tasks")) ReadOptionFile(args, "tasks");

    const Ymd day = args.Date("date");
    const Hms from = ClockOption(args, "from", "00:00:00");
    const Hms to = ClockOption(args, "to", "23:59:59");
    const int first = from.hour * 3600 + from.minute * 60 + from.second;
    const int last = to.hour * 3600 + to.minute * 60 + to.second;
    if (last < first) throw UsageError{"option --to: before --from"};
    const int sound_seconds = args.Whole("sound-length", 180);
    if (sound_seconds < 0 || sound_seconds > 86400)
        throw UsageError{"option --sound-length: " + args.Get("sound-length") + " is outside 0..86400"};

    SettableClock clock;
    AgendaDesktop desktop(clock, settings.show_drop_zone, static_cast<uint32_t>(sound_seconds) * 1000,
                          std::string(kDuaFileName));
    Watch watch(desktop, clock, &key);
    watch.SetZoneRule(zone.get());
    // Started at the beginning of the first second; each tick half a second
    // into its own.
    const DateTime date = EncodeDate(day.year, day.month, day.day);
    clock.now = date + first / 86400.0;
    watch.Start();
    watch.SetSettings(settings);
    watch.SetLanguage(std::move(language));
    watch.RecomputeTimes();
    if (args.Has("tasks")) watch.SetTaskFile(args.Get("tasks"));
    watch.LoadTodayTasks();
    watch.RunStartupTasks();
    for (int second = first; second <= last; ++second) {
        clock.now = date + (second + 0.5) / 86400.0;
        watch.OnClockTick();
    }
    desktop.Flush();
    Print(desktop.out);
    return 0;
}

}  // namespace cli
