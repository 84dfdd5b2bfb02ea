#include "waktuna/settings/settings_writer.h"

#include <string>

namespace waktuna {

SettingsWriter& SettingsWriter::Dword(std::string_view name, uint32_t value) {
    return Record(name, WriteDword(store_, name, value));
}

SettingsWriter& SettingsWriter::String(std::string_view name, std::string_view text) {
    return Record(name, WriteString(store_, name, text));
}

SettingsWriter& SettingsWriter::Double(std::string_view name, double value) {
    return Record(name, WriteDouble(store_, name, value));
}

SettingsWriter& SettingsWriter::Record(std::string_view name, bool stored) {
    if (!stored) result_.not_stored.emplace_back(name);
    return *this;
}

std::string NotStoredText(const LanguageList& language, const SaveResult& result) {
    // Short enough for the message dialog: at most four names, then how
    // many more, so the reason below them stays in view.
    constexpr size_t kNamesShown = 4;
    const auto& names = result.not_stored;
    std::string text = language.Line(kLineNotStored) + " ";
    for (size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > kNamesShown) text += ", +" + std::to_string(names.size() - kNamesShown);
    text += ".\r\n" + language.Line(kLineNotStoredReason);
    return text;
}

}  // namespace waktuna
