#include <cstdio>

#include "args.h"
#include "commands.h"
#include "place_options.h"
#include "waktuna/files/encoding.h"
#include "waktuna/schedule/chart.h"
#include "waktuna/schedule/schedule.h"

namespace cli {

namespace {

// "#RRGGBB" (either letter case) as a Windows colour value.
waktuna::Colour ReadColour(const Args& args, const char* option, waktuna::Colour fallback) {
    if (!args.Has(option)) return fallback;
    const std::string text = args.Get(option);
    const auto hex = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    int channel[3] = {};
    bool ok = text.size() == 7 && text[0] == '#';
    for (int k = 0; ok && k < 3; ++k) {
        const int high = hex(text[1 + 2 * k]), low = hex(text[2 + 2 * k]);
        ok = high >= 0 && low >= 0;
        channel[k] = high * 16 + low;
    }
    if (!ok) throw UsageError{std::string("option --") + option + ": '" + text + "' is not #RRGGBB"};
    return waktuna::Rgb(static_cast<uint8_t>(channel[0]), static_cast<uint8_t>(channel[1]),
                        static_cast<uint8_t>(channel[2]));
}

waktuna::ScheduleFormat ReadFormat(const Args& args) {
    const std::string format = args.Get("format", "html");
    std::string names;
    for (const auto& info : waktuna::ScheduleFormats()) {
        if (format == info.name) return info.format;
        names += (names.empty() ? "" : ", ") + std::string(info.name);
    }
    throw UsageError{"option --format: '" + format + "' is not one of " + names};
}

waktuna::DateTime ReadDay(const Args& args, const char* option) {
    const waktuna::Ymd d = args.Date(option);
    return waktuna::EncodeDate(d.year, d.month, d.day);
}

}  // namespace

int Schedule(int argc, char** argv) {
    auto specs = PlaceOptionSpecs();
    specs.insert(specs.end(), {{"from", true},
                               {"to", true},
                               {"format", true},
                               {"out", true},
                               {"template", true},
                               {"place", true},
                               {"color", true},
                               {"text-color", true},
                               {"correction", true},
                               {"calendar", true},
                               {"imsak", true},
                               {"sunrise", false}});
    const Args args(argc, argv, 2, specs);
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli schedule --from YYYY-MM-DD --to YYYY-MM-DD --out FILE\n"
            "                            [--format html|tsv|csv|ics|svg] [--template FILE] [--sunrise]\n"
            "                            --lat T --lon T [--alt M] (--tz H | --zone NAME)\n"
            "                            (--fajr DEG --isha DEG | --method NAME) [options]\n"
            "Writes the prayer times of every day from --from to --to (both included),\n"
            "month by month, with the calculation settings at the end. The file is\n"
            "written whole or not at all.\n\n"
            "  --from, --to           the first and the last day (default today)\n"
            "  --out FILE             the file to write (replaced if it exists)\n"
            "  --format F             html (default), tsv, csv or ics (iCalendar: an event\n"
            "                         a prayer a day at its UTC time, for calendar programs),\n"
            "                         or svg: the year chart alone (at most ten years)\n"
            "  --sunrise              ics: sunrise as an event too\n"
            "  --template FILE        HTML template (default jadwal.tpl beside this program;\n"
            "                         without it the HTML file is empty)\n"
            "  --place NAME           the place name of the title\n"
            "  --color #RRGGBB        main colour of the HTML page (default #808080)\n"
            "  --text-color #RRGGBB   text colour on the main colour (default #000000)\n"
            "  --correction N         Hijri correction in days (-128..127, default 0)\n"
            "  --calendar C           Hijri calendar: tabular (default) or umalqura\n"
            "  --imsak N              an Imsak column N minutes before Fajr (1..60; 0 none)\n"
            "  In an HTML template {CHART} puts the year chart in the page.\n%s",
            kPlaceOptionsHelp);
        return 0;
    }
    if (!args.Positional().empty()) throw UsageError{"unexpected argument '" + args.Positional()[0] + "'"};

    const PlaceOptions place = ReadPlaceOptions(args);
    waktuna::ScheduleRequest request;
    request.first = ReadDay(args, "from");
    request.last = ReadDay(args, "to");
    if (request.last < request.first)
        throw UsageError{"invalid date range: --to " + args.Get("to") + " is before --from " +
                         args.Get("from")};
    request.format = ReadFormat(args);
    request.time_format = place.core.time_format;
    request.calc = place.calc;
    request.core = place.core;
    request.core.hijriyah_diff = args.HijriCorrection();
    request.core.hijri_calendar = args.Calendar();
    request.core.imsak_minutes = args.ImsakMinutes();
    request.methods = place.methods;
    request.authority = place.authority;
    request.zone = place.zone.get();
    request.ics_sunrise = args.Has("sunrise");
#if defined(_WIN32)
    request.area = args.Get("place");  // already in the system's code page
#else
    request.area = waktuna::Utf8ToCp1252(args.Get("place"));
#endif
    request.main_colour = ReadColour(args, "color", request.main_colour);
    request.text_colour = ReadColour(args, "text-color", request.text_colour);
    const std::string out = args.Require("out");

    if (request.format == waktuna::ScheduleFormat::Html) {
        if (args.Has("template")) {
            const auto text = waktuna::ReadWholeFile(args.Get("template"));
            if (!text) throw UsageError{"option --template: cannot read '" + args.Get("template") + "'"};
            request.html_template = *text;
        } else {
            const std::string file = ProgramFolder() + "jadwal.tpl";
            request.html_template = waktuna::ReadScheduleTemplate(file);
            if (request.html_template.empty())
                std::fprintf(stderr, "waktuna-cli schedule: no template at %s: the HTML file is empty\n",
                             file.c_str());
        }
    }

    if (request.format == waktuna::ScheduleFormat::Svg &&
        waktuna::ChartLastDay(request.first, request.last) < request.last)
        std::fprintf(stderr, "waktuna-cli schedule: the chart shows the first %d years of the range\n",
                     waktuna::kChartYears);
    const auto result = waktuna::WriteSchedule(request, waktuna::BuiltInEnglish(), out);
    if (!result.ok) {
        std::fprintf(stderr, "waktuna-cli schedule: %s\n", result.error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace cli
