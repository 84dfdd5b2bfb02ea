// The program's texts are Windows-1252 bytes; terminals on Linux want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace waktuna {

std::string Cp1252ToUtf8(std::string_view text);

}  // namespace waktuna
