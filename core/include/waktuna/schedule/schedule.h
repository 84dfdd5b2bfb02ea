// The timetable maker: the day-by-day walk over a date range, its month
// blocks, and the three files it writes (HTML filled into a template,
// tab-separated and comma-separated text).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/datetime.h"
#include "waktuna/calc/time_zone.h"
#include "waktuna/files/encoding.h"
#include "waktuna/files/files.h"
#include "waktuna/files/language.h"
#include "waktuna/calc/prayer.h"

namespace waktuna {

// A Windows colour value: red in the low byte, then green, then blue.
using Colour = uint32_t;
constexpr Colour Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

// "#RRGGBB", two upper-case hexadecimal digits a channel.
std::string ColourToHtml(Colour colour);
// Caption colour for a button of this colour: each channel 255 when it is 128
// or less, else 0.
Colour ContrastColour(Colour colour);

enum class ScheduleFormat { Html, Tsv, Csv, Ics, Svg };

// A format the user can choose, in the order the schedule page offers them.
struct ScheduleFormatChoice {
    ScheduleFormat format;
    int caption_line;          // language line of the choice's caption
    std::string_view filter;   // of the save dialog: description "|" pattern
    std::string_view name;     // on the command line, and the file extension
};
const std::vector<ScheduleFormatChoice>& ScheduleFormats();
const ScheduleFormatChoice& ScheduleFormatOf(ScheduleFormat format);

// Language line of the iCalendar choice, "iCalendar (ics)".
inline constexpr int kLineICalendarFormat = 276;
// Language line of the check box that adds sunrise to an iCalendar file,
// "Sunrise as an event too (iCalendar)".
inline constexpr int kLineICalendarSunrise = 277;
// Minutes each prayer's calendar event lasts.
inline constexpr int kICalendarEventMinutes = 15;

// Everything one timetable is made from.
struct ScheduleRequest {
    DateTime first = 0;  // start and end date; only the calendar day counts
    DateTime last = 0;
    std::string time_format{kFormatHHmmss};  // of the texts: "HH:mm" or "HH:mm:ss"
    ScheduleFormat format = ScheduleFormat::Html;
    CalcSettings calc;
    CoreSettings core;  // corrections, rounding and Hijri correction of the calculation
    int methods = 0;    // Methods: the convention preset named in the summary
    uint32_t authority = 0;  // Authority: the preset named instead, when not a button's
    std::string area;   // Area: the place name in the title
    Colour main_colour = Rgb(128, 128, 128);
    Colour text_colour = Rgb(0, 0, 0);
    // The text of jadwal.tpl (HTML only). "{CHART}" in its header or footer
    // becomes the year chart of the range (schedule/chart.h).
    std::string html_template;
    // When set, each day takes this zone's offset in force at its noon
    // (daylight saving); calc.time_zone otherwise.
    const ZoneRule* zone = nullptr;
    // iCalendar only: an event for sunrise as well, the moment the file is
    // made (DTSTAMP; 0 takes the system clock's), and how the program's
    // 8-bit texts become UTF-8.
    bool ics_sunrise = false;
    UnixSeconds created = 0;
    std::string (*to_utf8)(std::string_view) = Cp1252ToUtf8;
};

// One day of the timetable.
struct ScheduleRow {
    DateTime date = 0;
    int index = 0;  // days from the start date
    int day = 0;    // Gregorian day of month
    int hijri_day = 0;
    int hijri_month = 0;
    int hijri_year = 0;
    TSholatString times;  // in the order of TSholatString (Maghrib first)
    PrayerTimes values{};  // the same times as values
    float time_zone = 0;  // hours east of UTC the day's times are in
    DateTime imsak = MissingTime();  // when Imsak is on (core.imsak_minutes)
    std::string imsak_text;
};

// The day of the timetable's walk: its Hijri day in the calendar of
// request.core, its times in the zone in force, Imsak when on.
ScheduleRow ScheduleRowOf(const ScheduleRequest& request, DateTime date);

// The rows of one Gregorian month, or of the part of it inside the range.
struct MonthBlock {
    int month = 0;
    int year = 0;
    int first_hijri_month = 0;  // of the block's first day
    int last_hijri_month = 0;   // of its last day
    int hijri_year = 0;         // of its last day
    std::vector<ScheduleRow> rows;
};

// The timetable's title: line 170, a blank, the place name. Its period:
// "1 March 2024 - 31 March 2024" with the list's month names.
std::string ScheduleTitle(const ScheduleRequest& request, const LanguageList& language);
std::string SchedulePeriod(DateTime first, DateTime last, const LanguageList& language);

// The Hijri month the block starts in, or "first - last" when it ends in
// another one (a month in between is not named).
std::string HijriLabel(const MonthBlock& block, const MonthNames& hijriMonths);

// The settings summary of the timetable's end. `br` follows each line, and an
// empty line stands before the last one, which ends with CR LF instead.
// `field` turns one line's text into what the format may hold (escaping);
// the line breaks are never passed to it.
using FieldText = std::string (*)(std::string_view);
std::string ScheduleInfo(const ScheduleRequest& request, const LanguageList& language,
                         std::string_view br, FieldText field);

// The template's text, or the empty text when the file cannot be read.
std::string ReadScheduleTemplate(const std::string& file);

// Escapes of an inserted text. CSV: quoted (inner double quotes doubled) when
// it holds a comma, CR or LF or begins with a double quote. TSV: tabs and
// line breaks become blanks. HTML: &, <, > and the double quote as entities.
std::string CsvField(std::string_view text);
std::string TsvField(std::string_view text);
std::string HtmlText(std::string_view text);
// iCalendar TEXT: backslash, ";" and "," escaped, a line break as "\n".
std::string ICalendarText(std::string_view text);
// One content line of an iCalendar file, folded so that no line is longer
// than 75 octets (never inside a UTF-8 character), each ending in CR LF.
std::string FoldICalendarLine(std::string_view line);

// One substitution of a template: `placeholder` becomes `value`, at its
// first occurrence only or at all of them.
struct Placeholder {
    std::string_view name;
    std::string_view value;
    bool every = false;
};
// Fills the placeholders in one pass over `text`: inserted values are never
// searched again, so a value that holds a placeholder stays as it is.
std::string FillPlaceholders(std::string_view text, const std::vector<Placeholder>& placeholders);

// Walks the range day by day and writes the timetable to `out`, each month
// block as soon as it is complete, so memory does not grow with the range.
// False when the stream failed (the walk stops there). An end date before the
// start date gives no output.
bool RenderSchedule(const ScheduleRequest& request, const LanguageList& language,
                    std::ostream& out);

struct ScheduleResult {
    bool ok = false;
    std::string error;  // why not, naming the file
};

// Writes the timetable to `file`, through a temporary file beside it, so the
// file is either the whole new timetable or left as it was. An end date
// before the start date writes nothing. File names are 8-bit text in the
// system's code page.
ScheduleResult WriteSchedule(const ScheduleRequest& request, const LanguageList& language,
                             const std::string& file,
                             ReplaceFileFunction replace = StandardReplaceFile);

}  // namespace waktuna
