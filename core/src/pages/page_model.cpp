#include "waktuna/pages/page_model.h"

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
    // Short enough for the message dialog: the names on one line.
    std::string text = language.Line(kLineNotStored) + " ";
    for (size_t i = 0; i < result.not_stored.size(); ++i)
        text += (i ? ", " : "") + result.not_stored[i];
    text += ".\r\n" + language.Line(kLineNotStoredReason);
    return text;
}

}  // namespace waktuna
