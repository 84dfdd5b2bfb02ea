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
    std::string text = language.Line(kLineNotStored);
    for (const std::string& name : result.not_stored) text += "\r\n" + name;
    text += "\r\n\r\n" + language.Line(kLineNotStoredReason);
    return text;
}

}  // namespace waktuna
