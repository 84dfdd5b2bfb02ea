// Thirty simulated days of the watch: ticks jittered between 600 and 1400 ms,
// message dialogs that stay open up to 50 seconds with ticks running inside
// them, an eight-hour sleep across midnight every week and the clock set back
// one hour once. What the watch does is checked against the times computed
// here for every day.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "watch_fake.h"

using namespace waktuna;
using namespace waktuna::fake;

namespace {

constexpr int64_t kDay = 86400;
constexpr int kDays = 30;

class Soak : public WatchFixture {
protected:
    struct Gap {
        int64_t last_before = 0;  // the last second a tick fell in before the jump
        int64_t first_after = 0;  // the first second a tick fell in after it
    };

    uint32_t Random(uint32_t below) {  // xorshift: the same run everywhere
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<uint32_t>(rng_ % below);
    }

    int64_t Now() const { return ClockSecondOf(clock.now); }

    // One tick of the simulated machine, with the week's sleep and the one
    // setting back of the clock. False once the month is over.
    bool Advance() {
        if (Now() >= end_) return false;
        const int64_t day = Now() / kDay - first_day_;
        const int64_t second = Now() % kDay;
        if (day % 7 == 3 && second >= 22 * 3600 && slept_.count(day) == 0) {
            slept_.insert(day);
            sleeps_.push_back({Now(), 0});
            clock.AdvanceMs(8 * 3600 * 1000);
        } else if (day == 12 && second >= 12 * 3600 + 30 * 60 && !set_back_.last_before) {
            set_back_.last_before = Now();
            clock.AdvanceMs(-3600 * 1000);
        }
        clock.AdvanceMs(600 + Random(801));
        if (!sleeps_.empty() && sleeps_.back().first_after == 0) sleeps_.back().first_after = Now();
        if (set_back_.last_before && !set_back_.first_after) set_back_.first_after = Now();
        watch.OnClockTick();
        CheckCountdown();
        return true;
    }

    // The drop zone names the next time of the clock's day, or tomorrow's
    // Shubuh once Isya has passed.
    void CheckCountdown() {
        const int64_t day = Now() / kDay;
        const int64_t second = Now() % kDay;
        const PrayerTimes& today = Times(day);
        std::string want;
        for (Prayer p : kDayOrder) {
            if (*SecondOfDay(today[p]) > second) {
                want = watch.Language().Line(PrayerNameLine(p)) + " " + FormatTime(today[p], kFormatHHmmss);
                break;
            }
        }
        if (want.empty()) want = "Fajr : " + FormatTime(Times(day + 1)[Shubuh], kFormatHHmmss);
        if (actions.dz_first != want) {
            ++countdown_errors_;
            if (countdown_errors_ < 5) ADD_FAILURE() << FormatTime(clock.now, kFormatHHmmss) << ": " << actions.dz_first;
        }
    }

    const PrayerTimes& Times(int64_t day) {
        auto it = times_.find(day);
        if (it == times_.end()) {
            it = times_.emplace(day, CalculatePrayerTimes(ToCalcSettings(settings.calc),
                                                          static_cast<DateTime>(day), settings.core))
                     .first;
        }
        return it->second;
    }

    // How many times the watch examines a second: never inside a sleep
    // (apart from the last few seconds before waking, which a tick still
    // looks back on), twice in the hour the clock was set back over.
    int Expected(int64_t s) const {
        for (const Gap& g : sleeps_) {
            if (s > g.last_before && s < g.first_after - kCatchUpSeconds) return 0;
        }
        if (s >= set_back_.first_after && s <= set_back_.last_before) return 2;
        return 1;
    }

    // Whether an action seen at second t can be the one due at second s: at
    // once (a tick comes at most 1.4 s late), after a dialog that kept the
    // deciding tick waiting (the tick examined s, at most a few seconds
    // before the dialog opened, or while it was open), or at the wake-up
    // that looked back on s.
    bool Fits(int64_t s, int64_t t) const {
        if (t < s) return false;
        if (t - s <= 2) return true;
        for (const auto& [opened, closed] : actions.dialog_spans) {
            if (s >= opened - kCatchUpSeconds && s <= closed && t <= closed + 2) return true;
        }
        for (const Gap& g : sleeps_) {
            if (t == g.first_after && s >= g.first_after - kCatchUpSeconds) return true;
        }
        return false;
    }

    uint64_t rng_ = 0x9E3779B97F4A7C15ull;
    int64_t first_day_ = 0;
    int64_t end_ = 0;
    std::set<int64_t> slept_;
    std::vector<Gap> sleeps_;
    Gap set_back_;
    std::map<int64_t, PrayerTimes> times_;
    int countdown_errors_ = 0;
};

}  // namespace

TEST_F(Soak, AMonthOfTicks) {
    // London in March: every time exists, and Shubuh and Maghrib move by
    // minutes from one day to the next.
    settings = Place("London", "51.5", "-0.12", 0, 0, 18, 17);
    settings.alerts.message1 = 10;
    settings.alerts.message2 = 5;
    settings.alerts.m_message = 1;
    settings.alerts.m_adzan = 1;
    actions.drop_zone = DropZoneState::Visible;
    for (Prayer p : kArrivalOrder) WriteString(key, AdzanValueName(p), Adzan("adzan"));
    actions.lengths["C:\\adzan\\adzan.wav"] = 180000;
    WriteDword(key, "UseDua", 1);
    actions.files.insert("C:\\Waktuna\\Dua.mp3");
    actions.lengths["C:\\Waktuna\\Dua.mp3"] = 120000;
    // Fifty tasks: a command every half hour, a weekly one, a monthly one.
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, int64_t>> daily;
    for (int k = 0; k < 48; ++k) {
        const int64_t at = k * 1800 + 7 * 60 + 13;
        const std::string name = "task-" + std::to_string(k);
        lines.push_back(name + "|5|1|" + FormatTime(static_cast<double>(at) / kDay, kFormatHHmmss) +
                        "|-1|0|0|" + name);
        daily.emplace_back(name, at);
    }
    lines.push_back("weekly|5|2|09:00:00|0|0|0|weekly");    // Sundays
    lines.push_back("monthly|5|3|21:00:00|-1|15|0|monthly");  // the 15th
    WriteTasks(lines);
    // The dialog stays open 0 to 50 seconds; the clock ticks on inside it.
    actions.inside_dialog = [&] {
        for (uint32_t n = Random(51); n > 0 && Advance();) --n;
    };

    Begin(2009, 3, 1, 0, 0, 0);
    watch.LoadTodayTasks();
    first_day_ = Now() / kDay;
    end_ = (first_day_ + kDays) * kDay;
    while (Advance()) {
    }
    EXPECT_EQ(countdown_errors_, 0);
    ASSERT_EQ(sleeps_.size(), 4u);
    ASSERT_GT(set_back_.first_after, 0);

    // What is due, second by second, from the times of each day.
    std::multimap<std::string, int64_t> due;
    const auto expect = [&](const std::string& what, int64_t s) {
        for (int n = Expected(s); n > 0; --n) due.emplace(what, s);
    };
    int repeated = 0, skipped = 0;
    for (int64_t day = first_day_; day < first_day_ + kDays; ++day) {
        for (Prayer p : kArrivalOrder) {
            const std::string name = watch.Language().Line(PrayerNameLine(p));
            const int64_t at = day * kDay + *SecondOfDay(Times(day)[p]);
            expect("announce " + name, at);
            expect("bar 10 minutes again time to sholah " + name, at - 600);
            expect("bar 5 minutes has left from " + name + " time", at + 300);
            repeated += Expected(at) == 2;
            skipped += Expected(at) == 0;
        }
        for (const auto& [name, at] : daily) expect("command " + name, day * kDay + at);
        const DateTime date = static_cast<DateTime>(day);
        if (DayOfWeek(date) == 7) expect("command weekly", day * kDay + 9 * 3600);
        if (DecodeDate(date).day == 15) expect("command monthly", day * kDay + 21 * 3600);
    }
    EXPECT_GE(repeated, 1);  // the setting back crossed Dhuhur
    EXPECT_GE(skipped, 4);   // a Shubuh in every sleep

    // Every action seen is one that was due, at its second; none is left over.
    int seen = 0, unexpected = 0;
    for (size_t i = 0; i < actions.log.size(); ++i) {
        const std::string what = actions.log[i].substr(9);
        if (what.rfind("announce ", 0) != 0 && what.rfind("bar ", 0) != 0 &&
            what.rfind("command ", 0) != 0)
            continue;
        if (what.rfind("bar Now is the time", 0) == 0) continue;  // the announcement's own
        ++seen;
        auto [first, last] = due.equal_range(what);
        auto match = last;
        for (auto it = first; it != last; ++it) {
            if (Fits(it->second, actions.log_at[i])) {
                match = it;
                break;
            }
        }
        if (match == last) {
            if (++unexpected < 10) ADD_FAILURE() << "not due: " << actions.log[i] << " on day "
                                                 << actions.log_at[i] / kDay - first_day_;
            continue;
        }
        due.erase(match);
    }
    EXPECT_EQ(unexpected, 0);
    for (auto it = due.begin(); it != due.end() && std::distance(due.begin(), it) < 10; ++it) {
        ADD_FAILURE() << "never done: " << it->first << " at " << FormatTime(static_cast<double>(it->second % kDay) / kDay, kFormatHHmmss)
                      << " on day " << it->second / kDay - first_day_;
    }
    EXPECT_GT(seen, 30 * (48 + 10));

    // Each adzan was followed by the Dua, and both were closed.
    const size_t adzans = actions.With("open C:\\adzan\\adzan.wav").size();
    EXPECT_EQ(adzans, actions.With("announce").size());
    EXPECT_EQ(actions.With("open C:\\Waktuna\\Dua.mp3").size(), adzans);
    EXPECT_FALSE(watch.HasAdzanPlayer());
    EXPECT_FALSE(watch.HasDuaPlayer());
}
