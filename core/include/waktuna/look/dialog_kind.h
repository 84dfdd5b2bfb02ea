// The program's message dialog: its buttons and its style (title and icon).
// The watch asks for dialogs of these kinds; the dialog's look is computed
// from them.
#pragma once

#include <cstdint>

namespace waktuna {

enum class DialogButtons : uint8_t { Ok = 0, OkCancel = 1 };
enum class DialogKind : uint8_t { Error = 1, Warning = 2, Information = 3, Question = 4 };

}  // namespace waktuna
