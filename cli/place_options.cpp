#include "place_options.h"

#include "waktuna/calc/numbers.h"
#include "zone_option.h"

namespace cli {

namespace {

struct Method {
    const char* name;
    int methods;
    const char* fajr;
    const char* isha;
};

// The convention presets, as the settings page fills the two angle boxes.
constexpr Method kMethods[] = {
    {"karachi", 1, "18", "18"},    {"isna", 2, "15", "15"},       {"wil", 3, "18", "17"},
    {"ummulqura", 4, "19", "18"}, {"egypt", 5, "19.5", "17.5"},
};

float Angle(const Args& args, const char* option, const char* preset) {
    if (args.Has(option)) return static_cast<float>(args.Decimal(option, waktuna::CalcValue::Angle));
    if (preset) return static_cast<float>(waktuna::ReadDecimal(preset));
    throw UsageError{std::string("option --") + option + " (or --method) is required"};
}

}  // namespace

const char* const kPlaceOptionsHelp =
    "  --lat T, --lon T       latitude -90..90 and longitude -180..180 in degrees (north and\n"
    "                         east positive; '.' or ',' as decimal separator)\n"
    "  --alt M                altitude in whole metres, -500..9000 (default 0)\n"
    "  --tz H                 time zone, hours east of UTC, -12..14\n"
#if defined(_WIN32)
    "  --zone NAME            instead of --tz: a Windows time zone (\"GMT Standard Time\");\n"
#else
    "  --zone NAME            instead of --tz: a zone of the zone database (Europe/London);\n"
#endif
    "                         each day takes the offset in force at its noon\n"
    "  --fajr DEG --isha DEG  twilight angles of Shubuh and Isya, 0..30\n"
    "  --method NAME          karachi | isna | wil | ummulqura | egypt, instead of the angles\n"
    "  --hanafi               Asar by the Hanafi shadow rule (default Syafi'i)\n"
    "  --time-format F        HH:mm:ss (default) or HH:mm\n"
    "  --rounding R           down (default) | up | normal, for HH:mm\n"
    "  --add-fajr N, --add-dhuhr N, --add-asr N, --add-maghrib N, --add-isha N\n"
    "                         minutes added to each time, -120..120\n";

std::vector<OptionSpec> PlaceOptionSpecs() {
    return {{"lat", true},        {"lon", true},       {"alt", true},        {"tz", true},
            {"zone", true},       {"fajr", true},       {"isha", true},      {"method", true},     {"hanafi", false},
            {"time-format", true}, {"rounding", true}, {"add-fajr", true},   {"add-dhuhr", true},
            {"add-asr", true},    {"add-maghrib", true}, {"add-isha", true}};
}

PlaceOptions ReadPlaceOptions(const Args& args) {
    PlaceOptions p;
    p.latitude_text = args.Require("lat");
    p.longitude_text = args.Require("lon");
    p.calc.latitude = static_cast<float>(args.Decimal("lat", waktuna::CalcValue::Latitude));
    p.calc.longitude = static_cast<float>(args.Decimal("lon", waktuna::CalcValue::Longitude));
    if (args.Has("zone")) {
        if (args.Has("tz")) throw UsageError{"options --tz and --zone exclude each other"};
        p.zone = ZoneByName(args.Get("zone"));
    } else {
        if (!args.Has("tz")) throw UsageError{"option --tz (or --zone) is required"};
        p.calc.time_zone = static_cast<float>(args.Decimal("tz", waktuna::CalcValue::TimeZone));
    }
    p.calc.altitude = args.Whole("alt", 0, waktuna::CalcValue::Altitude);
    p.calc.syafii = !args.Has("hanafi");

    const Method* method = nullptr;
    if (args.Has("method")) {
        for (const auto& m : kMethods) {
            if (args.Get("method") == m.name) method = &m;
        }
        if (!method) throw UsageError{"option --method: unknown convention '" + args.Get("method") + "'"};
        p.methods = method->methods;
    }
    p.calc.fajr_angle = Angle(args, "fajr", method ? method->fajr : nullptr);
    p.calc.isha_angle = Angle(args, "isha", method ? method->isha : nullptr);

    const std::string format = args.Get("time-format", "HH:mm:ss");
    if (format != waktuna::kFormatHHmm && format != waktuna::kFormatHHmmss)
        throw UsageError{"option --time-format: '" + format + "' is neither HH:mm nor HH:mm:ss"};
    p.core.time_format = format;
    const std::string rounding = args.Get("rounding", "down");
    if (rounding == "down")
        p.core.pembulatan = waktuna::RoundDown;
    else if (rounding == "up")
        p.core.pembulatan = waktuna::RoundUp;
    else if (rounding == "normal")
        p.core.pembulatan = waktuna::RoundNormal;
    else
        throw UsageError{"option --rounding: '" + rounding + "' is not down, up or normal"};

    p.core.add_shubuh = args.Whole("add-fajr", 0, waktuna::CalcValue::Correction);
    p.core.add_dhuhur = args.Whole("add-dhuhr", 0, waktuna::CalcValue::Correction);
    p.core.add_asar = args.Whole("add-asr", 0, waktuna::CalcValue::Correction);
    p.core.add_maghrib = args.Whole("add-maghrib", 0, waktuna::CalcValue::Correction);
    p.core.add_isya = args.Whole("add-isha", 0, waktuna::CalcValue::Correction);
    return p;
}

}  // namespace cli
