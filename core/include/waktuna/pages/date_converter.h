// The date converter dialog's model: a Western row and a Hijri row, the
// weekday of the Western date, and the Hijri correction the whole program
// applies. Each user change converts the other row once; the dialog copies
// the state into its controls without running its change handlers, so a
// conversion never feeds back into another (which would apply the
// correction again and move the date a day each round).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "waktuna/calc/calendar.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings_store.h"

namespace waktuna {

// The correction list's items, "-2" ... "2".
inline constexpr int kHijriCorrectionItems[] = {-2, -1, 0, 1, 2};

// Western dates the converter takes: from 18 June 592 to 31 December 9999.
// Hijri years above 9999 are refused, and so is any Hijri date whose Western
// date would lie past 9999.
inline constexpr int kFirstConverterYear = 592;
inline constexpr int kLastConverterYear = 9999;

// The years a year field offers in its drop-down list (any other may be typed).
struct YearSpan {
    int first = 0;
    int last = 0;
    friend bool operator==(const YearSpan&, const YearSpan&) = default;
};
// The years around `year`: kYearsAround before and after it, moved inside
// first..last where it lies too near either end.
inline constexpr int kYearsAround = 50;
YearSpan YearsAround(int year, int first, int last);

// Shown beside the Hijri row while Umm al-Qura is chosen and the date lies
// outside its table: "Outside the Umm al-Qura table (1300 - 1600 H): the
// tabular calendar is used."
inline constexpr int kLineUmmAlQuraFallback = 307;

// The language line of a weekday's name: 1 = Monday ... 7 = Sunday.
int WeekdayLine(int weekday);

class DateConverter {
public:
    // List indexes are 0-based as in the controls; -1 means no item.
    struct Row {
        int day = -1;
        int month = -1;
        std::string year;
        friend bool operator==(const Row&, const Row&) = default;
    };

    explicit DateConverter(const LanguageList& language) : language_(language) {}

    // Both rows to `today`, the day list to its month's length, and the year
    // lists to the years around today's year in each calendar.
    void Today(DateTime today);
    const YearSpan& WesternYears() const { return western_years_; }
    const YearSpan& HijriYears() const { return hijri_years_; }

    // ---- The correction --------------------------------------------------------
    // The stored correction ("HijriyahDiff"; 0 when there is none) is the one
    // in force and the one selected. A stored value outside -2..2 gets an
    // item of its own, so the list always shows what applies.
    void LoadCorrection(const SettingsStore& key);
    // The list's items, in order.
    const std::vector<int>& CorrectionChoices() const { return correction_choices_; }
    // The user picked an item: it is written as "HijriyahDiff" (when `key` is
    // given), then applies and the Western row is converted again. False when
    // the key refused it: the correction and the selection stay as they were.
    bool PickCorrection(int item, SettingsStore* key);

    // ---- The calendar ------------------------------------------------------------
    // The calendar the program shows (its HijriCalendar setting); the Western
    // row is converted again in it.
    void SetCalendar(HijriCalendar calendar);
    HijriCalendar Calendar() const { return calendar_; }
    // The note for the last conversion: line kLineUmmAlQuraFallback when the
    // tabular rule stood in for Umm al-Qura, else empty.
    std::string CalendarNote() const;

    // ---- What the user changes ---------------------------------------------------
    void SetWesternDay(int item);
    void SetWesternYear(std::string text);
    // Refills the day list (when the year field holds a number other than 0),
    // keeping the chosen day when the month has it.
    void SetWesternMonth(int item);
    void SetHijriDay(int item);
    void SetHijriMonth(int item);
    void SetHijriYear(std::string text);

    // ---- State for the controls ----------------------------------------------------
    const Row& Western() const { return western_; }
    const Row& Hijri() const { return hijri_; }
    // Items in the Western day list ("1" ... n).
    int WesternDayCount() const { return western_days_; }
    const std::string& WeekdayName() const { return weekday_; }
    int CorrectionItem() const { return correction_item_; }
    int8_t Correction() const { return correction_; }

private:
    void WesternToHijri();
    void HijriToWestern();
    void RefillWesternDays(int year);

    const LanguageList& language_;
    Row western_;
    Row hijri_;
    int western_days_ = 31;
    YearSpan western_years_;
    YearSpan hijri_years_;
    std::string weekday_;
    std::vector<int> correction_choices_{std::begin(kHijriCorrectionItems), std::end(kHijriCorrectionItems)};
    int correction_item_ = 2;  // "0"
    int8_t correction_ = 0;
    HijriCalendar calendar_ = HijriCalendar::Tabular;
    bool tabular_fallback_ = false;
};

}  // namespace waktuna
