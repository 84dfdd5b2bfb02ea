#include "place_options.h"

#include "waktuna/calc/authorities.h"
#include "zone_option.h"

namespace cli {

namespace {

float Angle(const Args& args, const char* option, const waktuna::Authority* preset, float presetAngle) {
    if (args.Has(option)) return static_cast<float>(args.Decimal(option, waktuna::CalcValue::Angle));
    if (preset) return presetAngle;
    throw UsageError{std::string("option --") + option + " (or --method) is required"};
}

waktuna::HighLatitudeRule HighLatitude(const Args& args, waktuna::HighLatitudeRule fallback) {
    if (!args.Has("high-lat")) return fallback;
    const std::string rule = args.Get("high-lat");
    if (rule == "angle") return waktuna::HighLatitudeRule::TwilightAngle;
    if (rule == "middle") return waktuna::HighLatitudeRule::MiddleOfNight;
    if (rule == "seventh") return waktuna::HighLatitudeRule::OneSeventh;
    throw UsageError{"option --high-lat: '" + rule + "' is not angle, middle or seventh"};
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
    "  --method NAME          a convention instead of the angles: karachi | isna | wil |\n"
    "                         ummulqura | egypt (the settings page's buttons), or an\n"
    "                         authority: mwl | makkah | dubai | qatar | kuwait | singapore |\n"
    "                         jakim | kemenag | turkey | tehran | moonsighting | morocco |\n"
    "                         france | egas (waktuna-cli methods lists their values); the\n"
    "                         options below change single values of it\n"
    "  --hanafi               Asar by the Hanafi shadow rule (default Syafi'i)\n"
    "  --precise              the precise sun (about a second) instead of the Fourier model\n"
    "  --high-lat RULE        angle (default) | middle | seventh: Fajr and Isha where the\n"
    "                         night is short, by the twilight angle, the middle or a seventh\n"
    "                         of the night\n"
    "  --isha-interval MIN    Isha MIN minutes after Maghrib, 0..240 (0: by its angle)\n"
    "  --isha-interval-ramadan MIN  the same in the Hijri month of Ramadan\n"
    "  --maghrib-angle DEG    Maghrib when the sun is DEG below the horizon, 0..10 (0: sunset)\n"
    "  --time-format F        HH:mm:ss (default) or HH:mm\n"
    "  --rounding R           down | up | normal, for HH:mm (default down, or the --method's)\n"
    "  --add-fajr N, --add-sunrise N, --add-dhuhr N, --add-asr N, --add-maghrib N,\n"
    "  --add-isha N           minutes added to each time, -120..120\n";

std::vector<OptionSpec> PlaceOptionSpecs() {
    return {{"lat", true},        {"lon", true},       {"alt", true},        {"tz", true},
            {"zone", true},       {"fajr", true},       {"isha", true},      {"method", true},     {"hanafi", false},   {"precise", false},
            {"high-lat", true},   {"isha-interval", true}, {"isha-interval-ramadan", true},
            {"maghrib-angle", true}, {"add-sunrise", true},
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

    const waktuna::Authority* preset = nullptr;
    if (args.Has("method")) {
        preset = waktuna::AuthorityByKey(args.Get("method"));
        if (!preset) throw UsageError{"option --method: unknown convention '" + args.Get("method") + "'"};
        p.methods = preset->methods;
        p.authority = preset->number;
        p.calc = waktuna::WithAuthority(p.calc, *preset);
        p.core = waktuna::WithAuthority(p.core, *preset);
    }
    p.calc.syafii = !args.Has("hanafi") && !(preset && preset->hanafi);
    p.calc.fajr_angle = Angle(args, "fajr", preset, preset ? preset->fajr_angle : 0);
    p.calc.isha_angle = Angle(args, "isha", preset, preset ? preset->isha_angle : 0);
    if (args.Has("precise")) p.calc.precise_sun = true;
    p.calc.high_latitude = HighLatitude(args, p.calc.high_latitude);
    p.calc.isha_interval = args.Whole("isha-interval", p.calc.isha_interval, waktuna::CalcValue::IshaInterval);
    p.calc.isha_interval_ramadan =
        args.Whole("isha-interval-ramadan", p.calc.isha_interval_ramadan, waktuna::CalcValue::IshaInterval);
    if (args.Has("maghrib-angle"))
        p.calc.maghrib_angle = static_cast<float>(args.Decimal("maghrib-angle", waktuna::CalcValue::MaghribAngle));

    const std::string format = args.Get("time-format", "HH:mm:ss");
    if (format != waktuna::kFormatHHmm && format != waktuna::kFormatHHmmss)
        throw UsageError{"option --time-format: '" + format + "' is neither HH:mm nor HH:mm:ss"};
    p.core.time_format = format;
    if (args.Has("rounding")) {
        const std::string rounding = args.Get("rounding");
        if (rounding == "down")
            p.core.pembulatan = waktuna::RoundDown;
        else if (rounding == "up")
            p.core.pembulatan = waktuna::RoundUp;
        else if (rounding == "normal")
            p.core.pembulatan = waktuna::RoundNormal;
        else
            throw UsageError{"option --rounding: '" + rounding + "' is not down, up or normal"};
    }

    const auto correction = [&](const char* option, int32_t& value) {
        value = args.Whole(option, value, waktuna::CalcValue::Correction);
    };
    correction("add-fajr", p.core.add_shubuh);
    correction("add-sunrise", p.core.add_terbit);
    correction("add-dhuhr", p.core.add_dhuhur);
    correction("add-asr", p.core.add_asar);
    correction("add-maghrib", p.core.add_maghrib);
    correction("add-isha", p.core.add_isya);
    return p;
}

}  // namespace cli
