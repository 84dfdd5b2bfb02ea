// The user-interface texts: a positional list where entry i is line i+1 of
// the language file, and the two month-name tables filled from it.
#pragma once

#include <string>
#include <vector>

#include "waktuna/calendar.h"

namespace waktuna {

class LanguageList {
public:
    LanguageList() = default;
    // The kept lines in order; line 1 is lines[0].
    explicit LanguageList(std::vector<std::string> lines);

    // Line n (1-based); a line beyond the end reads as empty text.
    const std::string& Line(int n) const;
    int Count() const { return static_cast<int>(lines_.size()); }

    // Slots 1..12, from lines 15-26 and 27-38.
    const MonthNames& GregorianMonths() const { return gregorian_; }
    const MonthNames& HijriMonths() const { return hijri_; }

private:
    std::vector<std::string> lines_;
    MonthNames gregorian_{};
    MonthNames hijri_{};
};

}  // namespace waktuna
