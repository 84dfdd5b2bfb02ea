#include "waktuna/pages/schedule_page.h"

#include <algorithm>

namespace waktuna {

DateTime ScheduleDate(DateTime picked) {
    const DateTime first = EncodeDate(kFirstScheduleDate.year, kFirstScheduleDate.month, kFirstScheduleDate.day);
    const DateTime last = EncodeDate(kLastScheduleDate.year, kLastScheduleDate.month, kLastScheduleDate.day);
    return std::clamp(DateOf(picked), first, last);
}

void SchedulePageModel::Reset(DateTime today) { start = end = ScheduleDate(today); }
void SchedulePageModel::SetStart(DateTime picked) { start = ScheduleDate(picked); }
void SchedulePageModel::SetEnd(DateTime picked) { end = ScheduleDate(picked); }

const ScheduleFormatChoice& SchedulePageModel::Format() const {
    const auto& formats = ScheduleFormats();
    return formats[format < formats.size() ? format : 0];
}

ScheduleRequest SchedulePageModel::Request(const MainSettings& settings, std::string htmlTemplate) const {
    ScheduleRequest r;
    r.first = start;
    r.last = end;
    r.time_format = std::string(TimeFormat());
    r.format = Format().format;
    r.calc = ToCalcSettings(settings.calc);
    r.core = settings.core;
    r.methods = settings.calc.methods;
    r.area = settings.calc.area;
    r.main_colour = main_colour;
    r.text_colour = text_colour;
    if (r.format == ScheduleFormat::Html) r.html_template = std::move(htmlTemplate);
    return r;
}

}  // namespace waktuna
