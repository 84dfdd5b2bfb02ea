// The program's own files, read as the program reads them: the task file and
// place-name files, and the search over every place-name file of a folder.
#include <cstdio>
#include <memory>
#include <sstream>

#include "args.h"
#include "commands.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/encoding.h"
#include "waktuna/files/place_search.h"
#include "waktuna/files/places.h"
#include "waktuna/pages/place_picker.h"
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

namespace {

// The places of every place-name file of the folder whose names or other
// names start with the text, most populous first.
int SearchPlaces(const Args& args) {
    if (!args.Positional().empty()) throw UsageError{"--search takes no FILE"};
    std::string folder = args.Get("folder", ProgramFolder() + "Placenames");
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    waktuna::PlaceIndex index;
    for (const std::string& label : waktuna::ListPlaceFiles(folder))
        index.AddFile(label, folder + label + ".wpn");
    if (index.Size() == 0) throw UsageError{"no places in '" + folder + "'"};
    if (const std::string notice = waktuna::DamagedDetailsNotice(index, waktuna::BuiltInEnglish()); !notice.empty())
        std::fprintf(stderr, "waktuna-cli: %s\n", waktuna::Cp1252ToUtf8(notice).c_str());
#if defined(_WIN32)
    const std::string text = args.Require("search");  // already in the system's code page
#else
    const std::string text = waktuna::Utf8ToCp1252(args.Require("search"));
#endif
    std::string out;
    for (const uint32_t i : index.Find(text)) {
        const waktuna::PlaceIndex::Entry& e = index.At(i);
        const std::optional<int> elevation = index.Elevation(e);
        const waktuna::PlaceZone* zone = index.Zone(e);
        out += e.place.name + '\t' + index.Region(e) + '\t' + index.Country(e) + '\t' +
               waktuna::ShortestFloatText(e.place.latitude) + '\t' +
               waktuna::ShortestFloatText(e.place.longitude) + '\t' +
               (elevation ? waktuna::IntText(*elevation) : "") + '\t' + (zone ? zone->name : "") +
               '\n';
    }
    Print(out);
    return 0;
}

}  // namespace

int Places(int argc, char** argv) {
    const Args args(argc, argv, 2, {{"section", true}, {"search", true}, {"folder", true}});
    if (args.Help()) {
        std::printf(
            "usage: waktuna-cli places FILE [--section N]\n"
            "       waktuna-cli places --search TEXT [--folder DIR]\n"
            "The sections of a place-name file (.wpn), one a line as \"section TAB n TAB\n"
            "name\", then the places of one section as name TAB latitude TAB longitude,\n"
            "with the coordinate texts the place-name window shows: 8 characters for\n"
            "the first section when a file is loaded, 7 for a section chosen from the list.\n"
            "  --section N   list section N (from 0) as when chosen; default: the first\n"
            "                section as loaded\n"
            "  --search TEXT the places of every place-name file whose name or other\n"
            "                name starts with TEXT, most populous first, one a line as\n"
            "                name, region, country, latitude, longitude, elevation (m)\n"
            "                and time zone, separated by TAB (empty when not known)\n"
            "  --folder DIR  the folder of the place-name files for --search; default:\n"
            "                Placenames beside this program\n");
        return 0;
    }
    if (args.Has("search")) return SearchPlaces(args);
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
