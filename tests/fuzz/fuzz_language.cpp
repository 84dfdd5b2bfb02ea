// Language files: any bytes load without crashing; a refused file gives the
// built-in English list; the message templates always fill, whatever the
// file's lines hold; the side panel's captions break into at most two lines
// that keep every word.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "waktuna/files/language.h"
#include "waktuna/look/caption_wrap.h"

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
    const auto letters = [](std::string_view t) { return t.size() - static_cast<size_t>(std::count(t.begin(), t.end(), ' ')); };
    for (int line = 50; line <= 56; ++line) {
        const std::string& caption = r.list.Line(line);
        const WrappedCaption w = WrapCaption(caption, 88, 2, [](std::string_view t) { return static_cast<int>(t.size()) * 6; });
        size_t kept = 0;
        for (const std::string& l : w.lines) kept += letters(l);
        if (w.lines.empty() || w.lines.size() > 2 || kept != letters(caption)) std::abort();
    }
    return 0;
}
