// Painting with the current skin: the strip stretched over captions, their
// cut corners, the frame below them, and vertical page gradients.
#pragma once

#include <windows.h>

#include "waktuna/look/skin.h"

namespace app {

// The skin the program shows: the palette and the strip as rewritten by
// ApplySkin. One instance, kept by the main window and read by every window.
struct Skin {
    waktuna::SkinPalette palette;
    waktuna::SkinStrip strip{};
};

// The 29 rows of a strip bitmap resource; false when it is missing.
bool LoadStripResource(const char* name, waktuna::SkinStrip& rows);

// Loads strip n mod 20 from the resources and derives the palette.
void ApplySkin(int32_t n, Skin& skin);

void StretchStrip(HDC dc, const RECT& area, const waktuna::SkinStrip& strip);
// The strip over `area` with its outline and cut top corners.
void PaintCaption(HDC dc, const RECT& area, const Skin& skin);
// The frame of a window's client area below its caption.
void PaintFrame(HDC dc, const RECT& client, const Skin& skin);
void PaintVerticalGradient(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);
void FillSolid(HDC dc, const RECT& area, COLORREF color);

}  // namespace app
