#include <cstdio>

#include "commands.h"
#include "args.h"
#include "waktuna/calc/calendar.h"
#include "waktuna/calc/numbers.h"

namespace cli {

namespace {

// YYYY-MM-DD with a month 1..12 and a day 1..30 (Hijri months) or a date of
// the Western calendar the conversion reads: Julian up to 14 October 1582
// (so 1500-02-29 and 1582-10-10 exist), Gregorian from the 15th.
waktuna::Ymd ReadDateArgument(const Args& args, bool hijri) {
    if (args.Positional().size() != 1) throw UsageError{"expected one date YYYY-MM-DD"};
    const std::string& text = args.Positional()[0];
    waktuna::Ymd d;
    // The strict parser checks the form, year and month on a stand-in day;
    // the day is checked against the calendar in question.
    if (text.size() == 10 && waktuna::ParseIsoDate(text.substr(0, 8) + "01", d) && text[8] >= '0' &&
        text[8] <= '9' && text[9] >= '0' && text[9] <= '9') {
        d.day = waktuna::ReadWholeNumber(text.substr(8));
        if (hijri ? d.day >= 1 && d.day <= 30 : waktuna::IsWesternDate(d.year, d.month, d.day)) return d;
    }
    if (hijri) throw UsageError{"'" + text + "' is not a Hijri date YYYY-MM-DD (day 1..30)"};
    throw UsageError{"'" + text + "' is not a date YYYY-MM-DD"};
}

int Convert(int argc, char** argv, bool toGregorian) {
    const Args args(argc, argv, 2, {{"correction", true}, {"calendar", true}});
    if (args.Help()) {
        std::printf(toGregorian
                        ? "usage: waktuna-cli gregorian YYYY-MM-DD [--correction N] [--calendar C]\n"
                          "The input is a Hijri date; prints D/M/Y and the Western date in words.\n"
                        : "usage: waktuna-cli hijri YYYY-MM-DD [--correction N] [--calendar C]\n"
                          "Prints the Hijri date as D/M/Y and in words.\n");
        std::printf("  --correction N   Hijri correction in days (-128..127, default 0)\n"
                    "  --calendar C     tabular (default) or umalqura: the Umm al-Qura calendar of\n"
                    "                   1300..1600 AH; outside it the tabular date, with a note\n");
        return 0;
    }
    const waktuna::Ymd in = ReadDateArgument(args, toGregorian);
    const int8_t correction = args.HijriCorrection();
    const auto conversion =
        waktuna::ConvertHijri(toGregorian ? waktuna::Conversion::HijriToWestern : waktuna::Conversion::WesternToHijri, in.year, in.month, in.day, correction, args.Calendar());
    const waktuna::CalendarDate& out = conversion.date;
    if (conversion.tabular_fallback)
        std::fprintf(stderr, "waktuna-cli: outside the Umm al-Qura table (%d..%d AH): the tabular date\n",
                     waktuna::UmmAlQuraFirstYear(), waktuna::UmmAlQuraLastYear());
    std::string text = waktuna::IntText(out.day) + "/" + waktuna::IntText(out.month) + "/" +
                       waktuna::IntText(out.year) + "\n";
    text += toGregorian ? waktuna::GregorianDateText(out, waktuna::EnglishGregorianMonths())
                        : waktuna::HijriDateText(out, waktuna::EnglishHijriMonths());
    Print(text + "\n");
    return 0;
}

}  // namespace

int Hijri(int argc, char** argv) { return Convert(argc, argv, false); }
int Gregorian(int argc, char** argv) { return Convert(argc, argv, true); }

}  // namespace cli
