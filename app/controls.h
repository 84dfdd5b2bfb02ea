// Small helpers for child controls: creation, texts, fonts.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// A font of the program (Arial or Tahoma), sized in points at the system DPI.
HFONT MakeFont(const char* face, int points, bool bold = false);

// A child control; x, y, w, h are pixels at 96 DPI.
HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y,
               int w, int h, int id = 0, HFONT font = nullptr);

// A static text the parent colours through WM_CTLCOLORSTATIC.
HWND MakeLabel(HWND parent, const char* text, int x, int y, int w, int h, HFONT font,
               DWORD align = SS_LEFT);

std::string GetText(HWND control);
// Sets the text when it differs and repaints what lies under the control, so
// labels drawn transparently over a picture leave no trace of the old text.
void SetText(HWND control, const std::string& text);

// Rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace app
