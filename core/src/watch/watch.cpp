#include "waktuna/watch/watch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "waktuna/calc/calendar.h"
#include "waktuna/calc/imsak.h"
#include "waktuna/calc/ranges.h"
#include "waktuna/version.h"

namespace waktuna {

namespace {

constexpr int64_t kDaySeconds = 86400;

// Language lines the watch reads besides the templates and the names.
constexpr int kLineFriday = 136;
constexpr int kLineNoHibernate = 140;
constexpr int kLineAdzanMissing = 183;
constexpr int kLineRemaining = 206;

int64_t WrapDay(int64_t second) { return ((second % kDaySeconds) + kDaySeconds) % kDaySeconds; }

DateTime DayOfSecond(int64_t second) {
    return static_cast<DateTime>((second - WrapDay(second)) / kDaySeconds);
}

bool Finished(Player& player) { return player.Finished(); }

}  // namespace

int PrayerNameLine(Prayer prayer) {
    switch (prayer) {
        case Shubuh: return 2;
        case Terbit: return 3;
        case Dhuhur: return 4;
        case Asar: return 5;
        case Maghrib: return 6;
        case Isya: return 7;
    }
    return 2;
}

std::string HeaderDateLabel(DateTime today, const LanguageList& language, int8_t hijriyahDiff) {
    CoreSettings core;
    core.hijriyah_diff = hijriyahDiff;
    return HeaderDateLabel(today, language, core);
}

std::string HeaderDateLabel(DateTime today, const LanguageList& language, const CoreSettings& core) {
    const Ymd g = DecodeDate(today);
    const int weekday = DayOfWeek(today) % 7;  // 0 = Sunday .. 6 = Saturday
    const CalendarDate western{static_cast<uint8_t>(g.day), static_cast<uint8_t>(g.month), g.year};
    return language.Line(8 + weekday) + ", " + GregorianDateText(western, language.GregorianMonths()) +
           " ( " + HijriDateText(HijriDateOn(today, core), language.HijriMonths()) + " )";
}

int64_t ClockSecondOf(DateTime value) {
    if (IsMissing(value)) return 0;
    const Hms t = DecodeTime(value);
    return static_cast<int64_t>(std::floor(value)) * kDaySeconds + t.hour * 3600 + t.minute * 60 +
           t.second;
}

std::optional<int32_t> SecondOfDay(DateTime timeOfDay) {
    if (IsMissing(timeOfDay)) return std::nullopt;
    const Hms t = DecodeTime(timeOfDay);
    return t.hour * 3600 + t.minute * 60 + t.second;
}

std::string DurationText(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    std::string hours = std::to_string(seconds / 3600);
    if (hours.size() < 2) hours.insert(0, 1, '0');
    const auto two = [](int64_t v) {
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    return hours + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

// ---- Set-up ----------------------------------------------------------------

Watch::Watch(WatchActions& actions, const Clock& clock, const SettingsStore* key)
    : actions_(actions), clock_(clock), key_(key), settings_(StartSettings()),
      language_(BuiltInEnglish()) {}

Watch::~Watch() = default;

void Watch::Start() {
    tick_count_ = 0;
    day_tick_count_ = 0;
    const int64_t second = WrapDay(ClockSecondOf(clock_.Now()));
    day_change_tick_ = static_cast<uint32_t>(kDaySeconds - 1 - second + 10);
    last_examined_.reset();
}

void Watch::SetSettings(const MainSettings& settings) { settings_ = settings; }

void Watch::SetLanguage(LanguageList language) {
    language_ = std::move(language);
    if (days_.today != 0) {
        actions_.SetDateLabel(HeaderDateLabel(days_.today, language_, settings_.core));
    }
}

void Watch::SetProgramFolder(std::string folder) { program_folder_ = std::move(folder); }

void Watch::SetTaskFiles(std::string own, std::string machine, ReadOwnedFileFunction read) {
    task_file_ = std::move(own);
    machine_task_file_ = std::move(machine);
    read_owned_file_ = read ? read : StandardReadOwnedFile;
}

void Watch::SetTaskFile(std::string path) { SetTaskFiles(std::move(path), {}, StandardReadOwnedFile); }

template <typename F>
void Watch::Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception&) {
        // Out of memory or a failure of the desktop: this step is dropped,
        // the program goes on.
    }
}

void Watch::SetZoneRule(const ZoneRule* rule) { zone_rule_ = rule; }

// ---- The day ---------------------------------------------------------------

WatchDays Watch::ComputeDays(DateTime day) const {
    const CalcSettings place = ToCalcSettings(settings_.calc);
    const ZoneRule* rule = settings_.calc.follow_windows_zone ? zone_rule_ : nullptr;
    const auto on = [&](DateTime date) { return PlaceOnDate(place, rule, date); };
    WatchDays days;
    days.today = day;
    const CalcSettings today = on(day);
    days.today_zone = today.time_zone;
    if (!UsableForCalculation(today)) {
        // A stored value no place can have: no times at all, rather than
        // times computed from nonsense.
        days.yesterday.fill(MissingTime());
        days.tomorrow.fill(MissingTime());
        days.today_times.fill(MissingTime());
        return days;
    }
    days.yesterday = CalculatePrayerTimes(on(day - 1), day - 1, settings_.core);
    days.tomorrow = CalculatePrayerTimes(on(day + 1), day + 1, settings_.core);
    days.today_times = CalculatePrayerTimes(today, day, settings_.core);
    return days;
}

void Watch::ChangeDay(DateTime day, Plan& plan) {
    RecomputeFor(day, plan);
    LoadTasksFor(day);
}

void Watch::RecomputeFor(DateTime day, Plan& plan) {
    days_ = ComputeDays(day);
    for (int p = 0; p < kPrayerCount; ++p) today_seconds_[p] = SecondOfDay(days_.today_times[p]);
    imsak_second_ = SecondOfDay(ImsakTime(days_.today_times, settings_.core));
    const WatchDays shown = days_;
    const std::string label = HeaderDateLabel(day, language_, settings_.core);
    plan.push_back([this, shown, label] {
        actions_.ShowDays(shown);
        actions_.SetDateLabel(label);
    });
}

void Watch::RecomputeTimes() {
    Guarded([this] {
        Plan plan;
        RecomputeFor(clock_.Today(), plan);
        for (auto& step : plan) step();
    });
}

// ---- Tasks ---------------------------------------------------------------------

void Watch::LoadTodayTasks() {
    Guarded([this] { LoadTasksFor(clock_.Today()); });
}

void Watch::LoadTasksFor(DateTime day) {
    // Built aside and swapped in whole: a failure part-way keeps the old
    // list, whose seconds always match it.
    std::vector<TTask> tasks;
    std::vector<std::optional<int32_t>> seconds;
    const auto load = [&](const std::string& path, TaskFileKind kind) -> std::vector<TTask> {
        if (path.empty()) return {};
        try {
            return TasksKeptOn(ReadOwnedTaskFile(read_owned_file_(path, kMaxTextFileSize), kind), day);
        } catch (const std::exception&) {  // not held in memory: as unreadable
            return {};
        }
    };
    tasks = load(task_file_, TaskFileKind::Own);
    if (machine_task_file_ != task_file_) {
        std::vector<TTask> machine = load(machine_task_file_, TaskFileKind::Machine);
        DropOwnCopies(machine, tasks);
        std::move(machine.begin(), machine.end(), std::back_inserter(tasks));
    }
    for (const TTask& task : tasks) {
        Hms t;
        const bool timed = task.time_text.size() == 8 && ParseClockText(task.time_text, t);
        seconds.push_back(timed ? std::optional<int32_t>(t.hour * 3600 + t.minute * 60 + t.second) : std::nullopt);
    }
    today_tasks_.swap(tasks);
    task_seconds_.swap(seconds);
}

void Watch::RunStartupTasks() {
    Guarded([this] {
        // A copy: a dialog of one task may run ticks that reload the list.
        const std::vector<TTask> tasks = today_tasks_;
        for (const TTask& task : tasks) {
            if (task.freq == FreqOnStartProgram) Perform(task);
        }
    });
}

void Watch::RunTask(size_t index) {
    if (index >= today_tasks_.size()) return;
    const TTask task = today_tasks_[index];
    Guarded([&] { Perform(task); });
}

void Watch::Perform(const TTask& task) {
    if (task.refused) {
        actions_.WarnRefusedTask(RefusedTaskText(task));
        return;
    }
    const auto message = [&](DialogKind kind) {
        actions_.ShowMessageDialog(DialogButtons::Ok, task.message, kind);
    };
    switch (task.type) {
        case TaskInformation: message(DialogKind::Information); break;
        case TaskError: message(DialogKind::Error); break;
        case TaskWarning: message(DialogKind::Warning); break;
        case TaskQuestion: message(DialogKind::Question); break;  // the answer is not used
        case TaskCommand: actions_.RunCommand(task.message); break;
        case TaskShutdown: actions_.Shutdown(); break;
        case TaskHibernate: HibernateOrExplain(); break;
        case TaskMovingText:
            actions_.ShowBar(task.message,
                             task.message.size() < kLongMovingText
                                 ? task.message
                                 : "[Waktuna " + std::string(kVersionText) + "]",
                             BarUse::MovingText);
            break;
        case TaskMultimedia:
            if (multimedia_player_) multimedia_player_->Stop();
            if (actions_.FileExists(task.message)) {
                actions_.ShowMultimediaMenu(true);
                multimedia_player_ = actions_.OpenPlayer(task.message);
                if (multimedia_player_) multimedia_player_->Play();
            }
            break;
        default: break;
    }
}

// ---- The tick ----------------------------------------------------------------

void Watch::OnClockTick() {
    Guarded([this] { Tick(); });
}

void Watch::Tick() {
    const int64_t present = ClockSecondOf(clock_.Now());
    ++day_tick_count_;
    ++tick_count_;
    Plan plan;
    if (day_tick_count_ == day_change_tick_) {
        day_tick_count_ = 0;
        day_change_tick_ = static_cast<uint32_t>(kDaySeconds);
        ChangeDay(DayOfSecond(present), plan);
    }

    int64_t first = present;
    if (last_examined_ && present >= *last_examined_) {
        first = std::max(*last_examined_ + 1, present - kCatchUpSeconds);
    }
    for (int64_t second = first; second <= present; ++second) {
        ExamineSecond(second, second == present, plan);
    }
    if (first > present) {  // this second was already examined: only the countdown
        if (DayOfSecond(present) != days_.today) {
            ChangeDay(DayOfSecond(present), plan);
        }
        plan.push_back(Countdown());
    }
    last_examined_ = present;

    // Everything is decided: a dialog opened from here on may run further
    // ticks, which find the state complete and look only at later seconds.
    for (auto& step : plan) step();
    FollowAdzan();
    FollowMultimedia();
}

std::function<void()> Watch::Countdown() {
    // The countdown shows the present: after a dialog that kept this tick
    // waiting it reads the clock as it is then.
    const uint32_t tick = tick_count_;
    return [this, tick] { UpdateCountdown(ClockSecondOf(clock_.Now()), tick); };
}

void Watch::ExamineSecond(int64_t second, bool present, Plan& plan) {
    const DateTime day = DayOfSecond(second);
    if (day != days_.today) ChangeDay(day, plan);
    const int64_t now = WrapDay(second);
    const AlertSettings& a = settings_.alerts;
    const auto is_time = [&](Prayer p, int64_t s) { return today_seconds_[p] && *today_seconds_[p] == s; };
    const auto first_reminded = [&](int64_t s) -> std::optional<Prayer> {
        for (Prayer p : kReminderOrder) {
            if (is_time(p, s)) return p;
        }
        return std::nullopt;
    };

    // At the time: the first equal one in the arrival order.
    for (Prayer p : kArrivalOrder) {
        if (is_time(p, now)) {
            plan.push_back([this, p] { ArriveAt(p); });
            break;
        }
    }
    if (present) plan.push_back(Countdown());
    // Today's tasks of this second, in list order.
    for (size_t i = 0; i < today_tasks_.size(); ++i) {
        if (task_seconds_[i] == now) plan.push_back([this, task = today_tasks_[i]] { Perform(task); });
    }
    // Before the time.
    if (a.message1 > 0) {
        if (auto p = first_reminded(WrapDay(now + int64_t{a.message1} * 60))) {
            std::string text = MinutesBeforeText(language_, a.message1, Name(*p));
            plan.push_back([this, text = std::move(text)] { ShowBarMessage(text); });
        }
    }
    const int64_t delayed = WrapDay(now - int64_t{a.m_time_shutdown} * 60);
    // A shutdown at the time is asked again MTimeShutdown minutes later.
    if (a.m_shutdown == 1 && first_reminded(delayed)) {
        plan.push_back([this] { actions_.Shutdown(); });
    }
    if (a.m_imsak == 1 && imsak_second_ == now) {
        plan.push_back([this] { ShowBarMessage(language_.Line(kLineImsakMessage)); });
    }
    // Friday: only the time of day of the reminder counts.
    if (DayOfWeek(day) == 5 && a.m_jumat != 0.0 && SecondOfDay(a.m_jumat) == now) {
        plan.push_back([this] { ShowBarMessage(language_.Line(kLineFriday)); });
    }
    // After the time.
    if (a.message2 > 0) {
        if (auto p = first_reminded(WrapDay(now - int64_t{a.message2} * 60))) {
            std::string text = MinutesAfterText(language_, a.message2, Name(*p));
            plan.push_back([this, text = std::move(text)] { ShowBarMessage(text); });
        }
    }
    // Power action after the time.
    if ((a.m_shutdown_after == 1 || a.m_shutdown_after == 2) && a.m_time_shutdown > 0 &&
        first_reminded(delayed)) {
        if (a.m_shutdown_after == 1) {
            plan.push_back([this] { actions_.Shutdown(); });
        } else {
            plan.push_back([this] { HibernateOrExplain(); });
        }
    }
}

// ---- Announcing ----------------------------------------------------------------

void Watch::ArriveAt(Prayer prayer) {
    const std::string_view value = AdzanValueName(prayer);
    adzan_file_ = key_ ? ReadLocalFilePath(*key_, value) : std::string();
    const std::string name = Name(prayer);
    actions_.PrayerTimeArrived(prayer, name);
    AnnouncePrayer(name);
}

void Watch::AnnouncePrayer(const std::string& name) {
    const AlertSettings a = settings_.alerts;  // a dialog below may let the settings change
    if (a.m_shutdown == 2) {
        HibernateOrExplain();
    } else if (a.m_shutdown == 1) {
        actions_.Shutdown();
    }
    if (a.m_minimize == 1) actions_.MinimizeAllWindows();
    const std::string text = NowIsTimeText(language_, name);
    if (actions_.GetDropZoneState() != DropZoneState::Absent) {
        actions_.SetDropZoneFirstText(text);
        actions_.SetDropZoneSecondText("");
        actions_.StartDropZoneAlert();
    }
    if (a.m_adzan == 1) PlayAdzan();
    if (a.m_message == 1) ShowBarMessage(text);
}

void Watch::ShowBarMessage(const std::string& text) {
    actions_.ShowBar(text, text, BarUse::Message);
    actions_.ShowMessageDialog(DialogButtons::Ok, text, DialogKind::Information);
}

void Watch::HibernateOrExplain() {
    if (actions_.IsHibernateAllowed()) {
        actions_.Hibernate();
    } else {
        actions_.ShowMessageDialog(DialogButtons::Ok, language_.Line(kLineNoHibernate),
                                   DialogKind::Information);
    }
}

void Watch::Warn(const std::string& text) {
    actions_.ShowMessageDialog(DialogButtons::Ok, text, DialogKind::Warning);
}

const std::string& Watch::Name(Prayer prayer) const { return language_.Line(PrayerNameLine(prayer)); }

std::string Watch::DuaPath() const { return program_folder_ + std::string(kDuaFileName); }

// ---- Countdown ----------------------------------------------------------------

void Watch::UpdateCountdown(int64_t second, uint32_t tick) {
    const int64_t now = WrapDay(second);
    const std::string& picture = settings_.core.time_format;
    std::string name, label, remaining;
    std::optional<PanelCell> cell;
    for (Prayer p : kDayOrder) {
        if (today_seconds_[p] && *today_seconds_[p] > now) {
            name = Name(p);
            label = name + " " + FormatTime(days_.today_times[p], picture);
            remaining = DurationText(*today_seconds_[p] - now);
            cell = PanelCell{false, p};
            break;
        }
    }
    // Past the day's last time: tomorrow's first, read back from its text as
    // the panel shows it, counted from 23:59:59.
    for (Prayer p : kDayOrder) {
        if (cell) break;
        Hms shown;
        const std::string text = FormatTime(days_.tomorrow[p], picture);
        if (IsMissing(days_.tomorrow[p]) || !ParseClockText(text, shown)) continue;
        name = Name(p);
        label = name + " : " + text;
        remaining = DurationText(kDaySeconds - 1 - now + shown.hour * 3600 + shown.minute * 60 +
                                 shown.second);
        cell = PanelCell{true, p};
    }
    if (cell) actions_.HighlightCell(*cell);

    const std::string remaining_text = language_.Line(kLineRemaining) + " " + remaining;
    if (actions_.GetDropZoneState() == DropZoneState::Visible) {
        actions_.SetDropZoneFirstText(label);
        if (settings_.dz_remaining) actions_.SetDropZoneSecondText(remaining_text);
    }
    std::string tip = settings_.calc.area + "\r" + label + "\r" + remaining_text + "\rWaktuna " +
                      std::string(kVersionText);
    if (tip.size() > kTrayTipLimit) tip.resize(kTrayTipLimit);
    actions_.SetTrayTip(tip);

    const uint32_t every = uint32_t{settings_.alerts.show_information} * 60;
    if (every > 0 && tick % every == 0) {
        std::string times;
        for (Prayer p : kDayOrder) {
            if (!times.empty()) times += ' ';
            times += Name(p) + ": " + FormatTime(days_.today_times[p], picture);
        }
        actions_.ShowBar(times, "- " + TimeToPrayStillText(language_, name, remaining) + " -",
                         BarUse::Information);
    }
}

// ---- Sounds ----------------------------------------------------------------------

void Watch::PlayAdzan() {
    if (!actions_.FileExists(adzan_file_)) {
        Warn(language_.Line(kLineAdzanMissing));
        return;
    }
    if (!adzan_player_) {
        // A new adzan: a Dua left from an earlier one (its adzan was stopped
        // from the menu) is over, or the new adzan would never be followed.
        CloseDua();
        actions_.ShowAdzanMenu(true);
        adzan_player_ = actions_.OpenPlayer(adzan_file_);
    } else {
        actions_.ShowAdzanMenu(true);
    }
    if (adzan_player_) adzan_player_->Play();
}

void Watch::StartDua() {
    const std::string path = DuaPath();
    if (!actions_.FileExists(path)) {
        Warn(std::string(kDuaMissingText));
        return;
    }
    actions_.ShowAdzanMenu(true);
    if (!dua_player_) dua_player_ = actions_.OpenPlayer(path);
    if (dua_player_) dua_player_->Play();
}

void Watch::CloseAdzan() {
    if (auto player = std::move(adzan_player_)) {
        player->Stop();
        player.reset();
        actions_.ShowAdzanMenu(false);
    }
}

void Watch::CloseDua() {
    if (auto player = std::move(dua_player_)) {
        player->Stop();
        player.reset();
        actions_.ShowAdzanMenu(false);
    }
}

void Watch::CloseMultimedia() {
    actions_.ShowMultimediaMenu(false);
    if (auto player = std::move(multimedia_player_)) player->Stop();
}

void Watch::PauseAdzan() {
    if (adzan_player_) adzan_player_->Pause();
}

void Watch::ResumeAdzan() {
    if (adzan_player_) adzan_player_->Play();
}

void Watch::PauseMultimedia() {
    if (multimedia_player_) multimedia_player_->Pause();
}

void Watch::ResumeMultimedia() {
    if (multimedia_player_) multimedia_player_->Play();
}

void Watch::FollowAdzan() {
    if (!adzan_player_ || !Finished(*adzan_player_)) return;
    const uint32_t use_dua = key_ ? ReadDword(*key_, "UseDua") : 0;
    if (use_dua != 1) {
        CloseAdzan();
        return;
    }
    if (dua_player_) {
        if (Finished(*dua_player_)) {
            CloseDua();
            CloseAdzan();
        }
        return;
    }
    if (!actions_.FileExists(DuaPath())) {
        // Warn once: the adzan is closed first, as if UseDua were off, so
        // neither this tick nor one run inside the warning asks again.
        CloseAdzan();
        Warn(std::string(kDuaMissingText));
        return;
    }
    StartDua();
}

void Watch::FollowMultimedia() {
    if (!multimedia_player_ || !Finished(*multimedia_player_)) return;
    actions_.ShowMultimediaMenu(false);
    if (auto player = std::move(multimedia_player_)) player->Stop();
}

}  // namespace waktuna
