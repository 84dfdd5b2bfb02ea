// The watch: once a second it compares the clock with today's prayer times
// and the alert settings, and asks the desktop (WatchActions) to remind,
// announce, play the adzan and the Dua, shut down or hibernate, show the
// Friday reminder and the periodic information, keep the countdown up to
// date, run today's tasks, and change the day.
//
// Use from the main window:
//   Watch watch(actions, clock, key);     // key: the settings key, or nullptr
//   watch.Start();                        // at start-up, before the first tick
//   watch.SetSettings(ReadMainSettings(*key)); watch.SetLanguage(list);
//   watch.RecomputeTimes();
//   watch.SetTaskFiles(ownTaskFile, machineTaskFile, readOwnedFile);
//   watch.LoadTodayTasks();
//   watch.RunStartupTasks();
//   ... then OnClockTick() from the 1000 ms clock timer.
// Pages that change what the times depend on call SetSettings / SetLanguage
// and RecomputeTimes again; the task editor calls LoadTodayTasks after Save.
//
// Seconds. Each tick reads the clock once and examines every clock second
// from the one after the last examined up to the present one, oldest first,
// so a second in which no tick fell (a late or drifting timer) is not lost;
// it looks at most kCatchUpSeconds back (after a sleep only the last few
// seconds are examined). No second is examined twice, except that a clock set
// back examines its present second again, so a prayer time the clock is set
// back across is announced again.
//
// Re-entrancy. A message dialog runs further ticks before it returns. A tick
// therefore first decides everything its seconds bring, marks them examined,
// and only then performs the requests in order. A tick that runs inside a
// dialog examines only later seconds; when the outer tick resumes it carries
// on with what it had decided and examines nothing again. The end of a sound
// is looked at after the requests, from the players as they are then, and
// the countdown shows the clock as it is when its turn comes.
//
// The day. The times belong to the date they were computed for. When the
// second being examined lies on another date (midnight, a wake-up after
// sleep or hibernation, a clock change) the times are recomputed and today's
// tasks reloaded before that second is examined. The counted day change
// (DayChangeTick ticks after start, then every 86 400 ticks) is kept as well.
//
// Failures. No exception leaves the watch: a task file that cannot be read
// (or not held in memory) gives no tasks, and a tick that fails part-way is
// abandoned; the next tick goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/datetime.h"
#include "waktuna/files/language.h"
#include "waktuna/calc/prayer.h"
#include "waktuna/calc/time_zone.h"
#include "waktuna/settings/settings.h"
#include "waktuna/settings/settings_store.h"
#include "waktuna/files/tasks.h"
#include "waktuna/watch/watch_actions.h"

namespace waktuna {

// How far back a tick looks for seconds no tick fell in.
inline constexpr int kCatchUpSeconds = 10;
// The longest notification-area tip.
inline constexpr size_t kTrayTipLimit = 63;
// The text that follows a missing Dua recording, and the recording's name.
inline constexpr std::string_view kDuaMissingText = "File Dua.mp3 not found";
inline constexpr std::string_view kDuaFileName = "Dua.mp3";
// A Moving Text task's message of this many characters or more shows
// "[Waktuna v3.10]" in the bar's second text.
inline constexpr size_t kLongMovingText = 80;

// The five prayers that are announced, in the order the arrival test looks
// at them, and the order the before and after reminders look at them.
inline constexpr Prayer kArrivalOrder[5] = {Maghrib, Isya, Shubuh, Dhuhur, Asar};
inline constexpr Prayer kReminderOrder[5] = {Shubuh, Dhuhur, Asar, Maghrib, Isya};
// The six times in the panel's (and the countdown's) order.
inline constexpr Prayer kDayOrder[6] = {Shubuh, Terbit, Dhuhur, Asar, Maghrib, Isya};

// Language line of a time's name: 2 "Fajr", 3 "Shurook", 4 "Zuhr", 5 "Asr",
// 6 "Maghrib", 7 "Isha".
int PrayerNameLine(Prayer prayer);

// "Saturday, 21 March 2009 ( 24 Rabiul Awal 1430 H )": the day name (lines
// 8..14, Sunday first), the Western date and the Hijri date (with the
// correction) with the list's month names.
std::string HeaderDateLabel(DateTime today, const LanguageList& language, int8_t hijriyahDiff);
// The same in the calendar of the settings (Umm al-Qura or tabular).
std::string HeaderDateLabel(DateTime today, const LanguageList& language, const CoreSettings& core);

// The message at Imsak (when MImsak is 1 and Imsak is on): "Imsak: stop
// eating and drinking, Fajr is near." Only the message dialog and the bar:
// Imsak is no prayer time, so no adzan, power action or drop-zone alert.
inline constexpr int kLineImsakMessage = 300;

// The clock second of a date-time: whole days x 86 400 + the second of the
// day, the time taken to the nearest millisecond and cut to whole seconds
// (the second its "HH:mm:ss" text shows).
int64_t ClockSecondOf(DateTime value);
// The second of the day of a time of day; nullopt for a missing time.
std::optional<int32_t> SecondOfDay(DateTime timeOfDay);
// "HH:mm:ss" of a number of seconds (hours may pass 23).
std::string DurationText(int64_t seconds);

class Watch {
public:
    // `key` is the settings key, read at the moment of use for the adzan
    // files and UseDua; nullptr when the key is absent.
    Watch(WatchActions& actions, const Clock& clock, const SettingsStore* key);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // ---- Set-up ----------------------------------------------------------------
    // The counters at start-up: TickCount and DayTickCount 0, DayChangeTick
    // the whole seconds from now up to 23:59:59, plus 10. The first tick
    // examines only its own second.
    void Start();
    void SetSettings(const MainSettings& settings);
    // Also refreshes the header date label when the times are known.
    void SetLanguage(LanguageList language);
    // The program's folder (ends with a backslash): Dua.mp3 lies there.
    void SetProgramFolder(std::string folder);
    // The task files: the user's own Task.dat and the machine-wide one
    // (empty: none), read with `read` (owner and bytes through one handle).
    // The own file's tasks come first in today's list.
    void SetTaskFiles(std::string own, std::string machine,
                      ReadOwnedFileFunction read = StandardReadOwnedFile);
    // The user's own task file alone, read with StandardReadOwnedFile.
    void SetTaskFile(std::string path);
    // The system's time-zone rule, used for every day while the settings'
    // FollowWindowsZone is on (nullptr: the fixed TZ always). The rule is
    // read at each computation, so a zone changed while the program runs
    // counts from the next RecomputeTimes.
    void SetZoneRule(const ZoneRule* rule);

    // ---- The clock timer ---------------------------------------------------------
    void OnClockTick();

    // ---- Main-window operations ---------------------------------------------------
    // Yesterday, tomorrow and today for the clock's date: the panel, the
    // times the watch uses, the header label.
    void RecomputeTimes();

    // ---- Tasks -------------------------------------------------------------------
    // Today's list: the tasks of the task files kept for the clock's date, in
    // file order (none from a file that is missing or unreadable). A guarded
    // task of an untrusted file stays in the list marked refused: at its time
    // it is named to WarnRefusedTask instead of being run.
    void LoadTodayTasks();
    // Runs every task of today's list whose frequency is OnStartProgram.
    void RunStartupTasks();
    // Performs the task at a position of today's list (nothing when there is
    // none there).
    void RunTask(size_t index);

    // ---- Sounds (also the tray menu's items) ---------------------------------------
    void PlayAdzan();
    void StartDua();
    void CloseAdzan();
    void CloseDua();
    void CloseMultimedia();
    void PauseAdzan();
    void ResumeAdzan();
    void PauseMultimedia();
    void ResumeMultimedia();

    // ---- State -----------------------------------------------------------------
    const PrayerTimes& TodayTimes() const { return days_.today_times; }
    // The date TodayTimes belongs to (0 before the first computation).
    DateTime TimesDate() const { return days_.today; }
    const WatchDays& Days() const { return days_; }
    const std::vector<TTask>& TodayTasks() const { return today_tasks_; }
    uint32_t TickCount() const { return tick_count_; }
    uint32_t DayTickCount() const { return day_tick_count_; }
    uint32_t DayChangeTick() const { return day_change_tick_; }
    bool HasAdzanPlayer() const { return adzan_player_ != nullptr; }
    bool HasDuaPlayer() const { return dua_player_ != nullptr; }
    bool HasMultimediaPlayer() const { return multimedia_player_ != nullptr; }
    const LanguageList& Language() const { return language_; }

private:
    using Plan = std::vector<std::function<void()>>;

    template <typename F>
    void Guarded(F&& f);
    void Tick();
    void ChangeDay(DateTime day, Plan& plan);
    void RecomputeFor(DateTime day, Plan& plan);
    void LoadTasksFor(DateTime day);
    void Perform(const TTask& task);
    WatchDays ComputeDays(DateTime day) const;
    void ExamineSecond(int64_t second, bool present, Plan& plan);
    std::function<void()> Countdown();
    void UpdateCountdown(int64_t second, uint32_t tick);
    void FollowAdzan();
    void FollowMultimedia();

    void ArriveAt(Prayer prayer);
    void AnnouncePrayer(const std::string& name);
    void ShowBarMessage(const std::string& text);
    void HibernateOrExplain();
    void Warn(const std::string& text);

    const std::string& Name(Prayer prayer) const;
    std::string DuaPath() const;

    WatchActions& actions_;
    const Clock& clock_;
    const SettingsStore* key_;
    const ZoneRule* zone_rule_ = nullptr;

    MainSettings settings_;
    LanguageList language_;
    std::string program_folder_;
    std::string task_file_;
    std::string machine_task_file_;
    ReadOwnedFileFunction read_owned_file_ = StandardReadOwnedFile;

    uint32_t tick_count_ = 0;
    uint32_t day_tick_count_ = 0;
    uint32_t day_change_tick_ = 0;
    std::optional<int64_t> last_examined_;

    WatchDays days_;
    std::optional<int32_t> today_seconds_[kPrayerCount];
    std::optional<int32_t> imsak_second_;
    std::vector<TTask> today_tasks_;
    std::vector<std::optional<int32_t>> task_seconds_;  // of each task's time text

    std::string adzan_file_;
    std::unique_ptr<Player> adzan_player_;
    std::unique_ptr<Player> dua_player_;
    std::unique_ptr<Player> multimedia_player_;
};

}  // namespace waktuna
