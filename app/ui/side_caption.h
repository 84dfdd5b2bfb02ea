// The caption of a side-panel page button laid out beside its picture on up
// to two lines, so no caption is cut at the button's edge in any language or
// at any DPI.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/look.h"

namespace app {

struct SideCaption {
    RECT text{};  // where the lines go, inside the button
    std::vector<std::string> lines;
    int line_height = 0;
    bool fits = true;  // false: a line still wider than `text` (drawn with an ellipsis)
};

// Lays `caption` out in `button` (the button's client rectangle) at `dpi`.
// The lines are broken where the bold font (the caption under the mouse)
// needs it, so pointing at a button never moves a word.
SideCaption LayOutSideCaption(HDC dc, const Look& look, int dpi, const RECT& button,
                              std::string_view caption);

// Draws the lines with the font selected in `dc`, centred as a block on the
// text rectangle's height.
void DrawSideCaption(HDC dc, const SideCaption& caption);

}  // namespace app
