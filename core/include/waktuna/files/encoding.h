// The program's texts are Windows-1252 bytes; terminals on Linux want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace waktuna {

std::string Cp1252ToUtf8(std::string_view text);

// A Windows-1252 character turned to upper case as the system's character
// table does it: a-z, the accented small letters 0xE0..0xFE (not 0xF7), and
// 0x9A, 0x9C, 0x9E, 0xFF to their capitals.
char UpperCp1252(char c);

// A character Windows-1252 lacks, and each byte of a malformed sequence,
// becomes "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace waktuna
