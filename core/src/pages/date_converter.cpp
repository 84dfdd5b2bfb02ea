#include "waktuna/pages/date_converter.h"

#include <algorithm>
#include <iterator>

#include "waktuna/calc/numbers.h"
#include "waktuna/settings/settings.h"

namespace waktuna {

namespace {

// 18 June 592, the earliest Western date the converter takes.
bool BeforeFirstDate(int y, int m, int d) {
    if (y != kFirstConverterYear) return y < kFirstConverterYear;
    if (m != 6) return m < 6;
    return d < 18;
}

}  // namespace

int WeekdayLine(int weekday) { return weekday == 7 ? 8 : weekday + 8; }

YearSpan YearsAround(int year, int first, int last) {
    const int centre = std::min(std::max(year, first + kYearsAround), last - kYearsAround);
    return {std::max(first, centre - kYearsAround), std::min(last, centre + kYearsAround)};
}

void DateConverter::Today(DateTime today) {
    const Ymd d = DecodeDate(today);
    western_days_ = WesternDaysInMonth(d.year, d.month);
    western_ = Row{d.day - 1, d.month - 1, IntText(d.year)};
    WesternToHijri();
    western_years_ = YearsAround(d.year, kFirstConverterYear, kLastConverterYear);
    hijri_years_ = YearsAround(ReadWholeNumber(hijri_.year), 1, kLastConverterYear);
}

void DateConverter::LoadCorrection(const SettingsStore& key) {
    correction_ = ReadHijriyahDiff(key);
    correction_choices_.assign(std::begin(kHijriCorrectionItems), std::end(kHijriCorrectionItems));
    auto at = std::lower_bound(correction_choices_.begin(), correction_choices_.end(), int{correction_});
    if (at == correction_choices_.end() || *at != correction_) at = correction_choices_.insert(at, correction_);
    correction_item_ = static_cast<int>(at - correction_choices_.begin());
}

bool DateConverter::PickCorrection(int item, SettingsStore* key) {
    if (item < 0 || item >= static_cast<int>(correction_choices_.size())) return true;
    const int8_t picked = static_cast<int8_t>(correction_choices_[static_cast<size_t>(item)]);
    if (key != nullptr && !WriteString(*key, "HijriyahDiff", IntText(picked))) return false;
    correction_item_ = item;
    correction_ = picked;
    WesternToHijri();
    return true;
}

void DateConverter::SetCalendar(HijriCalendar calendar) {
    calendar_ = calendar;
    WesternToHijri();
}

std::string DateConverter::CalendarNote() const {
    return tabular_fallback_ ? language_.Line(kLineUmmAlQuraFallback) : std::string();
}

void DateConverter::SetWesternDay(int item) {
    western_.day = item;
    WesternToHijri();
}

void DateConverter::SetWesternYear(std::string text) {
    western_.year = std::move(text);
    WesternToHijri();
}

void DateConverter::SetWesternMonth(int item) {
    western_.month = item;
    const int year = ReadWholeNumber(western_.year);
    if (year != 0) RefillWesternDays(year);
    WesternToHijri();
}

void DateConverter::SetHijriDay(int item) {
    hijri_.day = item;
    HijriToWestern();
}

void DateConverter::SetHijriMonth(int item) {
    hijri_.month = item;
    HijriToWestern();
}

void DateConverter::SetHijriYear(std::string text) {
    hijri_.year = std::move(text);
    HijriToWestern();
}

void DateConverter::RefillWesternDays(int year) {
    if (western_.month < 0) return;
    western_days_ = WesternDaysInMonth(year, western_.month + 1);
    if (western_.day >= western_days_) western_.day = -1;
}

void DateConverter::WesternToHijri() {
    const int y = ReadWholeNumber(western_.year);
    const int m = western_.month + 1;
    const int d = western_.day + 1;
    if (y > kLastConverterYear || !IsWesternDate(y, m, d) || BeforeFirstDate(y, m, d)) return;
    weekday_ = language_.Line(WeekdayLine(WesternWeekday(y, m, d)));
    const HijriConversion h = ConvertHijri(Conversion::WesternToHijri, y, m, d, correction_, calendar_);
    tabular_fallback_ = h.tabular_fallback;
    hijri_ = Row{h.date.day - 1, h.date.month - 1, IntText(h.date.year)};
}

void DateConverter::HijriToWestern() {
    const int y = ReadWholeNumber(hijri_.year);
    if (y < 0 || y > kLastConverterYear || hijri_.month < 0 || hijri_.day < 0) return;
    const HijriConversion h = ConvertHijri(Conversion::HijriToWestern, y, hijri_.month + 1, hijri_.day + 1, correction_, calendar_);
    const CalendarDate& g = h.date;
    if (g.year > kLastConverterYear || BeforeFirstDate(g.year, g.month, g.day)) return;
    tabular_fallback_ = h.tabular_fallback;
    // The day list follows the month shown, so the day is always one of its items.
    western_days_ = WesternDaysInMonth(g.year, g.month);
    western_ = Row{g.day - 1, g.month - 1, IntText(g.year)};
    weekday_ = language_.Line(WeekdayLine(WesternWeekday(g.year, g.month, g.day)));
}

}  // namespace waktuna
