#include "waktuna/pages/schedule_page.h"

#include <algorithm>
#include <streambuf>

#include "waktuna/calc/ranges.h"
#include "waktuna/files/safe_file.h"

namespace waktuna {

DateTime ScheduleDate(DateTime picked) {
    const DateTime first = EncodeDate(kFirstScheduleDate.year, kFirstScheduleDate.month, kFirstScheduleDate.day);
    const DateTime last = EncodeDate(kLastScheduleDate.year, kLastScheduleDate.month, kLastScheduleDate.day);
    return std::clamp(DateOf(picked), first, last);
}

void SchedulePage::Reset(DateTime today) { start = end = ScheduleDate(today); }
void SchedulePage::SetStart(DateTime picked) { start = ScheduleDate(picked); }
void SchedulePage::SetEnd(DateTime picked) { end = ScheduleDate(picked); }

const ScheduleFormatChoice& SchedulePage::Format() const {
    const auto& formats = ScheduleFormats();
    return formats[format < formats.size() ? format : 0];
}

ScheduleRequest SchedulePage::Request(const MainSettings& settings, std::string htmlTemplate) const {
    ScheduleRequest r;
    r.first = start;
    r.last = end;
    r.time_format = std::string(TimeFormat());
    r.format = Format().format;
    r.calc = ToCalcSettings(settings.calc);
    r.core = settings.core;
    // The chosen format also decides the rounding: "HH:mm:ss" shows the
    // seconds of the times, not minutes rounded for the clock's "HH:mm".
    r.core.time_format = r.time_format;
    r.methods = settings.calc.methods;
    r.authority = settings.calc.authority;
    r.area = settings.calc.area;
    r.ics_sunrise = ics_sunrise;
    r.main_colour = main_colour;
    r.text_colour = text_colour;
    if (r.format == ScheduleFormat::Html) r.html_template = std::move(htmlTemplate);
    return r;
}

namespace {

// Collects what is written and hands it on to `out` a step at a time,
// calling `between` after each step.
class SteppingBuffer final : public std::streambuf {
public:
    SteppingBuffer(std::ostream& out, const std::function<void()>& between) : out_(out), between_(between) {
        buffer_.resize(kScheduleStepBytes);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    // Hands on what is left; false when the target failed.
    bool Finish() { return Step() && out_.flush().good(); }

protected:
    int_type overflow(int_type c) override {
        if (!Step()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

private:
    bool Step() {
        const std::streamsize n = pptr() - pbase();
        if (n > 0) {
            out_.write(pbase(), n);
            setp(buffer_.data(), buffer_.data() + buffer_.size());
            if (!out_.good()) return false;
            if (between_) between_();
        }
        return true;
    }

    std::ostream& out_;
    const std::function<void()>& between_;
    std::vector<char> buffer_;
};

}  // namespace

bool ScheduleSettingsUsable(const ScheduleRequest& request) {
    // Following the system's zone, the zone of the first day stands in for
    // the stored one, as it does on the main window.
    return UsableForCalculation(PlaceOnDate(request.calc, request.zone, DateOf(request.first)));
}

ScheduleResult WriteScheduleInSteps(const ScheduleRequest& request, const LanguageList& language,
                                    const std::string& file, const std::function<void()>& between,
                                    ReplaceFileFunction replace) {
    // A latitude of 200 would still give a full timetable of nonsense.
    if (!ScheduleSettingsUsable(request)) return {false, language.Line(kLineScheduleSettingsUnusable)};
    // A range WriteSchedule refuses gets its answer from it.
    if (request.first < 1 || DateOf(request.last) < DateOf(request.first) ||
        request.last >= EncodeDate(9999, 12, 31) + 1)
        return WriteSchedule(request, language, file, replace);
    SafeFileWriter writer(file, replace);
    if (!writer.Ok()) return {false, writer.Error()};
    SteppingBuffer buffer(writer.Stream(), between);
    std::ostream out(&buffer);
    // A walk cut short never replaces the old file.
    if (!RenderSchedule(request, language, out) || !buffer.Finish()) return {false, "Cannot write " + file};
    if (!writer.Commit()) return {false, writer.Error()};
    return {true, {}};
}

}  // namespace waktuna
