// waktuna-cli methods: every convention preset with its values and source.
#include <cstdio>

#include "args.h"
#include "commands.h"
#include "waktuna/calc/authorities.h"
#include "waktuna/calc/numbers.h"

namespace cli {

namespace {

std::string Degrees(float angle) { return waktuna::ShortestFloatText(angle); }

std::string IshaText(const waktuna::Authority& a) {
    if (a.seasonal_twilight) return "Fajr and Isha by season and latitude (Moonsighting Committee)";
    std::string text = "Fajr " + Degrees(a.fajr_angle) + ", Isha ";
    if (a.isha_interval == 0) return text + Degrees(a.isha_angle);
    text += std::to_string(a.isha_interval) + " min after Maghrib";
    if (a.isha_interval_ramadan != 0) text += " (" + std::to_string(a.isha_interval_ramadan) + " in Ramadan)";
    return text;
}

const char* RoundingName(waktuna::RoundingMode mode) {
    switch (mode) {
        case waktuna::RoundUp: return "up";
        case waktuna::RoundNormal: return "normal";
        default: return "down";
    }
}

const char* HighLatitudeName(waktuna::HighLatitudeRule rule) {
    switch (rule) {
        case waktuna::HighLatitudeRule::MiddleOfNight: return "middle";
        case waktuna::HighLatitudeRule::OneSeventh: return "seventh";
        default: return "angle";
    }
}

}  // namespace

int Methods(int argc, char** argv) {
    const Args args(argc, argv, 2, {});
    if (args.Help()) {
        std::printf("usage: waktuna-cli methods\n"
                    "Lists every convention --method accepts: its angles or Isha interval,\n"
                    "Maghrib, Asr rule, minute corrections (Fajr, sunrise, Dhuhr, Asr, Maghrib,\n"
                    "Isha), rounding, high-latitude rule, altitude, sun model and source.\n");
        return 0;
    }
    if (!args.Positional().empty()) throw UsageError{"unexpected argument '" + args.Positional()[0] + "'"};
    std::string out;
    for (const waktuna::Authority& a : waktuna::Authorities()) {
        std::string add;
        for (const int8_t minutes : a.add) {
            if (!add.empty()) add += ' ';
            add += std::to_string(minutes);
        }
        out += std::string(a.key) + '\t' + std::string(a.name) + '\n';
        out += '\t';
        out += IshaText(a) + "; Maghrib " +
               (a.maghrib_angle != 0 ? Degrees(a.maghrib_angle) + " below the horizon" : "at sunset") +
               "; Asr " + (a.hanafi ? "Hanafi" : "Syafi'i") + '\n';
        out += "\tcorrections " + add + "; rounding " + RoundingName(a.rounding) + "; high-lat " +
               HighLatitudeName(a.high_latitude) + "; altitude " + (a.altitude ? "applied" : "sea level") +
               "; sun " + (a.precise_sun ? "precise" : "Fourier") + '\n';
        out += "\tsource: " + std::string(a.source) + '\n';
    }
    Print(out);
    return 0;
}

}  // namespace cli
