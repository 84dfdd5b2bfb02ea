#include "waktuna/schedule/schedule.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <memory>

#include "waktuna/calc/calendar.h"
#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/lines.h"
#include "waktuna/schedule/chart.h"
#include "waktuna/files/safe_file.h"
#include "waktuna/version.h"
#include "waktuna/watch/panel.h"

namespace waktuna {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kDegreeSign = '\xB0';
constexpr std::string_view kHeaderMarker = "<!--header-->";
constexpr std::string_view kBlockMarker = "<!--jadwal-->";
constexpr std::string_view kDownloadLink =
    "<a href=\"https://waktuna.example.org/\" target=\"_blank\">Waktuna</a>";
constexpr std::string_view kInvalidRange =
    "Invalid date range, please check again\r\nerror : Date 1 > Date 2";

// The cells of a row after the two day numbers, as the timetable lists the day.
constexpr std::array<Prayer, kPrayerCount> kColumnOrder = {Shubuh, Terbit, Dhuhur,
                                                           Asar,   Maghrib, Isya};

const std::string& MonthName(const MonthNames& names, int month) {
    static const std::string kNone;
    return month >= 1 && month <= 12 ? names[static_cast<size_t>(month)] : kNone;
}

// An angle or time zone as typed: the shortest decimal that reads back as the
// same 32-bit value, without exponent ("18", "19.5", "-7").
std::string ShortDecimal(float value) {
    if (!std::isfinite(value)) return DecimalText(value);
    if (value == 0.0f) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (r.ec != std::errc()) return DecimalText(value);
    return std::string(buf, r.ptr);
}

// How Isya is found, for the summaries: its angle, or, where Isya lies a
// fixed time after Maghrib, that interval (and the one of Ramadan) in minutes.
std::string IshaRuleText(const LanguageList& language, const CalcSettings& c, const std::string& degree) {
    if (c.isha_interval == 0) return language.Line(172) + " = " + ShortDecimal(c.isha_angle) + degree;
    std::string text = language.Line(kLineIshaInterval) + " = " + IntText(c.isha_interval);
    if (c.isha_interval_ramadan != 0)
        text += ", " + language.Line(kLineIshaIntervalRamadan) + " = " + IntText(c.isha_interval_ramadan);
    return text;
}

std::string Title(const ScheduleRequest& request, const LanguageList& language) {
    return ScheduleTitle(request, language);
}

std::string Period(const ScheduleRequest& request, const LanguageList& language) {
    return SchedulePeriod(request.first, request.last, language);
}

std::string GregorianHeading(const MonthBlock& block, const LanguageList& language) {
    return MonthName(language.GregorianMonths(), block.month) + " " + IntText(block.year);
}

std::string HijriHeading(const MonthBlock& block, const LanguageList& language) {
    return HijriLabel(block, language.HijriMonths()) + " " + IntText(block.hijri_year) + " H";
}

// The header cells of a timetable: the two day columns, Imsak when it is
// on, then the six names (lines 2..7).
std::vector<std::string> HeadCells(const ScheduleRequest& request, const LanguageList& language,
                                   const std::string& western, const std::string& hijri) {
    std::vector<std::string> cells = {western, hijri};
    if (ImsakOn(request.core)) cells.push_back(language.Line(kLineImsak));
    for (int line = 2; line <= 7; ++line) cells.push_back(language.Line(line));
    return cells;
}

// What the walk hands over: the beginning, each month block as it closes,
// and the end.
class ScheduleWriter {
public:
    virtual ~ScheduleWriter() = default;
    virtual void Begin() = 0;
    virtual void Block(const MonthBlock& block) = 0;
    virtual void Finish() = 0;
};

class HtmlWriter final : public ScheduleWriter {
public:
    HtmlWriter(const ScheduleRequest& request, const LanguageList& language, std::ostream& out)
        : request_(request), language_(language), out_(out) {
        // The template is cut at the first of each marker; a missing marker
        // leaves the piece before it empty (header) or the rest as the block.
        const std::string_view text = request.html_template;
        const size_t p1 = text.find(kHeaderMarker);
        const size_t block_start = p1 == std::string_view::npos ? 0 : p1 + kHeaderMarker.size();
        const size_t p2 = text.find(kBlockMarker);
        header_ = text.substr(0, p1 == std::string_view::npos ? 0 : p1);
        if (p2 == std::string_view::npos) {
            block_ = text.substr(block_start);
        } else {
            block_ = p2 >= block_start ? text.substr(block_start, p2 - block_start) : "";
            footer_ = text.substr(p2 + kBlockMarker.size());
        }
        head_row_ = "<tr>";
        for (const std::string& cell : HeadCells(request, language, "Msh", "Hjr"))
            head_row_ += "<td>" + HtmlText(cell) + "</td>";
        head_row_ += "</tr>";
    }

    void Begin() override {
        const std::string version(kVersionText);
        const std::string main = ColourToHtml(request_.main_colour);
        const std::string text = ColourToHtml(request_.text_colour);
        const std::string title = HtmlText(Title(request_, language_));
        const std::string period = HtmlText(Period(request_, language_));
        out_ << FillPlaceholders(header_, {{"{VERSI}", version},
                                           {"{COLMAIN}", main, true},
                                           {"{COLTEXT}", text, true},
                                           {"{TITLE}", title, true},
                                           {"{PERIODE}", period},
                                           {kChartPlaceholder, Chart()}});
    }

    void Block(const MonthBlock& block) override {
        rows_.clear();
        for (const auto& row : block.rows) AppendRow(row);
        const std::string month = HtmlText(GregorianHeading(block, language_));
        const std::string hijri = HtmlText(HijriHeading(block, language_));
        out_ << FillPlaceholders(block_, {{"{BLN_M}", month},
                                          {"{BLN_H}", hijri},
                                          {"{TBL_HEAD}", head_row_},
                                          {"{TBL_ROWS}", rows_}});
    }

    void Finish() override {
        std::string info = ScheduleInfo(request_, language_, "<br />", HtmlText);
        // The program's name in the last line links to where it comes from.
        const size_t name = info.rfind("Waktuna");
        if (name != std::string::npos) info.replace(name, 7, kDownloadLink);
        std::string footer = FillPlaceholders(footer_, {{"{INFO}", info}, {kChartPlaceholder, Chart()}});
        std::string out;
        out.reserve(footer.size());
        for (char c : footer) {
            if (c == kDegreeSign)
                out += "&deg;";
            else
                out += c;
        }
        out_ << out;
    }

private:
    // The chart of the range, made once and only for a template that asks.
    const std::string& Chart() {
        const bool wanted = header_.find(kChartPlaceholder) != std::string_view::npos ||
                            footer_.find(kChartPlaceholder) != std::string_view::npos;
        if (wanted && chart_.empty()) chart_ = RenderChart(request_, language_, ChartUse::InHtml);
        return chart_;
    }

    void AppendRow(const ScheduleRow& row) {
        // The date as "yyyyMd": a four-digit year, then month and day as they are.
        const Ymd d = DecodeDate(row.date);
        const std::string year = IntText(d.year);
        rows_ += "<tr id=\"";
        if (year.size() < 4) rows_.append(4 - year.size(), '0');
        rows_ += year;
        rows_ += IntText(d.month);
        rows_ += IntText(d.day);
        rows_ += '"';
        const int weekday = DayOfWeek(row.date);
        if (weekday == 5)
            rows_ += " class=\"friday\"";
        else if (weekday == 7)
            rows_ += " class=\"week\"";
        else if (row.index % 2 == 0)
            rows_ += " class=\"even\"";
        rows_ += "><td>" + IntText(row.day) + "</td><td>" + IntText(row.hijri_day) + "</td>";
        if (ImsakOn(request_.core)) rows_ += "<td>" + row.imsak_text + "</td>";
        for (Prayer p : kColumnOrder) rows_ += "<td>" + row.times[p] + "</td>";
        rows_ += "</tr>";
    }

    const ScheduleRequest& request_;
    const LanguageList& language_;
    std::ostream& out_;
    std::string_view header_, block_, footer_;
    std::string head_row_;
    std::string rows_;
    std::string chart_;
};

class TextWriter final : public ScheduleWriter {
public:
    TextWriter(const ScheduleRequest& request, const LanguageList& language, std::ostream& out)
        : request_(request),
          language_(language),
          out_(out),
          sep_(request.format == ScheduleFormat::Csv ? ',' : '\t'),
          field_(request.format == ScheduleFormat::Csv ? CsvField : TsvField) {
        for (const std::string& cell : HeadCells(request, language, language.Line(185), language.Line(186))) {
            if (!head_line_.empty()) head_line_ += sep_;
            head_line_ += field_(cell);
        }
        head_line_ += kCrLf;
    }

    void Begin() override {
        out_ << field_(Title(request_, language_)) << kCrLf << field_(Period(request_, language_))
             << kCrLf;
    }

    void Block(const MonthBlock& block) override {
        text_.assign(kCrLf);
        text_ += kCrLf;
        text_ += field_(GregorianHeading(block, language_));
        text_ += sep_;
        text_ += sep_;
        text_ += field_(HijriHeading(block, language_));
        text_ += kCrLf;
        text_ += head_line_;
        for (const auto& row : block.rows) {
            text_ += IntText(row.day);
            text_ += sep_;
            text_ += IntText(row.hijri_day);
            if (ImsakOn(request_.core)) {
                text_ += sep_;
                text_ += row.imsak_text;
            }
            for (Prayer p : kColumnOrder) {
                text_ += sep_;
                text_ += row.times[p];
            }
            text_ += kCrLf;
        }
        out_ << text_;
    }

    void Finish() override {
        out_ << kCrLf << "Keterangan" << kCrLf << ScheduleInfo(request_, language_, kCrLf, field_);
    }

private:
    const ScheduleRequest& request_;
    const LanguageList& language_;
    std::ostream& out_;
    char sep_;
    FieldText field_;
    std::string head_line_;
    std::string text_;
};

// iCalendar (RFC 5545): one event a prayer a day, each at its UTC instant,
// so a calendar shows it right in any zone. Events of the same day and
// prayer keep the same UID, so importing a new file updates them.
class ICalendarWriter final : public ScheduleWriter {
public:
    ICalendarWriter(const ScheduleRequest& request, const LanguageList& language, std::ostream& out)
        : request_(request), language_(language), out_(out) {
        const UnixSeconds created =
            request.created != 0
                ? request.created
                : std::chrono::duration_cast<std::chrono::seconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
        // Every event's lines but its UID and start are the same for the
        // whole file: folded once here.
        const std::string tail = FoldICalendarLine("DTSTAMP:" + UtcText(created)) + "DURATION:PT" +
                                 IntText(kICalendarEventMinutes) + "M\r\n";
        const std::string rest =
            FoldICalendarLine("DESCRIPTION:" + ICalendarText(request.to_utf8(Description()))) +
            "TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n";
        for (size_t k = 0; k < kPrayerCount; ++k) {
            const std::string name = request.to_utf8(language.Line(2 + static_cast<int>(k)));
            after_start_[k] = tail + FoldICalendarLine("SUMMARY:" + ICalendarText(name)) + rest;
        }
        imsak_after_start_ =
            tail + FoldICalendarLine("SUMMARY:" + ICalendarText(request.to_utf8(language.Line(kLineImsak)))) + rest;
    }

    void Begin() override {
        Line("BEGIN:VCALENDAR");
        Line("VERSION:2.0");
        Line("PRODID:-//Waktuna//Waktuna " + std::string(kVersionText) + "//EN");
        Line("CALSCALE:GREGORIAN");
        Line("METHOD:PUBLISH");
        Line("X-WR-CALNAME:" + ICalendarText(request_.to_utf8(Title(request_, language_))));
    }

    void Block(const MonthBlock& block) override {
        text_.clear();
        for (const auto& row : block.rows) {
            const Ymd d = DecodeDate(row.date);
            const std::string day = Digits(d.year, 4) + Digits(d.month, 2) + Digits(d.day, 2) + "-";
            const int64_t offset = std::llround(static_cast<double>(row.time_zone) * 3600.0);
            // Imsak lies before Fajr, on Fajr's side of noon.
            const auto event = [&](std::string_view id, DateTime value, int dayOffset, const std::string& rest) {
                if (IsMissing(value)) return;  // the sun never reaches it that day
                const Hms t = DecodeTime(value);
                const UnixSeconds at = UnixSecondsOfDay(row.date + dayOffset) + t.hour * 3600 +
                                       t.minute * 60 + t.second - offset;
                text_ += "BEGIN:VEVENT\r\nUID:";
                text_ += day;
                text_ += id;
                text_ += "@waktuna\r\nDTSTART:";
                text_ += UtcText(at);
                text_ += "\r\n";
                text_ += rest;
            };
            if (ImsakOn(request_.core)) {
                const DateTime noon = row.values[Dhuhur];
                event("imsak", row.imsak, !IsMissing(noon) && row.imsak > noon ? -1 : 0, imsak_after_start_);
            }
            for (size_t k = 0; k < kColumnOrder.size(); ++k) {
                const Prayer p = kColumnOrder[k];
                if (p == Terbit && !request_.ics_sunrise) continue;
                event(kEventIds[k], row.values[p], DayOfTime(row.values, p), after_start_[k]);
            }
        }
        out_ << text_;
    }

    void Finish() override { Line("END:VCALENDAR"); }

private:
    // Stable parts of the UIDs, in the timetable's column order.
    static constexpr std::array<std::string_view, kPrayerCount> kEventIds = {
        "fajr", "sunrise", "dhuhr", "asr", "maghrib", "isha"};

    // The times are times of day taken around the day's noon. Far north in
    // summer, nightfall (and with a late noon even sunset) comes after
    // midnight, and with an early noon dawn and sunrise come before it: a
    // time after noon that reads earlier than noon lies on the next day, a
    // time before noon that reads later than noon on the day before.
    static int DayOfTime(const PrayerTimes& values, Prayer p) {
        const DateTime noon = values[Dhuhur];
        if (p == Dhuhur || IsMissing(noon)) return 0;
        if (p == Shubuh || p == Terbit) return values[p] > noon ? -1 : 0;
        return values[p] < noon ? 1 : 0;
    }

    static std::string Digits(int64_t value, size_t width) {
        std::string text = IntText(static_cast<int>(value));
        if (text.size() < width) text.insert(0, width - text.size(), '0');
        return text;
    }

    static std::string UtcText(UnixSeconds at) {
        int64_t days = at / 86400, rest = at % 86400;
        if (rest < 0) {
            rest += 86400;
            --days;
        }
        const Ymd d = DecodeDate(kUnixEpochDay + static_cast<double>(days));
        char text[16] = "00000000T000000";
        const auto put = [&](int at, int64_t value, int width) {
            for (int i = width - 1; i >= 0; --i, value /= 10) text[at + i] = static_cast<char>('0' + value % 10);
        };
        put(0, d.year, 4);
        put(4, d.month, 2);
        put(6, d.day, 2);
        put(9, rest / 3600, 2);
        put(11, rest / 60 % 60, 2);
        put(13, rest % 60, 2);
        return std::string(text, 15) + "Z";
    }

    // The place and the convention, as the timetable's summary names them.
    std::string Description() const {
        const CalcSettings& c = request_.calc;
        std::string text;
        if (!request_.area.empty()) text += request_.area + "\n";
        text += LatitudeText(c.latitude) + " " + LongitudeText(c.longitude) + ", " +
                IntText(c.altitude) + " m\n";
        text += language_.Line(175) + " = " + ConventionName(language_, request_.methods, request_.authority) + "\n";
        text += language_.Line(171) + " = " + ShortDecimal(c.fajr_angle) + kDegreeSign + ", " +
                IshaRuleText(language_, c, std::string(1, kDegreeSign)) + "\n";
        text += language_.Line(174) + " " + (c.syafii ? "Mazhab Syafii" : "Mazhab Hanafi");
        return text;
    }

    void Line(std::string_view line) { out_ << FoldICalendarLine(line); }

    const ScheduleRequest& request_;
    const LanguageList& language_;
    std::ostream& out_;
    // An event's lines after DTSTART, for each time in the column order.
    std::array<std::string, kPrayerCount> after_start_;
    std::string imsak_after_start_;
    std::string text_;
};

// Dates of years 1 to 9999, the end not before the start.
bool ValidRange(const ScheduleRequest& request) {
    return request.first >= 1 && DateOf(request.last) >= DateOf(request.first) &&
           request.last < EncodeDate(9999, 12, 31) + 1;
}

}  // namespace

std::string ColourToHtml(Colour colour) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned channel = (colour >> shift) & 0xFF;
        text += kHex[channel >> 4];
        text += kHex[channel & 0xF];
    }
    return text;
}

Colour ContrastColour(Colour colour) {
    Colour result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        if (((colour >> shift) & 0xFF) <= 128) result |= Colour{0xFF} << shift;
    }
    return result;
}

const std::vector<ScheduleFormatChoice>& ScheduleFormats() {
    static const std::vector<ScheduleFormatChoice> formats = {
        {ScheduleFormat::Html, 113, "HTML File (*.html)|*.html", "html"},
        {ScheduleFormat::Tsv, 114, "Tab Separated Value  (*.tsv)|*.tsv", "tsv"},
        {ScheduleFormat::Csv, 115, "Comma Separated Value  (*.csv)|*.csv", "csv"},
        {ScheduleFormat::Ics, kLineICalendarFormat, "iCalendar File  (*.ics)|*.ics", "ics"},
        {ScheduleFormat::Svg, kLineChartFormat, "SVG Picture  (*.svg)|*.svg", "svg"},
    };
    return formats;
}

const ScheduleFormatChoice& ScheduleFormatOf(ScheduleFormat format) {
    for (const auto& choice : ScheduleFormats())
        if (choice.format == format) return choice;
    return ScheduleFormats().front();
}

std::string ScheduleTitle(const ScheduleRequest& request, const LanguageList& language) {
    return language.Line(170) + " " + request.area;
}

std::string SchedulePeriod(DateTime first, DateTime last, const LanguageList& language) {
    const auto date = [&](DateTime value) {
        const Ymd d = DecodeDate(value);
        return IntText(d.day) + " " + MonthName(language.GregorianMonths(), d.month) + " " +
               IntText(d.year);
    };
    return date(first) + " - " + date(last);
}

std::string HijriLabel(const MonthBlock& block, const MonthNames& hijriMonths) {
    const std::string& first = MonthName(hijriMonths, block.first_hijri_month);
    if (block.first_hijri_month == block.last_hijri_month) return first;
    return first + " - " + MonthName(hijriMonths, block.last_hijri_month);
}

std::string ScheduleInfo(const ScheduleRequest& request, const LanguageList& language,
                         std::string_view br, FieldText field) {
    const CalcSettings& c = request.calc;
    const std::string degree(1, kDegreeSign);
    const std::array<std::string, 8> lines = {
        " " + language.Line(39) + " = " + LatitudeText(c.latitude),
        " " + language.Line(40) + " = " + LongitudeText(c.longitude),
        " " + language.Line(41) + " = " + IntText(c.altitude) + " m",
        " " + language.Line(171) + " = " + ShortDecimal(c.fajr_angle) + degree,
        " " + IshaRuleText(language, c, degree),
        " " + language.Line(173) + " =  " +
            (request.zone ? request.zone->Name() : ShortDecimal(c.time_zone)),
        " " + language.Line(174) + " " + (c.syafii ? "Mazhab Syafii" : "Mazhab Hanafi"),
        " " + language.Line(175) + " = " + ConventionName(language, request.methods, request.authority),
    };
    std::string info;
    for (const auto& line : lines) {
        info += field(line);
        info += br;
    }
    info += br;
    info += field(" Created with Waktuna " + std::string(kVersionText));
    info += kCrLf;
    return info;
}

std::string ReadScheduleTemplate(const std::string& file) {
    return ReadWholeFile(file).value_or(std::string());
}

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\r\n") != std::string_view::npos ||
                       (!text.empty() && text.front() == '"');
    if (!quote) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string TsvField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // one blank a break
        out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

std::string HtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string ICalendarText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case ';': out += "\\;"; break;
            case ',': out += "\\,"; break;
            case '\n': out += "\\n"; break;
            case '\r': break;
            default: out += c;
        }
    }
    return out;
}

std::string FoldICalendarLine(std::string_view line) {
    constexpr size_t kLimit = 75;  // octets a line, without its CR LF
    std::string out;
    out.reserve(line.size() + line.size() / 64 * 3 + 2);
    size_t width = 0;
    for (size_t i = 0; i < line.size();) {
        // The whole UTF-8 character stays on one line.
        size_t n = 1;
        while (n < 4 && i + n < line.size() &&
               (static_cast<unsigned char>(line[i + n]) & 0xC0) == 0x80)
            ++n;
        if (width + n > kLimit) {
            out += "\r\n ";
            width = 1;
        }
        out.append(line.substr(i, n));
        width += n;
        i += n;
    }
    out += "\r\n";
    return out;
}

std::string FillPlaceholders(std::string_view text, const std::vector<Placeholder>& placeholders) {
    constexpr size_t kNone = std::string_view::npos;
    // Where each placeholder occurs next at or after the read position; kNone
    // once it is used up.
    std::vector<size_t> next(placeholders.size());
    for (size_t k = 0; k < placeholders.size(); ++k)
        next[k] = placeholders[k].name.empty() ? kNone : text.find(placeholders[k].name);
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (;;) {
        size_t which = kNone;
        for (size_t k = 0; k < placeholders.size(); ++k) {
            if (next[k] != kNone && (which == kNone || next[k] < next[which])) which = k;
        }
        if (which == kNone) break;
        const Placeholder& p = placeholders[which];
        out.append(text.substr(pos, next[which] - pos));
        out.append(p.value);
        pos = next[which] + p.name.size();
        if (!p.every) next[which] = kNone;
        for (size_t k = 0; k < placeholders.size(); ++k) {
            if (next[k] != kNone && next[k] < pos) next[k] = text.find(placeholders[k].name, pos);
        }
    }
    out.append(text.substr(pos));
    return out;
}

ScheduleRow ScheduleRowOf(const ScheduleRequest& request, DateTime date) {
    ScheduleRow row;
    row.date = date;
    row.day = DecodeDate(date).day;
    const CalendarDate h = HijriDateOn(date, request.core);
    row.hijri_day = h.day;
    row.hijri_month = h.month;
    row.hijri_year = h.year;
    const CalcSettings place = PlaceOnDate(request.calc, request.zone, date);
    row.time_zone = place.time_zone;
    row.values = CalculatePrayerTimes(place, date, request.core);
    row.times = FormatPrayerTimes(row.values, request.time_format);
    row.imsak = ImsakTime(row.values, request.core);
    if (ImsakOn(request.core)) row.imsak_text = FormatTime(row.imsak, request.time_format);
    return row;
}

bool RenderSchedule(const ScheduleRequest& request, const LanguageList& language,
                    std::ostream& out) {
    if (!ValidRange(request)) return true;
    if (request.format == ScheduleFormat::Svg) {
        out << RenderChart(request, language, ChartUse::Alone);
        return static_cast<bool>(out);
    }
    std::unique_ptr<ScheduleWriter> writer;
    if (request.format == ScheduleFormat::Html)
        writer = std::make_unique<HtmlWriter>(request, language, out);
    else if (request.format == ScheduleFormat::Ics)
        writer = std::make_unique<ICalendarWriter>(request, language, out);
    else
        writer = std::make_unique<TextWriter>(request, language, out);
    const DateTime first = DateOf(request.first);
    const int64_t days = static_cast<int64_t>(DateOf(request.last) - first);

    writer->Begin();
    MonthBlock block;
    block.rows.reserve(31);
    for (int64_t i = 0; i <= days && out; ++i) {
        ScheduleRow row = ScheduleRowOf(request, first + static_cast<double>(i));
        row.index = static_cast<int>(i);
        const Ymd g = DecodeDate(row.date);
        // The first day of a new month closes the block before it.
        if (!block.rows.empty() && g.month != block.month) {
            writer->Block(block);
            block.rows.clear();
        }
        if (block.rows.empty()) {
            block.month = g.month;
            block.year = g.year;
            block.first_hijri_month = row.hijri_month;
        }
        block.last_hijri_month = row.hijri_month;
        block.hijri_year = row.hijri_year;
        block.rows.push_back(std::move(row));
    }
    if (!out) return false;
    if (!block.rows.empty()) writer->Block(block);
    writer->Finish();
    return static_cast<bool>(out);
}

ScheduleResult WriteSchedule(const ScheduleRequest& request, const LanguageList& language,
                             const std::string& file, ReplaceFileFunction replace) {
    if (!ValidRange(request)) return {false, std::string(kInvalidRange)};
    SafeFileWriter writer(file, replace);
    if (!writer.Ok()) return {false, writer.Error()};
    RenderSchedule(request, language, writer.Stream());  // a failed stream fails the commit
    if (!writer.Commit()) return {false, writer.Error()};
    return {true, {}};
}

}  // namespace waktuna
