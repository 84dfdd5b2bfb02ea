#include <cstdio>

#include "commands.h"
#include "place_options.h"
#include "waktuna/calc/imsak.h"

namespace cli {

int Times(int argc, char** argv) {
    auto specs = PlaceOptionSpecs();
    specs.push_back({"date", true});
    specs.push_back({"imsak", true});
    const Args args(argc, argv, 2, specs);
    if (args.Help()) {
        std::printf("usage: waktuna-cli times [--date YYYY-MM-DD] --lat T --lon T [--alt M] (--tz H | --zone NAME)\n"
                    "                         (--fajr DEG --isha DEG | --method NAME) [options]\n"
                    "Prints Shubuh, Terbit, Dhuhur, Asar, Maghrib and Isya, one per line.\n\n"
                    "  --date YYYY-MM-DD      the day (default today)\n"
                    "  --imsak N              also Imsak, N minutes before Fajr (1..60), first\n%s",
                    kPlaceOptionsHelp);
        return 0;
    }
    if (!args.Positional().empty()) throw UsageError{"unexpected argument '" + args.Positional()[0] + "'"};
    const PlaceOptions place = ReadPlaceOptions(args);
    const waktuna::Ymd day = args.Date("date");
    const waktuna::DateTime date = waktuna::EncodeDate(day.year, day.month, day.day);
    const auto times = waktuna::CalculatePrayerTimes(
        waktuna::PlaceOnDate(place.calc, place.zone.get(), date), date, place.core);
    const auto texts = waktuna::FormatPrayerTimes(times, place.core.time_format);

    static constexpr struct {
        const char* name;
        waktuna::Prayer index;
    } kRows[] = {{"Shubuh", waktuna::Shubuh}, {"Terbit", waktuna::Terbit},
                 {"Dhuhur", waktuna::Dhuhur}, {"Asar", waktuna::Asar},
                 {"Maghrib", waktuna::Maghrib}, {"Isya", waktuna::Isya}};
    std::string out;
    waktuna::CoreSettings core = place.core;
    core.imsak_minutes = args.ImsakMinutes();
    if (waktuna::ImsakOn(core))
        out += "Imsak\t" + waktuna::FormatTime(waktuna::ImsakTime(times, core), core.time_format) + '\n';
    for (const auto& row : kRows) out += std::string(row.name) + '\t' + texts[row.index] + '\n';
    Print(out);
    return 0;
}

}  // namespace cli
