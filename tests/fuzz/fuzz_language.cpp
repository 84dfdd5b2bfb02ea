// Language files: any bytes load without crashing; a refused file gives the
// built-in English list; the message templates always fill, whatever the
// file's lines hold.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waktuna/files/language.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LanguageFileReading r = ReadLanguageFile(bytes);
    if (r.verdict == LanguageVerdict::Accepted) {
        if (r.lines_kept < kMinLanguageKeptLines || r.list.Count() != r.lines_kept) std::abort();
    } else if (r.list.Count() != BuiltInEnglish().Count()) {
        std::abort();
    }
    if (r.lines_kept > r.lines_read) std::abort();
    // Arguments holding placeholders must come out as they went in.
    const std::string now = NowIsTimeText(r.list, "%s%n");
    if (now.find("%s%n") == std::string::npos) std::abort();
    (void)MinutesBeforeText(r.list, 65535, "%d");
    (void)MinutesAfterText(r.list, -1, "");
    (void)TimeToPrayStillText(r.list, "Asr", "01:02:03");
    for (int line = 1; line <= kLanguageLineCount; ++line) (void)TemplateLine(r.list, line);
    return 0;
}
