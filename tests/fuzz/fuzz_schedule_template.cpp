// The timetable's template (jadwal.tpl, edited by users) and the place name:
// any template renders without crashing or hanging (with the year chart
// wherever it says {CHART}), filling a template with its own placeholder
// names changes nothing, and no place name can break the HTML, CSV, TSV or
// SVG it is written into.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/schedule/schedule.h"

using namespace waktuna;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

LanguageList Texts() {
    std::vector<std::string> lines(227);
    for (size_t i = 0; i < lines.size(); ++i) lines[i] = "Text " + std::to_string(i + 1);
    return LanguageList(std::move(lines));
}

std::string Render(ScheduleRequest request, ScheduleFormat format, const std::string& area) {
    static const LanguageList texts = Texts();
    request.format = format;
    request.area = area;
    std::ostringstream out;
    Check(RenderSchedule(request, texts, out));
    return out.str();
}

// The first record of a CSV text, read as a spreadsheet reads it.
std::vector<std::string> FirstCsvRecord(const std::string& csv) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            return fields;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    ScheduleRequest request;
    request.first = EncodeDate(2020, 1, 1) + input.ConsumeIntegralInRange(0, 3650);
    request.last = request.first + input.ConsumeIntegralInRange(0, 62);
    request.calc.latitude = input.ConsumeFloatingPointInRange(-90.0f, 90.0f);
    request.calc.longitude = input.ConsumeFloatingPointInRange(-180.0f, 180.0f);
    request.calc.time_zone = 7;
    request.calc.fajr_angle = 20;
    request.calc.isha_angle = 18;
    const std::string area = input.ConsumeRandomLengthString(64);
    request.html_template = input.ConsumeRemainingBytesAsString();

    // Any template.
    Render(request, ScheduleFormat::Html, area);

    // Each placeholder filled with its own name: the text comes back unchanged.
    static constexpr std::string_view kNames[] = {"{VERSI}", "{COLMAIN}", "{TITLE}", "{INFO}",
                                                  "{TBL_ROWS}", "{CHART}"};
    std::vector<Placeholder> same;
    for (size_t k = 0; k < std::size(kNames); ++k) same.push_back({kNames[k], kNames[k], k % 2 == 0});
    Check(FillPlaceholders(request.html_template, same) == request.html_template);

    // The place name in HTML: no markup of its own, every "&" an entity.
    request.html_template = "{TITLE}<!--header--><!--jadwal-->";
    const std::string title = Render(request, ScheduleFormat::Html, area);
    Check(title.find_first_of("<>\"") == std::string::npos);
    for (size_t p = title.find('&'); p != std::string::npos; p = title.find('&', p + 1)) {
        const std::string_view rest = std::string_view(title).substr(p);
        Check(rest.starts_with("&amp;") || rest.starts_with("&lt;") || rest.starts_with("&gt;") ||
              rest.starts_with("&quot;"));
    }

    // The place name in CSV: the title line stays one field holding the title.
    const std::string csv = Render(request, ScheduleFormat::Csv, area);
    const auto record = FirstCsvRecord(csv);
    Check(record.size() == 1 && record[0] == "Text 170 " + area);
    Check(csv.size() >= area.size());

    // The place name in TSV: no extra field and no extra line.
    const std::string tsv = Render(request, ScheduleFormat::Tsv, area);
    const std::string plain = Render(request, ScheduleFormat::Tsv, "");
    const auto count = [](const std::string& text, std::string_view what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    };
    Check(count(tsv, "\t") == count(plain, "\t") && count(tsv, "\n") == count(plain, "\n") &&
          count(tsv, "\r") == count(plain, "\r"));

    // The place name in the chart: text, never markup.
    const std::string svg = Render(request, ScheduleFormat::Svg, area);
    const std::string bare = Render(request, ScheduleFormat::Svg, "");
    Check(count(svg, "<") == count(bare, "<") && count(svg, ">") == count(bare, ">") &&
          count(svg, "\"") == count(bare, "\""));
    return 0;
}
