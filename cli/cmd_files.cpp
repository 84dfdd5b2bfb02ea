// The program's own files, read as the program reads them: the task file and
// place-name files.
#include <cstdio>
#include <memory>
#include <sstream>

#include "args.h"
#include "commands.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/places.h"
#include "waktuna/files/tasks.h"

namespace cli {

int Tasks(int argc, char** argv) {
    const Args args(argc, argv, 2, {{"date", true}});
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli tasks FILE [--date YYYY-MM-DD]\n"
            "The tasks of a task file (Task.dat) as the program reads them, one a line:\n"
            "name, type, freq, time, dayOfWeek, date, month, message, separated by TAB.\n"
            "  --date D   only the tasks kept for that day (the day's task list)\n");
        return 0;
    }
    std::vector<waktuna::TTask> tasks = waktuna::ReadTaskFileText(ReadFileArgument(args));
    if (args.Has("date")) {
        const waktuna::Ymd d = args.Date("date");
        tasks = waktuna::TasksKeptOn(tasks, waktuna::EncodeDate(d.year, d.month, d.day));
    }
    std::string out;
    for (const auto& t : tasks) {
        using waktuna::IntText;
        out += t.name + '\t' + IntText(t.type) + '\t' + IntText(t.freq) + '\t' + t.time_text +
               '\t' + IntText(t.day_of_week) + '\t' + IntText(t.date) + '\t' + IntText(t.month) +
               '\t' + t.message + '\n';
    }
    Print(out);
    return 0;
}

int Places(int argc, char** argv) {
    const Args args(argc, argv, 2, {{"section", true}});
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli places FILE [--section N]\n"
            "The sections of a place-name file (.wpn), one a line as \"section TAB n TAB\n"
            "name\", then the places of one section as name TAB latitude TAB longitude,\n"
            "with the coordinate texts the place-name window shows: 8 characters for\n"
            "the first section when a file is loaded, 7 for a section chosen from the list.\n"
            "  --section N   list section N (from 0) as when chosen; default: the first\n"
            "                section as loaded\n");
        return 0;
    }
    const std::string path = FileArgument(args);
    auto bytes = std::make_unique<std::istringstream>(ReadFileArgument(args));
    waktuna::PlaceNameFile file;
    file.Load(std::move(bytes));
    if (file.Sections().empty())
        throw UsageError{"'" + path + "' is not a place-name file (no sections)"};

    std::vector<waktuna::Place> places = file.FirstSectionPlaces();
    size_t width = waktuna::kFirstLoadCoordinateWidth;
    if (args.Has("section")) {
        const int n = args.Whole("section", 0);
        if (n < 0 || static_cast<size_t>(n) >= file.Sections().size())
            throw UsageError{"option --section: the file has sections 0 to " +
                             waktuna::IntText(static_cast<int64_t>(file.Sections().size()) - 1)};
        places = file.ReadSection(static_cast<size_t>(n));
        width = waktuna::kSectionCoordinateWidth;
    }
    std::string out;
    for (size_t i = 0; i < file.Sections().size(); ++i) {
        out += "section\t" + waktuna::IntText(static_cast<int64_t>(i)) + '\t' + file.Sections()[i] + '\n';
    }
    for (const auto& p : places) {
        out += p.name + '\t' + waktuna::PlaceCoordinateText(p.latitude, width) + '\t' +
               waktuna::PlaceCoordinateText(p.longitude, width) + '\n';
    }
    Print(out);
    return 0;
}

}  // namespace cli
