#include "waktuna/schedule/chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/encoding.h"

namespace waktuna {

namespace {

// The picture's frame in SVG units; the plot lies inside the margins.
constexpr double kWidth = 1000, kHeight = 560;
constexpr double kLeft = 58, kRight = kWidth - 118, kBottom = kHeight - 50;
// The heading: a band in the main colour with the title when the chart
// stands alone; in the timetable, whose page has its own title, one line.
constexpr double kBandHeight = 58, kLineHeight = 24;
constexpr double kLabelGap = 13;  // least distance between two line names
// Up to this many days each month is named; beyond, each year.
constexpr int kMonthNamesUpTo = 550;
constexpr std::string_view kFont = "'Segoe UI', Tahoma, 'DejaVu Sans', Arial, sans-serif";

struct Series {
    int line = 0;       // language line of the name
    Colour colour = 0;
    bool dashed = false;
    std::vector<double> hours;  // a value a day; NaN where the time is missing
};

// "12.3": one decimal is finer than the picture's pixels.
void Number(std::string& out, double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::round(value * 10) / 10, std::chars_format::fixed, 1);
    out.append(buf, r.ptr);
}

// Six colours of one family: the main colour's hue turned a sixth of the
// circle each time, saturated and dark enough to read on white.
std::array<Colour, kPrayerCount> LineColours(Colour main) {
    const double r = (main & 0xFF) / 255.0, g = (main >> 8 & 0xFF) / 255.0, b = (main >> 16 & 0xFF) / 255.0;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    double hue = 0;
    if (hi > lo) {
        if (hi == r) hue = std::fmod((g - b) / (hi - lo) + 6, 6);
        else if (hi == g) hue = (b - r) / (hi - lo) + 2;
        else hue = (r - g) / (hi - lo) + 4;
    }
    std::array<Colour, kPrayerCount> colours{};
    for (int k = 0; k < kPrayerCount; ++k) {
        // HSL with saturation 0.75 and lightness 0.4, hue in sixths.
        const double h = std::fmod(hue + k, 6);
        const double c = (1 - std::fabs(2 * 0.4 - 1)) * 0.75;
        const double x = c * (1 - std::fabs(std::fmod(h, 2) - 1));
        const double m = 0.4 - c / 2;
        double rgb[3] = {};
        const int sector = static_cast<int>(h);
        const double table[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
        for (int i = 0; i < 3; ++i) rgb[i] = table[sector % 6][i] + m;
        colours[static_cast<size_t>(k)] =
            Rgb(static_cast<uint8_t>(std::lround(rgb[0] * 255)), static_cast<uint8_t>(std::lround(rgb[1] * 255)),
                static_cast<uint8_t>(std::lround(rgb[2] * 255)));
    }
    return colours;
}

class ChartWriter {
public:
    ChartWriter(const ScheduleRequest& request, const LanguageList& language, ChartUse use)
        : request_(request), language_(language), use_(use),
          top_((use == ChartUse::Alone ? kBandHeight : kLineHeight) + 20) {}

    std::string Render() {
        Collect();
        Scale();
        out_.reserve(4096 + days_ * series_.size() * 14);
        if (use_ == ChartUse::Alone) out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"year-chart\" viewBox=\"0 0 ";
        Number(out_, kWidth);
        out_ += ' ';
        Number(out_, kHeight);
        out_ += '"';
        Attribute("width", kWidth);
        Attribute("height", kHeight);
        out_ += " role=\"img\" font-family=\"";
        out_ += kFont;
        out_ += "\">\n<title>" + Text(ScheduleTitle(request_, language_)) + "</title>\n";
        out_ += "<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
        Heading();
        HourGrid();
        MonthTicks();
        ZoneChanges();
        for (const Series& s : series_) Line(s);
        Names();
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    // The times of every day shown, as hours on the day's own clock: the
    // evening times after midnight count on from 24, the morning ones before
    // midnight from below 0, so each line stays whole.
    void Collect() {
        const DateTime first = DateOf(request_.first);
        last_ = ChartLastDay(first, std::max(first, DateOf(request_.last)));  // at least a day
        days_ = static_cast<int>(last_ - first) + 1;
        const std::array<Colour, kPrayerCount> colours = LineColours(request_.main_colour);
        const bool imsak = ImsakOn(request_.core);
        if (imsak) series_.push_back({kLineImsak, colours[0], true, {}});
        static constexpr std::array<Prayer, kPrayerCount> kOrder = {Shubuh, Terbit, Dhuhur, Asar, Maghrib, Isya};
        for (size_t k = 0; k < kOrder.size(); ++k)
            series_.push_back({2 + static_cast<int>(k), colours[k], false, {}});
        for (Series& s : series_) s.hours.reserve(static_cast<size_t>(days_));
        zones_.reserve(static_cast<size_t>(days_));
        for (int i = 0; i < days_; ++i) {
            const DateTime date = first + i;
            const CalcSettings place = PlaceOnDate(request_.calc, request_.zone, date);
            zones_.push_back(place.time_zone);
            const PrayerTimes t = CalculatePrayerTimes(place, date, request_.core);
            const double noon = IsMissing(t[Dhuhur]) ? NAN : t[Dhuhur] * 24;
            const auto hours = [&](DateTime value, bool morning) {
                if (IsMissing(value)) return static_cast<double>(NAN);
                double h = value * 24;
                if (morning && h > noon) h -= 24;
                if (!morning && h < noon) h += 24;
                return h;
            };
            size_t s = 0;
            if (imsak) series_[s++].hours.push_back(hours(ImsakTime(t, request_.core), true));
            for (Prayer p : kOrder) series_[s++].hours.push_back(hours(t[p], p == Shubuh || p == Terbit));
        }
    }

    // Whole hours around every time shown.
    void Scale() {
        double lo = INFINITY, hi = -INFINITY;
        for (const Series& s : series_)
            for (double h : s.hours)
                if (!std::isnan(h)) lo = std::min(lo, h), hi = std::max(hi, h);
        if (lo > hi) lo = 0, hi = 24;
        first_hour_ = static_cast<int>(std::floor(lo));
        last_hour_ = std::max(static_cast<int>(std::ceil(hi)), first_hour_ + 2);
        // Every second hour is marked on a tall scale: both ends on a mark.
        step_ = last_hour_ - first_hour_ > 14 ? 2 : 1;
        last_hour_ += (last_hour_ - first_hour_) % step_;
    }

    double X(int day) const { return kLeft + (day + 0.5) * (kRight - kLeft) / days_; }
    double DayEdge(int day) const { return kLeft + static_cast<double>(day) * (kRight - kLeft) / days_; }
    double Y(double hours) const {
        return top_ + (hours - first_hour_) * (kBottom - top_) / (last_hour_ - first_hour_);
    }

    // Escaped for XML, without control characters (which XML cannot hold).
    std::string Text(std::string_view text) const {
        std::string printable;
        for (char c : text)
            if (static_cast<unsigned char>(c) >= 0x20) printable += c;
        const std::string escaped = HtmlText(printable);
        return use_ == ChartUse::Alone ? Cp1252ToUtf8(escaped) : escaped;
    }

    // ` name="12.3"`
    void Attribute(std::string_view name, double value) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        Number(out_, value);
        out_ += '"';
    }

    void TextAt(double x, double y, std::string_view attributes, std::string_view text) {
        out_ += "<text";
        Attribute("x", x);
        Attribute("y", y);
        out_ += ' ';
        out_ += attributes;
        out_ += '>';
        out_ += Text(text);
        out_ += "</text>\n";
    }

    void Heading() {
        std::string period = SchedulePeriod(DateOf(request_.first), last_, language_);
        if (last_ < DateOf(request_.last)) period += "  \xB7  " + language_.Line(kLineChartTenYears);
        if (use_ == ChartUse::InHtml) {
            TextAt(kLeft - 40, 18, "fill=\"#1D232B\" font-size=\"13\"", period);
            return;
        }
        out_ += "<rect width=\"100%\"";
        Attribute("height", kBandHeight);
        out_ += " fill=\"" + ColourToHtml(request_.main_colour) + "\"/>\n";
        const std::string ink = "fill=\"" + ColourToHtml(request_.text_colour) + "\"";
        TextAt(kLeft - 40, 26, ink + " font-size=\"18\" font-weight=\"600\"", ScheduleTitle(request_, language_));
        TextAt(kLeft - 40, 47, ink + " font-size=\"13\"", period);
    }

    void HourGrid() {
        const int step = step_;
        out_ += "<g stroke=\"#E1E4E8\" stroke-width=\"1\">\n";
        for (int h = first_hour_; h <= last_hour_; h += step) Segment(kLeft, Y(h), kRight, Y(h));
        out_ += "</g>\n<g fill=\"#5D6670\" font-size=\"11\" text-anchor=\"end\">\n";
        for (int h = first_hour_; h <= last_hour_; h += step) {
            const int clock = ((h % 24) + 24) % 24;
            const std::string label = std::string(clock < 10 ? "0" : "") + IntText(clock) + ":00";
            TextAt(kLeft - 6, Y(h) + 4, "", label);
        }
        out_ += "</g>\n";
    }

    void Segment(double x1, double y1, double x2, double y2) {
        out_ += "<line";
        Attribute("x1", x1);
        Attribute("y1", y1);
        Attribute("x2", x2);
        Attribute("y2", y2);
        out_ += "/>\n";
    }

    // A tick at the start of every month; names of months for a short
    // range, of years (at January) for a long one.
    void MonthTicks() {
        const DateTime first = DateOf(request_.first);
        const bool months = days_ <= kMonthNamesUpTo;
        std::vector<int> starts;  // first day of each month shown
        for (int i = 0; i < days_; ++i)
            if (i == 0 || DecodeDate(first + i).day == 1) starts.push_back(i);
        out_ += "<g stroke=\"#B8BEC6\" stroke-width=\"1\">\n";
        Segment(kLeft, kBottom, kRight, kBottom);
        for (int i : starts) {
            const bool year = DecodeDate(first + i).month == 1;
            Segment(DayEdge(i), kBottom, DayEdge(i), kBottom + (year ? 12 : 6));
            if (months || year) Segment(DayEdge(i), top_, DayEdge(i), kBottom);
        }
        out_ += "</g>\n<g fill=\"#5D6670\" font-size=\"11\" text-anchor=\"middle\">\n";
        const MonthNames& names = language_.GregorianMonths();
        for (size_t k = 0; k < starts.size(); ++k) {
            const int from = starts[k];
            const int to = k + 1 < starts.size() ? starts[k + 1] : days_;
            const Ymd d = DecodeDate(first + from);
            if (months) {
                if (DayEdge(to) - DayEdge(from) >= 24)
                    TextAt((DayEdge(from) + DayEdge(to)) / 2, kBottom + 17, "",
                           names[static_cast<size_t>(d.month)].substr(0, 3));
                if (k == 0 || d.month == 1) TextAt(DayEdge(from) + 2, kBottom + 32, "text-anchor=\"start\"", IntText(d.year));
            } else if (k == 0 || d.month == 1) {
                // The year's name in the middle of its part of the range.
                size_t end = k + 1;
                while (end < starts.size() && DecodeDate(first + starts[end]).month != 1) ++end;
                const double right = end < starts.size() ? DayEdge(starts[end]) : DayEdge(days_);
                if (right - DayEdge(from) >= 30) TextAt((DayEdge(from) + right) / 2, kBottom + 22, "", IntText(d.year));
            }
        }
        out_ += "</g>\n";
    }

    // Where the zone's offset changes, a dashed line and the new offset.
    void ZoneChanges() {
        std::string labels;
        out_ += "<g stroke=\"#8A939D\" stroke-width=\"1\" stroke-dasharray=\"3 3\">\n";
        for (int i = 1; i < days_; ++i) {
            if (zones_[static_cast<size_t>(i)] == zones_[static_cast<size_t>(i) - 1]) continue;
            Segment(DayEdge(i), top_ - 8, DayEdge(i), kBottom);
            const float zone = zones_[static_cast<size_t>(i)];
            changes_.push_back({i, "UTC" + std::string(zone < 0 ? "" : "+") + DecimalText(zone)});
        }
        out_ += "</g>\n<g fill=\"#5D6670\" font-size=\"10\" text-anchor=\"middle\">\n";
        // Over several years the changes come every few months: the first
        // year's are named, the dashed lines show the rest.
        double last_x = -1e9;
        for (const auto& [day, label] : changes_) {
            if (days_ > kMonthNamesUpTo && day > 366) break;
            if (DayEdge(day) - last_x < 34) continue;  // too close to the one before to read
            TextAt(DayEdge(day), top_ - 11, "", label);
            last_x = DayEdge(day);
        }
        out_ += "</g>\n";
    }

    // The line of one time, broken where the time is missing; a day standing
    // alone is a dot.
    void Line(const Series& s) {
        const std::string colour = ColourToHtml(s.colour);
        out_ += "<g fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + (days_ > 800 ? "1.2" : "1.8") +
                "\" stroke-linejoin=\"round\"";
        if (s.dashed) out_ += " stroke-dasharray=\"6 4\"";
        out_ += ">\n";
        int i = 0;
        while (i < days_) {
            if (std::isnan(s.hours[static_cast<size_t>(i)])) {
                ++i;
                continue;
            }
            int end = i;
            while (end < days_ && !std::isnan(s.hours[static_cast<size_t>(end)])) ++end;
            if (end - i == 1) {
                out_ += "<circle r=\"2.5\" fill=\"" + colour + '"';
                Attribute("cx", X(i));
                Attribute("cy", Y(s.hours[static_cast<size_t>(i)]));
                out_ += "/>\n";
            } else {
                out_ += "<polyline points=\"";
                for (int k = i; k < end; ++k) {
                    if (k > i) out_ += ' ';
                    Number(out_, X(k));
                    out_ += ',';
                    Number(out_, Y(s.hours[static_cast<size_t>(k)]));
                }
                out_ += "\"/>\n";
            }
            i = end;
        }
        out_ += "</g>\n";
    }

    // Each line's name right of its last point, moved apart where two lines
    // end close together.
    void Names() {
        struct Name {
            double y;
            const Series* series;
        };
        std::vector<Name> names;
        for (const Series& s : series_) {
            for (int i = days_ - 1; i >= 0; --i) {
                if (std::isnan(s.hours[static_cast<size_t>(i)])) continue;
                names.push_back({Y(s.hours[static_cast<size_t>(i)]) + 4, &s});
                break;
            }
        }
        std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.y < b.y; });
        for (size_t k = 1; k < names.size(); ++k) names[k].y = std::max(names[k].y, names[k - 1].y + kLabelGap);
        const double overflow = names.empty() ? 0 : names.back().y - (kBottom + 4);
        for (Name& n : names) n.y -= std::max(0.0, overflow);
        out_ += "<g font-size=\"12\" font-weight=\"600\">\n";
        for (const Name& n : names)
            TextAt(kRight + 8, n.y, "fill=\"" + ColourToHtml(n.series->colour) + "\"", language_.Line(n.series->line));
        out_ += "</g>\n";
    }

    const ScheduleRequest& request_;
    const LanguageList& language_;
    ChartUse use_;
    double top_;  // of the plot
    DateTime last_ = 0;
    int days_ = 0;
    int first_hour_ = 0, last_hour_ = 24, step_ = 1;
    std::vector<Series> series_;
    std::vector<float> zones_;
    std::vector<std::pair<int, std::string>> changes_;
    std::string out_;
};

}  // namespace

DateTime ChartLastDay(DateTime first, DateTime last) {
    const Ymd d = DecodeDate(first);
    // The same day ten years on (28 February for a 29th in a common year).
    const int year = d.year + kChartYears;
    const int day = std::min(d.day, DaysInMonth(year, d.month));
    const DateTime limit = year <= 9999 ? EncodeDate(year, d.month, day) - 1 : last;
    return std::min(last, limit);
}

std::string RenderChart(const ScheduleRequest& request, const LanguageList& language, ChartUse use) {
    return ChartWriter(request, language, use).Render();
}

}  // namespace waktuna
