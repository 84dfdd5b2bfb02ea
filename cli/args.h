// A small option reader shared by the waktuna-cli commands.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "waktuna/calc/calendar.h"
#include "waktuna/calc/datetime.h"
#include "waktuna/calc/ranges.h"

namespace cli {

struct OptionSpec {
    const char* name;  // without the leading "--"
    bool takes_value;
};

// Thrown for a malformed command line; main prints "waktuna-cli: <what>" and
// exits with status 2.
struct UsageError {
    std::string message;
};

class Args {
public:
    // Reads argv[first..argc). Unknown options, missing values and a repeated
    // option are usage errors. "--help" is always accepted.
    Args(int argc, char** argv, int first, const std::vector<OptionSpec>& specs);

    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    bool Help() const { return help_; }
    std::string Get(const std::string& name, const std::string& fallback = "") const;
    const std::vector<std::string>& Positional() const { return positional_; }

    // Typed readings; each throws UsageError naming the option when malformed.
    std::string Require(const std::string& name) const;
    // A decimal read leniently, as a settings page would accept it: exactly
    // "0", or any text that reads as non-zero.
    double Decimal(const std::string& name) const;
    int Whole(const std::string& name, int fallback) const;
    // The same, also refused outside the value's range (and when not finite),
    // as the prayer-times page refuses it.
    double Decimal(const std::string& name, waktuna::CalcValue range) const;
    int Whole(const std::string& name, int fallback, waktuna::CalcValue range) const;
    waktuna::Ymd Date(const std::string& name) const;  // YYYY-MM-DD, default today
    // --correction: the Hijri correction in days, -128..127, default 0.
    int8_t HijriCorrection() const;
    // --calendar tabular|umalqura, default tabular.
    waktuna::HijriCalendar Calendar() const;
    // --imsak N: Imsak N minutes before Fajr, 0 (off, the default) to 60.
    uint8_t ImsakMinutes() const;

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
    bool help_ = false;
};

// The one positional argument FILE, and the file's bytes. A missing or extra
// argument, or a file that cannot be read, is an error (exit status 2).
std::string FileArgument(const Args& args);
std::string ReadFileArgument(const Args& args);

// The folder of this program file, ending with a separator ("" when unknown).
std::string ProgramFolder();

// Writes program text (Windows-1252 bytes) to stdout: as UTF-8 on Linux, as
// is on Windows.
void Print(const std::string& text);

}  // namespace cli
