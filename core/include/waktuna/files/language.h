// The user-interface texts: a positional list where entry i is line i+1 of
// the language file, the two month-name tables filled from it, the loading
// rules of language files (*.wlp), the built-in English text, and the safe
// filling of the lines that are message templates.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/calc/calendar.h"

namespace waktuna {

class LanguageList {
public:
    LanguageList() = default;
    // The kept lines in order; line 1 is lines[0]. The month-name tables are
    // filled from lines 15-26 (Gregorian) and 27-38 (Hijri).
    explicit LanguageList(std::vector<std::string> lines);

    // Line n (1-based); a line beyond the end reads as empty text, except
    // lines after kLanguageLineCount, which read as the built-in English line
    // when the list does not have them or holds "-" for them (language files
    // made before a text was added keep working).
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

// The lines every language file translates (1..227). Texts added later follow
// them in the built-in English text and fall back to it (LanguageList::Line).
inline constexpr int kLanguageLineCount = 227;
// A language file needs this many lines before comments and blanks are
// dropped, and this many after.
inline constexpr int kMinLanguageFileLines = 215;
inline constexpr int kMinLanguageKeptLines = 200;

// The built-in English text, byte for byte: 227 lines joined by CR LF, no
// break after the last, Windows-1252 (0x92 ends line 80, 0x96 in line 150).
// Compiled in from resources/english.txt.
std::string_view BuiltInEnglishText();
// The list of the built-in text, loaded whole (nothing is dropped).
LanguageList BuiltInEnglish();

// A language file's bytes cut into lines: a CR ends a line and an LF right
// after it belongs to the break; any other LF is text; a zero byte ends the
// text; the last line needs no break.
std::vector<std::string> SplitLanguageLines(std::string_view bytes);

// True for a line the loader drops: after trimming characters below code 33
// from both ends it is empty or begins with ";".
bool IsDroppedLanguageLine(std::string_view line);

enum class LanguageVerdict {
    Accepted,
    TooFewLines,      // under kMinLanguageFileLines lines in all
    TooFewKeptLines,  // under kMinLanguageKeptLines after dropping
};

struct LanguageFileReading {
    LanguageVerdict verdict = LanguageVerdict::Accepted;
    int lines_read = 0;  // before dropping comments and blanks
    int lines_kept = 0;  // after dropping (0 when refused for too few lines)
    // The file's list when accepted, else the built-in English list.
    LanguageList list;
};

// Reads a language file's bytes by the loading rules.
LanguageFileReading ReadLanguageFile(std::string_view bytes);

// "<programFolder>languages\<name>.wlp"; the folder ends with a backslash.
// The name is used exactly as stored (an empty name gives "….wlp").
std::string LanguageFilePath(std::string_view programFolder, std::string_view name);

// Load language: the list of the file at `path`, or the built-in English
// list when the file is missing, unreadable or refused.
LanguageList LoadLanguageFile(const std::string& path);

// ---- Message templates -------------------------------------------------
//
// Lines 134, 135, 137 and 205 are templates filled with a prayer's name, a
// number of minutes or a remaining time. A translation's template is used
// only when its placeholders are exactly the ones the line needs, in order;
// otherwise the built-in English line is used. User text is never handed to
// a printf-style formatter.

inline constexpr int kLineNowIsTime = 134;        // "%s"  prayer
inline constexpr int kLineMinutesBefore = 135;    // "%d" minutes, "%s" prayer
inline constexpr int kLineMinutesAfter = 137;     // "%d" minutes, "%s" prayer
inline constexpr int kLineTimeToPrayStill = 205;  // "%s" prayer, "%s" remaining

// The placeholders line n must hold, one letter each ('s' text, 'd' whole
// number), in order; nullopt for a line that is not a template.
std::optional<std::string_view> TemplatePlaceholders(int line);

// Fills `text` when its placeholders are exactly `placeholders` in order:
// each "%s" or "%d" (either letter case) takes the next argument as it is
// ('d' arguments are passed as their decimal text), and "%%" is one "%".
// Any other use of "%" (flags, widths, other letters, a "%" at the end) or a
// different number or order of placeholders gives nullopt.
std::optional<std::string> FillTemplate(std::string_view text, std::string_view placeholders,
                                        std::initializer_list<std::string_view> args);

// True when line n of the list can be used as its template (always true for
// a line that is not a template).
bool TemplateLineUsable(const LanguageList& list, int line);

// The text of a template line as the program uses it: the list's line when
// usable, else the built-in English line.
const std::string& TemplateLine(const LanguageList& list, int line);

// The four messages, from the list's template or the English fallback.
std::string NowIsTimeText(const LanguageList& list, std::string_view prayer);
std::string MinutesBeforeText(const LanguageList& list, int64_t minutes, std::string_view prayer);
std::string MinutesAfterText(const LanguageList& list, int64_t minutes, std::string_view prayer);
std::string TimeToPrayStillText(const LanguageList& list, std::string_view prayer,
                                std::string_view remaining);

}  // namespace waktuna
