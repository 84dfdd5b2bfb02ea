#include "waktuna/look/skin.h"

#include <algorithm>
#include <cmath>

namespace waktuna {

namespace {

struct StripRows {
    const char* name;
    uint32_t row0, row1, row15, row27, row28;
};

constexpr StripRows kStrips[kStripCount] = {
#define SKIN_STRIP(name, r0, r1, r15, r27, r28) {name, r0, r1, r15, r27, r28},
#define FULL_STRIP(name, ...)
#include "skin_strips.inc"
#undef SKIN_STRIP
#undef FULL_STRIP
};

constexpr uint32_t kAquaBlue[kStripRows] = {
#define SKIN_STRIP(...)
#define FULL_STRIP(name, ...) __VA_ARGS__
#include "skin_strips.inc"
#undef SKIN_STRIP
#undef FULL_STRIP
};

constexpr int kZBlueX = 14;

// Rounding halves to even, as the program's arithmetic does throughout.
int32_t RoundEven(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// Skins whose strip is drawn as loaded; every other number regenerates it.
bool KeepsStrip(int32_t n) {
    return (n >= 0 && n <= 19) || (n >= 22 && n <= 31) || n == 33 || n == 35;
}

Color WithLightness(Color color, int32_t lightness) {
    HslRecord hsl = RgbToHsl(SplitColor(color));
    hsl.lightness = lightness;
    return JoinColor(HslToRgb(hsl));
}

}  // namespace

RgbRecord SplitColor(Color color) {
    RgbRecord rgb;
    rgb.blue = static_cast<int32_t>(color / 65536);
    rgb.green = static_cast<int32_t>(color % 65536 / 256);
    rgb.red = static_cast<int32_t>(color % 256);
    return rgb;
}

Color JoinColor(const RgbRecord& rgb) {
    return static_cast<Color>(rgb.red + rgb.green * 256 + rgb.blue * 65536);
}

Color BlendColor(Color a, Color b, double x) {
    if (x > 1) x = 1;
    if (!(x >= 0)) x = 0;
    const RgbRecord ca = SplitColor(a), cb = SplitColor(b);
    auto channel = [x](int32_t from, int32_t to) {
        return std::clamp(RoundEven(from + (to - from) * x), 0, 255);
    };
    return JoinColor({channel(ca.red, cb.red), channel(ca.green, cb.green),
                      channel(ca.blue, cb.blue)});
}

HslRecord RgbToHsl(const RgbRecord& rgb) {
    const double r = rgb.red / 256.0, g = rgb.green / 256.0, b = rgb.blue / 256.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    if (mx == mn) return {0, RoundEven(l * 256), 0};
    const double d = mx - mn;
    const double s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    double h;
    if (b == mx)
        h = 4 + (r - g) / d;
    else if (g == mx)
        h = 2 + (b - r) / d;
    else
        h = (g - b) / d;
    return {RoundEven(h * 42.6), RoundEven(l * 256), RoundEven(s * 256)};
}

RgbRecord HslToRgb(const HslRecord& hsl) {
    const double h = hsl.hue / 255.0, l = hsl.lightness / 255.0, s = hsl.saturation / 255.0;
    if (s == 0) return {hsl.lightness, hsl.lightness, hsl.lightness};
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    auto channel = [p, q](double t) {
        if (t < 0) t += 1;
        if (t > 1) t -= 1;
        double v;
        if (6 * t < 1)
            v = p + (q - p) * 6 * t;
        else if (2 * t < 1)
            v = q;
        else if (3 * t < 2)
            v = p + (q - p) * (2.0 / 3 - t) * 6;
        else
            v = p;
        return RoundEven(v * 255);
    };
    return {channel(h + 1.0 / 3), channel(h), channel(h - 1.0 / 3)};
}

const char* SkinStripName(int strip) {
    return strip >= 0 && strip < kStripCount ? kStrips[strip].name : kStrips[kZBlueX].name;
}

SkinStrip SkinStripRows(int strip) {
    SkinStrip rows{};
    if (strip < 0 || strip >= kStripCount) strip = kZBlueX;
    if (strip == 0) {
        for (int y = 0; y < kStripRows; ++y) rows[y] = FromRrggbb(kAquaBlue[y]);
        return rows;
    }
    const StripRows& s = kStrips[strip];
    rows[0] = FromRrggbb(s.row0);
    rows[1] = FromRrggbb(s.row1);
    rows[15] = FromRrggbb(s.row15);
    rows[27] = FromRrggbb(s.row27);
    rows[28] = FromRrggbb(s.row28);
    // The rows the palette does not read run smoothly between those it does.
    for (int y = 2; y < 15; ++y) rows[y] = BlendColor(rows[1], rows[15], (y - 1) / 14.0);
    for (int y = 16; y < 27; ++y) rows[y] = BlendColor(rows[15], rows[27], (y - 15) / 12.0);
    return rows;
}

int SkinStripOf(int skin) { return skin >= 0 && skin < kSkinCount ? skin % kStripCount : kZBlueX; }

void ApplySkin(int32_t n, SkinStrip& strip, SkinPalette& palette) {
    palette.SkinNumber = n;
    const bool regenerate = !KeepsStrip(n);
    if (regenerate) {
        const Color top = strip[1], middle = strip[15];
        for (int y = 1; y <= 27; ++y) strip[y] = BlendColor(top, middle, y / 27.0);
    }
    palette.OutlineColor = strip[0];
    palette.BandOutlineColor = strip[27];
    palette.EdgeColor = strip[28];
    palette.BandColor = strip[27];
    palette.TintColor = WithLightness(palette.BandColor, 240);
    if (n <= 20) {
        palette.AccentColor = WithLightness(palette.BandColor, 210);
        palette.PageColor = 0xffffff;
        palette.HighlightColor = FromRrggbb(0x000080);
        palette.LabelTextColor = 0x000000;
        palette.LightTextColor = 0xffffff;
    } else if (n <= 38) {
        palette.PageColor = WithLightness(palette.BandColor, 220);
        palette.HighlightColor = 0xffffff;
        palette.LabelTextColor = palette.EdgeColor;
        palette.LightTextColor = 0xffffff;
        palette.AccentColor = palette.EdgeColor;
    } else if (n == 39) {
        palette.PageColor = FromRrggbb(0x808080);
        palette.HighlightColor = palette.LabelTextColor = palette.LightTextColor = 0xffffff;
        palette.AccentColor = palette.EdgeColor;
    }
    if (regenerate) {
        for (int y = 1; y <= 27; ++y)
            strip[y] = BlendColor(palette.EdgeColor, palette.BandColor, y / 27.0);
    }
}

SkinPalette PaletteOfSkin(int32_t n, const SkinPalette& previous) {
    SkinPalette palette = previous;
    SkinStrip strip = SkinStripRows(SkinStripOf(n));
    ApplySkin(n, strip, palette);
    return palette;
}

Color GradientEnd(const SkinPalette& palette) {
    return palette.SkinNumber > 20 ? palette.PageColor : palette.TintColor;
}

CaptionOutline CaptionOutlineOf(const Box& a) {
    const int L = a.left, T = a.top, R = a.right, B = a.bottom;
    CaptionOutline c;
    c.outline = {{L, B},         {L, T + 5},     {L + 1, T + 5}, {L + 1, T + 4}, {L + 1, T + 3},
                 {L + 2, T + 3}, {L + 2, T + 2}, {L + 3, T + 2}, {L + 3, T + 1}, {L + 4, T + 1},
                 {L + 5, T + 1}, {L + 5, T},     {R - 6, T},     {R - 6, T + 1}, {R - 5, T + 1},
                 {R - 4, T + 1}, {R - 4, T + 2}, {R - 3, T + 2}, {R - 3, T + 3}, {R - 2, T + 3},
                 {R - 2, T + 4}, {R - 2, T + 5}, {R - 1, T + 5}, {R - 1, B}};
    c.bottom_from = {L + 4, B - 1};
    c.bottom_to = {R - 4, B - 1};
    c.band_pixels = {Point{L + 1, B - 1}, {L + 2, B - 1}, {L + 3, B - 1},
                     {R - 2, B - 1},      {R - 3, B - 1}, {R - 4, B - 1}};
    return c;
}

FrameOutline FrameOutlineOf(const Box& c) {
    const int L = c.left, T = c.top, R = c.right, B = c.bottom, U = T + 28;
    FrameOutline f;
    f.outer = {{L, U}, {L, B - 1}, {R - 1, B - 1}, {R - 1, U}};
    f.inner = {{L + 3, U + 1}, {L + 2, U + 2}, {L + 2, B - 3},
               {R - 3, B - 3}, {R - 3, U + 2}, {R - 5, U + 1}};
    f.band = {{L + 2, U + 1}, {L + 1, U + 2}, {L + 1, B - 2},
              {R - 2, B - 2}, {R - 2, U + 2}, {R - 4, U}};
    f.band_pixels = {Point{L + 1, U + 1}, {R - 2, U + 1}};
    return f;
}

}  // namespace waktuna
