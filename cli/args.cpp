#include "args.h"

#include <cstdio>
#include <filesystem>

#include "waktuna/files/encoding.h"
#include "waktuna/files/files.h"
#include "waktuna/calc/imsak.h"
#include "waktuna/calc/numbers.h"
#if defined(_WIN32)
#include <windows.h>
#endif

namespace cli {

Args::Args(int argc, char** argv, int first, const std::vector<OptionSpec>& specs) {
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help_ = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0 || arg.size() == 2) {
            positional_.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        const OptionSpec* spec = nullptr;
        for (const auto& s : specs) {
            if (name == s.name) spec = &s;
        }
        if (!spec) throw UsageError{"unknown option " + arg};
        if (values_.count(name)) throw UsageError{"option " + arg + " given twice"};
        if (spec->takes_value) {
            if (i + 1 >= argc) throw UsageError{"option " + arg + " needs a value"};
            values_[name] = argv[++i];
        } else {
            values_[name] = "";
        }
    }
}

std::string Args::Get(const std::string& name, const std::string& fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

std::string Args::Require(const std::string& name) const {
    if (!Has(name)) throw UsageError{"option --" + name + " is required"};
    return Get(name);
}

double Args::Decimal(const std::string& name) const {
    const std::string text = Get(name);
    if (!waktuna::IsAcceptedDecimal(text))
        throw UsageError{"option --" + name + ": '" + text + "' is not a number"};
    return waktuna::ReadDecimal(text);
}

int Args::Whole(const std::string& name, int fallback) const {
    if (!Has(name)) return fallback;
    const std::string text = Get(name);
    if (!waktuna::IsAcceptedWholeNumber(text))
        throw UsageError{"option --" + name + ": '" + text + "' is not a whole number"};
    return waktuna::ReadWholeNumber(text);
}

namespace {

UsageError OutOfRange(const std::string& name, const std::string& text, waktuna::CalcValue range) {
    return UsageError{"option --" + name + ": '" + text + "' is outside " + waktuna::RangeText(range)};
}

}  // namespace

double Args::Decimal(const std::string& name, waktuna::CalcValue range) const {
    const double value = Decimal(name);
    if (waktuna::RefusalOf(range, Get(name))) throw OutOfRange(name, Get(name), range);
    return value;
}

int Args::Whole(const std::string& name, int fallback, waktuna::CalcValue range) const {
    const int value = Whole(name, fallback);
    if (Has(name) && waktuna::RefusalOf(range, Get(name))) throw OutOfRange(name, Get(name), range);
    return value;
}

waktuna::Ymd Args::Date(const std::string& name) const {
    if (!Has(name)) return waktuna::DecodeDate(waktuna::LocalNow());
    waktuna::Ymd d;
    if (!waktuna::ParseIsoDate(Get(name), d))
        throw UsageError{"option --" + name + ": '" + Get(name) + "' is not a date YYYY-MM-DD"};
    return d;
}

int8_t Args::HijriCorrection() const {
    const int correction = Whole("correction", 0);
    if (correction < -128 || correction > 127)
        throw UsageError{"option --correction: " + Get("correction") + " is outside -128..127"};
    return static_cast<int8_t>(correction);
}

waktuna::HijriCalendar Args::Calendar() const {
    const std::string name = Get("calendar", "tabular");
    if (name == "tabular") return waktuna::HijriCalendar::Tabular;
    if (name == "umalqura") return waktuna::HijriCalendar::UmmAlQura;
    throw UsageError{"option --calendar: '" + name + "' is not tabular or umalqura"};
}

uint8_t Args::ImsakMinutes() const {
    const int minutes = Whole("imsak", 0);
    if (minutes < 0 || minutes > waktuna::kLastImsakMinute)
        throw UsageError{"option --imsak: " + Get("imsak") + " is outside 0..60"};
    return static_cast<uint8_t>(minutes);
}

std::string FileArgument(const Args& args) {
    if (args.Positional().size() != 1) throw UsageError{"expected one FILE"};
    return args.Positional()[0];
}

std::string ReadFileArgument(const Args& args) {
    const std::string path = FileArgument(args);
    const auto bytes = waktuna::ReadWholeFile(path);
    if (!bytes) throw UsageError{"cannot read '" + path + "'"};
    return *bytes;
}

std::string ProgramFolder() {
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
#else
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string() + "/";
#endif
}

void Print(const std::string& text) {
#if defined(_WIN32)
    std::fwrite(text.data(), 1, text.size(), stdout);
#else
    const std::string utf8 = waktuna::Cp1252ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
#endif
}

}  // namespace cli
