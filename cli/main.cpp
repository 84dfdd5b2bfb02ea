// waktuna-cli: the prayer-time core and the program's file formats from the
// command line.
#include <cstdio>
#include <cstring>
#include <exception>
#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "args.h"
#include "commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"times", cli::Times, "the six prayer times of a day for a place"},
    {"methods", cli::Methods, "the conventions --method accepts: their values and sources"},
    {"hijri", cli::Hijri, "the Hijri date of a Western date"},
    {"gregorian", cli::Gregorian, "the Western date of a Hijri date"},
    {"qibla", cli::Qibla, "the Qibla bearing and its angle to the east-west line"},
    {"language", cli::Language, "checks a language file (.wlp) as the program loads it"},
    {"schedule", cli::Schedule, "a timetable of a date range as HTML, TSV or CSV"},
    {"tasks", cli::Tasks, "the tasks of a task file (Task.dat), or those kept for a day"},
    {"places", cli::Places, "the sections and places of a place-name file (.wpn)"},
    {"agenda", cli::Agenda, "what the reminder does on a day: every alert, sound and task, second by second"},
};

void Usage(std::FILE* out) {
    std::fprintf(out, "usage: waktuna-cli COMMAND [OPTIONS]   (COMMAND --help for its options)\n\n");
    for (const auto& c : kCommands) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    // Same bytes on every platform: no LF to CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2) {
        Usage(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        Usage(stdout);
        return 0;
    }
    for (const auto& c : kCommands) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            return c.run(argc, argv);
        } catch (const cli::UsageError& e) {
            std::fprintf(stderr, "waktuna-cli %s: %s\n", c.name, e.message.c_str());
            return 2;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "waktuna-cli %s: %s\n", c.name, e.what());
            return 2;
        }
    }
    std::fprintf(stderr, "waktuna-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
