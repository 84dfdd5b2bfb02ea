// Settings files (.sav): every value of the settings key as a line of text,
// for export and import.
//
//   1<TAB>Name=<signed decimal>     a DWORD
//   2<TAB>Name=<text>               a string
//   3<TAB>Name=<decimal>            8 binary bytes, read as a double
//   Name=                           a value of any other type (not imported)
//
// A line whose name holds "=" or a control character, or whose value holds a
// control character or ends in a blank, would not read back as written (a CR
// or LF would even start a line of its own): it is written escaped instead,
//   \<type digit><TAB>Name=<text>
// with every control character, "\", "=" and a last blank written as \xHH
// (two hex digits). Older files have no such lines and read as before.
//
// Lines end with CR LF and are sorted without regard to letter case, so the
// DWORDs come first, then the strings, then the binaries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "waktuna/settings/settings_store.h"

namespace waktuna {

// The value holding the main window's handle for the single-instance check.
// It belongs to one run on one computer, so settings files never carry it.
inline constexpr std::string_view kWindowHandleValue = "Hwnd";

// The text of a settings file holding every value of the store (names that
// are empty after trimming, and Hwnd, are left out).
std::string ExportSettingsText(const SettingsStore& store);

// The decimal text of a binary value: plain digits with "." as the point, no
// exponent, no trailing zeros, "0." before fractions; the fewest digits that
// read back to the very same double.
std::string SettingsDecimalText(double value);

struct SettingsImport {
    int lines = 0;    // lines in the file
    int written = 0;  // values written to the store
    // Names the store refused, and names no store can hold (with a control
    // character: shown without it), in file order.
    std::vector<std::string> not_stored;
};

// Writes the values of a settings file's text into the store. Lines are
// trimmed of spaces and control characters; the name lies between the first
// tab and the first "=" (or before the "=" when there is no tab before it),
// the value after the first "="; the first character of the line gives the
// type (1, 2, 3; any other line is skipped, as is a line with no "=" or an
// empty name). A line naming Hwnd is skipped. A UTF-8 byte-order mark at the
// start is passed over. A name holding a control character (a UTF-16 file
// gives NULs) is never written: it goes to not_stored. Nothing is ever
// deleted.
SettingsImport ImportSettingsText(std::string_view text, SettingsStore& store);

}  // namespace waktuna
