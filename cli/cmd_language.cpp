#include <cstdio>

#include "args.h"
#include "commands.h"
#include "waktuna/files/language.h"
#include "waktuna/calc/numbers.h"

namespace cli {

int Language(int argc, char** argv) {
    const Args args(argc, argv, 2, {{"line", true}});
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli language FILE [--line N]\n"
            "Checks a language file (.wlp) as the program loads it: whether it is\n"
            "accepted and, if not, why; how many lines it keeps; each message template\n"
            "(lines 134, 135, 137, 205) that falls back to the built-in English line.\n"
            "Exit status 1 when the file is refused (the program then uses English).\n"
            "  --line N   print line N exactly as the program would use it\n");
        return 0;
    }
    const waktuna::LanguageFileReading r = waktuna::ReadLanguageFile(ReadFileArgument(args));
    if (args.Has("line")) {
        const int n = args.Whole("line", 0);
        if (n < 1) throw UsageError{"option --line: " + args.Get("line") + " is not a line number"};
        Print(waktuna::TemplateLine(r.list, n) + '\n');
        return 0;
    }
    using waktuna::IntText;
    switch (r.verdict) {
        case waktuna::LanguageVerdict::TooFewLines:
            Print("refused: " + IntText(r.lines_read) + " lines, at least " +
                  IntText(waktuna::kMinLanguageFileLines) +
                  " needed (a file with bare line feeds reads as one line); the built-in "
                  "English text is used\n");
            return 1;
        case waktuna::LanguageVerdict::TooFewKeptLines:
            Print("refused: " + IntText(r.lines_kept) + " lines kept of " + IntText(r.lines_read) +
                  ", at least " + IntText(waktuna::kMinLanguageKeptLines) +
                  " needed after comments and blank lines; the built-in English text is used\n");
            return 1;
        case waktuna::LanguageVerdict::Accepted:
            break;
    }
    Print("accepted: " + IntText(r.lines_read) + " lines, " + IntText(r.lines_kept) + " kept\n");
    if (r.lines_kept < waktuna::kLanguageLineCount) {
        Print("lines " + IntText(r.lines_kept + 1) + " to " + IntText(waktuna::kLanguageLineCount) +
              " are missing and read as empty text\n");
    }
    for (int line : {waktuna::kLineNowIsTime, waktuna::kLineMinutesBefore,
                     waktuna::kLineMinutesAfter, waktuna::kLineTimeToPrayStill}) {
        if (waktuna::TemplateLineUsable(r.list, line)) continue;
        const std::string_view placeholders = *waktuna::TemplatePlaceholders(line);
        std::string needs;
        for (char kind : placeholders) {
            needs += needs.empty() ? "%" : " then %";
            needs += kind;
        }
        Print("line " + IntText(line) + " must hold " + needs +
              "; it falls back to the built-in English line: " +
              waktuna::TemplateLine(r.list, line) + '\n');
    }
    return 0;
}

}  // namespace cli
