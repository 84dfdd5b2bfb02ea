// The program's version: the one place it is written. The resource script
// includes this file too, so it holds only macros when the resource compiler
// reads it.
#pragma once

#define WAKTUNA_VERSION_MAJOR 3
#define WAKTUNA_VERSION_MINOR 10
#define WAKTUNA_VERSION_DOTTED "3.10"

#ifndef RC_INVOKED
#include <string_view>

namespace waktuna {

// As it appears in the files the program writes and in "%VERSION".
inline constexpr std::string_view kVersionText = "v" WAKTUNA_VERSION_DOTTED;
// The caption of the program's windows and dialogs.
inline constexpr std::string_view kProgramCaption = "Waktuna v" WAKTUNA_VERSION_DOTTED;

}  // namespace waktuna
#endif
