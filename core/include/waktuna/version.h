// The program's version as it appears in the files it writes.
#pragma once

#include <string_view>

namespace waktuna {

inline constexpr std::string_view kVersionText = "v3.10";

}  // namespace waktuna
