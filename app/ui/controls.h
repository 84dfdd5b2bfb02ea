// Small helpers for child controls: texts, fonts.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// A font of the program (Arial or Tahoma), sized in points at `dpi`.
HFONT MakeFont(const char* face, int points, int dpi, bool bold = false, bool underline = false);

std::string GetText(HWND control);
// Sets the text when it differs and repaints what lies under the control, so
// labels drawn transparently over a picture leave no trace of the old text.
void SetText(HWND control, const std::string& text);

// Rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace app
