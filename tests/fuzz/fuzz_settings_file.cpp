// Settings-file import: any text imports without crashing, a settings file
// the program wrote imports back to exactly the values it was made from (no
// line of the file can set another value), and exporting that gives the
// same text again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waktuna/settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MemorySettingsStore key;
    const SettingsImport r = ImportSettingsText(text, key);
    if (r.written > r.lines) std::abort();
    const std::string exported = ExportSettingsText(key);
    MemorySettingsStore second;
    ImportSettingsText(exported, second);
    for (const std::string& name : second.Names()) {
        // Nothing appears that was not exported.
        const auto before = key.Read(name);
        if (!before) std::abort();
        // Strings come back byte for byte (up to a zero byte, where a string
        // value ends).
        if (before->type == kTypeString && ReadString(second, name) != ReadString(key, name)) std::abort();
    }
    if (ExportSettingsText(second) != exported) std::abort();
    return 0;
}
