#include "waktuna/files/language.h"

#include "waktuna/files/files.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/text.h"

namespace waktuna {

LanguageList::LanguageList(std::vector<std::string> lines) : lines_(std::move(lines)) {
    for (int m = 1; m <= 12; ++m) {
        gregorian_[m] = Line(14 + m);
        hijri_[m] = Line(26 + m);
    }
}

namespace {
const LanguageList& English();
}  // namespace

const std::string& LanguageList::Line(int n) const {
    static const std::string kEmpty;
    const bool added = n > kLanguageLineCount && this != &English();
    if (n >= 1 && n <= static_cast<int>(lines_.size())) {
        const std::string& line = lines_[static_cast<size_t>(n) - 1];
        // A translation keeps an added text it has not translated yet as "-".
        if (!(added && line == "-")) return line;
    }
    // Texts added after the first 227 lines come from the built-in English
    // list until a translation has them.
    if (added) return English().Line(n);
    return kEmpty;
}

namespace {

// The built-in text is split once; every fallback reads this list.
const LanguageList& English() {
    static const LanguageList list = [] {
        std::vector<std::string> lines;
        const std::string_view text = BuiltInEnglishText();
        size_t start = 0;
        for (;;) {
            const size_t end = text.find("\r\n", start);
            lines.emplace_back(text.substr(start, end - start));
            if (end == std::string_view::npos) break;
            start = end + 2;
        }
        return LanguageList(std::move(lines));
    }();
    return list;
}

}  // namespace

LanguageList BuiltInEnglish() { return English(); }

std::vector<std::string> SplitLanguageLines(std::string_view bytes) {
    const size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

bool IsDroppedLanguageLine(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed[0] == ';';
}

LanguageFileReading ReadLanguageFile(std::string_view bytes) {
    LanguageFileReading result;
    std::vector<std::string> lines = SplitLanguageLines(bytes);
    result.lines_read = static_cast<int>(lines.size());
    if (result.lines_read < kMinLanguageFileLines) {
        result.verdict = LanguageVerdict::TooFewLines;
        result.list = English();
        return result;
    }
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (auto& line : lines) {
        if (!IsDroppedLanguageLine(line)) kept.push_back(std::move(line));
    }
    result.lines_kept = static_cast<int>(kept.size());
    if (result.lines_kept < kMinLanguageKeptLines) {
        result.verdict = LanguageVerdict::TooFewKeptLines;
        result.list = English();
        return result;
    }
    result.list = LanguageList(std::move(kept));
    return result;
}

std::string LanguageFilePath(std::string_view programFolder, std::string_view name) {
    std::string path(programFolder);
    path += "languages\\";
    path += name;
    path += ".wlp";
    return path;
}

LanguageList LoadLanguageFile(const std::string& path) {
    try {
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes) return English();
        return ReadLanguageFile(*bytes).list;
    } catch (const std::exception&) {  // not held in memory: as unreadable
        return English();
    }
}

// ---- Message templates -------------------------------------------------

std::optional<std::string_view> TemplatePlaceholders(int line) {
    switch (line) {
        case kLineNowIsTime: return "s";
        case kLineMinutesBefore: return "ds";
        case kLineMinutesAfter: return "ds";
        case kLineTimeToPrayStill: return "ss";
        default: return std::nullopt;
    }
}

namespace {

// Walks a template: checks that its placeholders are exactly `placeholders`
// in order and, when `out` is given, writes the filled text to it.
bool WalkTemplate(std::string_view text, std::string_view placeholders,
                  const std::string_view* args, std::string* out) {
    size_t next = 0;  // index of the next placeholder and argument
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (out) *out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) return false;
        const char c = text[++i];
        if (c == '%') {
            if (out) *out += '%';
            continue;
        }
        const char kind = (c == 'S' || c == 'D') ? static_cast<char>(c + ('a' - 'A')) : c;
        if (next >= placeholders.size() || kind != placeholders[next]) return false;
        if (out) *out += args[next];
        ++next;
    }
    return next == placeholders.size();
}

}  // namespace

std::optional<std::string> FillTemplate(std::string_view text, std::string_view placeholders,
                                        std::initializer_list<std::string_view> args) {
    if (args.size() != placeholders.size()) return std::nullopt;
    std::string out;
    out.reserve(text.size() + 32);
    if (!WalkTemplate(text, placeholders, args.begin(), &out)) return std::nullopt;
    return out;
}

namespace {

// Fills line n of the list, or the English line when the list's line does
// not hold exactly the placeholders the line needs.
std::string FillLine(const LanguageList& list, int line,
                     std::initializer_list<std::string_view> args) {
    const std::string_view placeholders = *TemplatePlaceholders(line);
    if (auto filled = FillTemplate(list.Line(line), placeholders, args)) return *filled;
    return *FillTemplate(English().Line(line), placeholders, args);
}

}  // namespace

bool TemplateLineUsable(const LanguageList& list, int line) {
    const auto placeholders = TemplatePlaceholders(line);
    if (!placeholders) return true;
    return WalkTemplate(list.Line(line), *placeholders, nullptr, nullptr);
}

const std::string& TemplateLine(const LanguageList& list, int line) {
    return TemplateLineUsable(list, line) ? list.Line(line) : English().Line(line);
}

std::string NowIsTimeText(const LanguageList& list, std::string_view prayer) {
    return FillLine(list, kLineNowIsTime, {prayer});
}

std::string MinutesBeforeText(const LanguageList& list, int64_t minutes, std::string_view prayer) {
    return FillLine(list, kLineMinutesBefore, {IntText(minutes), prayer});
}

std::string MinutesAfterText(const LanguageList& list, int64_t minutes, std::string_view prayer) {
    return FillLine(list, kLineMinutesAfter, {IntText(minutes), prayer});
}

std::string TimeToPrayStillText(const LanguageList& list, std::string_view prayer,
                                std::string_view remaining) {
    return FillLine(list, kLineTimeToPrayStill, {prayer, remaining});
}

}  // namespace waktuna
