// The schedule maker page's model: the range as whole dates, the two export
// colours with the caption colours of their buttons, the time format and the
// output format, and the timetable request made from them and the settings
// the main window holds.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "waktuna/schedule/schedule.h"
#include "waktuna/settings/settings.h"

namespace waktuna {

// The dates the page's pickers offer: all of them lie after the Western
// calendar's cut-over, so a picked date is the date the Hijri conversion
// reads. The longest range is over three million days and takes many
// seconds to walk: see WriteScheduleInSteps.
inline constexpr Ymd kFirstScheduleDate{1601, 1, 1};
inline constexpr Ymd kLastScheduleDate{9999, 12, 31};

// The refusal of a range that ends before it starts (OK only, style Error).
inline constexpr std::string_view kInvalidRangeText =
    "Invalid date range, please check again\r\nerror : Date 1 > Date 2";
// "The timetable could not be written:" followed by the reason.
inline constexpr int kLineScheduleNotWritten = 255;
// The reason given when the place or calculation the main window holds is out
// of range (a value imported from a settings file, say).
inline constexpr int kLineScheduleSettingsUnusable = 230;

struct SchedulePage {
    DateTime start = 0;  // whole dates: a picker's time of day never counts
    DateTime end = 0;
    Colour main_colour = Rgb(128, 128, 128);
    Colour text_colour = Rgb(0, 0, 0);
    bool seconds = true;     // "HH:mm:ss", else "HH:mm"
    size_t format = 0;       // index in ScheduleFormats()
    bool ics_sunrise = false;  // iCalendar: sunrise as an event too

    // Both dates to today.
    void Reset(DateTime today);
    // A picker's date-time, kept as its date within the pickers' range.
    void SetStart(DateTime picked);
    void SetEnd(DateTime picked);

    // The caption colour of each colour button.
    Colour MainCaption() const { return ContrastColour(main_colour); }
    Colour TextCaption() const { return ContrastColour(text_colour); }

    // An equal date is a range of one day; an end before the start is refused.
    bool RangeValid() const { return end >= start; }
    std::string_view TimeFormat() const { return seconds ? kFormatHHmmss : kFormatHHmm; }
    const ScheduleFormatChoice& Format() const;

    // What WriteSchedule is given: the range and choices of the page, the
    // place and calculation the main window holds, and the template's text
    // (used by HTML only).
    ScheduleRequest Request(const MainSettings& settings, std::string htmlTemplate) const;
};

// Whether the request's place and calculation can give times at all: the
// same check the main window makes before it shows any.
bool ScheduleSettingsUsable(const ScheduleRequest& request);

// Writes the timetable as WriteSchedule does (through a temporary file, so
// the target is either the whole new timetable or as it was), and calls
// `between` each time about kScheduleStepBytes more have been written, so
// the program's clock keeps ticking through a long walk. Settings that are
// not usable write nothing and give kLineScheduleSettingsUnusable as the error.
inline constexpr size_t kScheduleStepBytes = 16 * 1024;
ScheduleResult WriteScheduleInSteps(const ScheduleRequest& request, const LanguageList& language,
                                    const std::string& file, const std::function<void()>& between,
                                    ReplaceFileFunction replace = StandardReplaceFile);

// A picker's date-time as a date within the pickers' range.
DateTime ScheduleDate(DateTime picked);

}  // namespace waktuna
