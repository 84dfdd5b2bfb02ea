// Settings-file import: any text imports without crashing, and a settings
// file the program wrote imports into an empty key that exports the same
// text again. (The first export may still hold what an import changes: a
// string value cut at a zero byte can end in blanks, which the import trims.)
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
    MemorySettingsStore second;
    ImportSettingsText(ExportSettingsText(key), second);
    const std::string exported = ExportSettingsText(second);
    MemorySettingsStore third;
    ImportSettingsText(exported, third);
    if (ExportSettingsText(third) != exported) std::abort();
    return 0;
}
