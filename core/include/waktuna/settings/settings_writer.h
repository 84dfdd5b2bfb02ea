// What every setting page's model shares: the values of a Save are written in
// the page's order, each write's result is kept, and the page reports the
// values that could not be stored instead of "Setting saved".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/files/language.h"
#include "waktuna/settings/settings_store.h"

namespace waktuna {

// "The settings could not be stored:" and the reason a standard user meets.
inline constexpr int kLineNotStored = 228;
inline constexpr int kLineNotStoredReason = 229;

// The outcome of a Save: the names of the values that could not be written,
// in the order they were tried. Empty when everything was stored.
struct SaveResult {
    std::vector<std::string> not_stored;
    bool Ok() const { return not_stored.empty(); }
};

// Writes values one after another and keeps what failed. Every write is
// tried, so one value refused by the store does not hide the others.
class SettingsWriter {
public:
    explicit SettingsWriter(SettingsStore& store) : store_(store) {}

    SettingsWriter& Dword(std::string_view name, uint32_t value);
    SettingsWriter& String(std::string_view name, std::string_view text);
    SettingsWriter& Double(std::string_view name, double value);
    // A value written some other way (for example outside the settings key).
    SettingsWriter& Record(std::string_view name, bool stored);

    const SaveResult& Result() const { return result_; }

private:
    SettingsStore& store_;
    SaveResult result_;
};

// The error message of a failed Save: line 228 with the names after it (at
// most four, then "+N" for the rest), then line 229.
std::string NotStoredText(const LanguageList& language, const SaveResult& result);

}  // namespace waktuna
