#include "waktuna/settings/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "waktuna/files/encoding.h"
#include "waktuna/files/text.h"
#include "waktuna/calc/numbers.h"

namespace waktuna {

namespace {

// Byte-by-byte order after turning letters to upper case.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(UpperCp1252(x)) < static_cast<unsigned char>(UpperCp1252(y));
    });
}

bool IsControlCharacter(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// A value name no settings key can hold as it reads: the registry's A calls
// end a name at a NUL (a UTF-16 file has one after every letter), so such a
// name would land in another value, the key's unnamed one among them.
bool HasControlCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), IsControlCharacter);
}

// The name as the user can read it in a message: the control characters left out.
std::string ShownName(std::string_view name) {
    std::string shown(name);
    std::erase_if(shown, IsControlCharacter);
    return shown;
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The first character of an escaped line.
constexpr char kEscapedLine = '\\';

bool NeedsEscape(std::string_view name, std::string_view value) {
    return HasControlCharacter(name) || name.find('=') != std::string_view::npos ||
           HasControlCharacter(value) || (!value.empty() && value.back() == ' ');
}

std::string Escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsControlCharacter(c) || c == '\\' || c == '=' || (c == ' ' && i + 1 == text.size())) {
            const auto b = static_cast<unsigned char>(c);
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "\xHH" becomes its byte; a "\" not followed by that stays as it is.
std::string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 &&
            HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// One exported line: "<type><TAB>name=value", escaped when it must be.
std::string ExportLine(char type, const std::string& name, std::string_view value) {
    if (NeedsEscape(name, value))
        return std::string{kEscapedLine, type} + '\t' + Escaped(name) + '=' + Escaped(value);
    if (type == '0') return name + '=';
    return std::string{type, '\t'} + name + '=' + std::string(value);
}

}  // namespace

std::string SettingsDecimalText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    // Fixed notation with the shortest digits that round-trip: at most 17
    // significant digits, laid out in full (up to 330 characters).
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

std::string ExportSettingsText(const SettingsStore& store) {
    std::vector<std::string> lines;
    for (const std::string& name : store.Names()) {
        if (TrimBlanks(name).empty() || SameValueName(TrimBlanks(name), kWindowHandleValue)) continue;
        const auto value = store.Read(name);
        if (!value) continue;  // gone since it was listed
        switch (value->type) {
            case kTypeDword:
                lines.push_back(ExportLine('1', name, IntText(static_cast<int32_t>(ReadDword(store, name)))));
                break;
            case kTypeString: lines.push_back(ExportLine('2', name, ReadString(store, name))); break;
            case kTypeBinary:
                lines.push_back(ExportLine('3', name, SettingsDecimalText(ReadDouble(store, name))));
                break;
            default: lines.push_back(ExportLine('0', name, {})); break;  // not imported
        }
    }
    std::stable_sort(lines.begin(), lines.end(), LessIgnoringCase);
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

SettingsImport ImportSettingsText(std::string_view text, SettingsStore& store) {
    SettingsImport result;
    // Notepad starts a file it saves as UTF-8 with a byte-order mark.
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    ForEachTextLine(text, [&](std::string_view raw) {
        ++result.lines;
        std::string_view line = TrimBlanks(raw);
        const bool escaped = !line.empty() && line[0] == kEscapedLine;
        if (escaped) line.remove_prefix(1);
        if (line.empty()) return;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return;
        const size_t tab = line.find('\t');
        std::string name(tab < equals ? line.substr(tab + 1, equals - tab - 1) : line.substr(0, equals));
        std::string value(line.substr(equals + 1));
        if (escaped) {
            name = Unescaped(name);
            value = Unescaped(value);
        }
        if (name.empty() || SameValueName(name, kWindowHandleValue)) return;
        if (line[0] != '1' && line[0] != '2' && line[0] != '3') return;
        if (HasControlCharacter(name)) {
            result.not_stored.push_back(ShownName(name));
            return;
        }
        bool written = false;
        switch (line[0]) {
            case '1':
                written = WriteDword(store, name, static_cast<uint32_t>(ReadWholeNumber(value)));
                break;
            case '2': written = WriteString(store, name, value); break;
            case '3': written = WriteDouble(store, name, ReadDecimal(value)); break;
            default: return;
        }
        if (written)
            ++result.written;
        else
            result.not_stored.emplace_back(name);
    });
    return result;
}

}  // namespace waktuna
