// Skin colours: the colour arithmetic (split, join, blend, RGB <-> HSL on the
// program's own 0..255/256 scales), the twenty 1 x 29 strips, and the palette
// every window paints with.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "waktuna/calc/qibla.h"  // Point, Box

namespace waktuna {

// 0x00BBGGRR, the Windows COLORREF layout (red in the low byte).
using Color = uint32_t;

// A colour written red first, as in 0x6c8cbd.
constexpr Color FromRrggbb(uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xff) | (rrggbb & 0xff00) | ((rrggbb & 0xff) << 16);
}

struct RgbRecord {
    int32_t red = 0, green = 0, blue = 0;
    friend bool operator==(const RgbRecord&, const RgbRecord&) = default;
};

// On a 0..255 scale each; results can reach 256, a hue can fall below 0.
struct HslRecord {
    int32_t hue = 0, lightness = 0, saturation = 0;
    friend bool operator==(const HslRecord&, const HslRecord&) = default;
};

RgbRecord SplitColor(Color color);
Color JoinColor(const RgbRecord& rgb);
// Per channel a + (b - a) * x, x clamped to 0..1 (NaN gives 0).
Color BlendColor(Color a, Color b, double x);
HslRecord RgbToHsl(const RgbRecord& rgb);
RgbRecord HslToRgb(const HslRecord& hsl);

inline constexpr int kStripCount = 20;
inline constexpr int kSkinCount = 40;
inline constexpr int kStripRows = 29;
using SkinStrip = std::array<Color, kStripRows>;  // row 0 is the top

// Bitmap resource name of strip i (0..19).
const char* SkinStripName(int strip);
// The program's own strip i, all 29 rows.
SkinStrip SkinStripRows(int strip);
// The strip a skin number loads: n mod 20, ZBLUEX for n outside 0..39.
int SkinStripOf(int skin);

struct SkinPalette {
    Color PageColor = 0xffffff;
    Color TintColor = 0;
    Color EdgeColor = 0;
    Color BandColor = 0;
    Color AccentColor = 0;
    Color HighlightColor = 0x800000;
    Color LabelTextColor = 0;
    Color LightTextColor = 0xffffff;
    // The strip's row 0 and row 27: outline colours of captions and frames.
    Color OutlineColor = 0;
    Color BandOutlineColor = 0;
    int32_t SkinNumber = 0;
};

// Derives the palette for skin n from its loaded strip, regenerating the
// strip's band where the skin asks for it. For n above 39 the page, accent,
// highlight and text colours keep the values `palette` already has.
void ApplySkin(int32_t n, SkinStrip& strip, SkinPalette& palette);

// Skin n with the program's own strips, starting from `previous`.
SkinPalette PaletteOfSkin(int32_t n, const SkinPalette& previous = SkinPalette{});

// The far end of a vertical page gradient (the near end is PageColor).
Color GradientEnd(const SkinPalette& palette);

// Outlines of a skinned caption strip in the rectangle (R, B exclusive): the
// open polyline in the row-0 colour, the bottom line and the six bottom
// pixels in the row-27 colour.
struct CaptionOutline {
    std::vector<Point> outline;
    Point bottom_from, bottom_to;  // a line, the end pixel excluded
    std::array<Point, 6> band_pixels;
};
CaptionOutline CaptionOutlineOf(const Box& area);

// The frame below a caption: two polylines in the row-0 colour, one in the
// row-27 colour and two pixels in the row-27 colour.
struct FrameOutline {
    std::vector<Point> outer, inner, band;
    std::array<Point, 2> band_pixels;
};
FrameOutline FrameOutlineOf(const Box& client);

}  // namespace waktuna
