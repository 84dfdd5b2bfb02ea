// Skin colour arithmetic and the palette of every skin. Expected colours were
// worked out by hand or with a separate script following the published
// formulas, not taken from this code's output.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "waktuna/look/skin.h"

using namespace waktuna;

namespace {
constexpr Color Hex(uint32_t rrggbb) { return FromRrggbb(rrggbb); }
}  // namespace

TEST(SkinColor, SplitAndJoinUseTheColorrefLayout) {
    EXPECT_EQ(Hex(0x6c8cbd), 0xbd8c6cu);
    EXPECT_EQ(SplitColor(Hex(0x6c8cbd)), (RgbRecord{0x6c, 0x8c, 0xbd}));
    EXPECT_EQ(JoinColor({0x6c, 0x8c, 0xbd}), Hex(0x6c8cbd));
    // A system colour code is not a plain colour: blue comes out above 255.
    EXPECT_EQ(SplitColor(0x80000005u).blue, 0x8000);
}

TEST(SkinColor, BlendRoundsHalvesToEvenAndClampsTheFraction) {
    EXPECT_EQ(BlendColor(0x000000, 0xffffff, 0.5), Hex(0x808080));  // 127.5 -> 128
    EXPECT_EQ(BlendColor(0x000000, Hex(0x010101), 0.5), 0u);        // 0.5 -> 0
    EXPECT_EQ(BlendColor(0x000000, Hex(0x030303), 0.5), Hex(0x020202));  // 1.5 -> 2
    EXPECT_EQ(BlendColor(Hex(0x102030), Hex(0xf0e0d0), 1.5), Hex(0xf0e0d0));
    EXPECT_EQ(BlendColor(Hex(0x102030), Hex(0xf0e0d0), -0.2), Hex(0x102030));
    EXPECT_EQ(BlendColor(Hex(0x102030), Hex(0xf0e0d0), std::nan("")), Hex(0x102030));
    EXPECT_EQ(BlendColor(Hex(0xffffff), Hex(0xffff00), 0.0), Hex(0xffffff));
    EXPECT_EQ(BlendColor(Hex(0xffffff), Hex(0xffff00), 1.0), Hex(0xffff00));
}

TEST(SkinColor, RgbToHslOnTheProgramsScale) {
    // Greys: no hue, no saturation; lightness = channel / 256 * 256.
    EXPECT_EQ(RgbToHsl({100, 100, 100}), (HslRecord{0, 100, 0}));
    EXPECT_EQ(RgbToHsl({255, 255, 255}), (HslRecord{0, 255, 0}));
    // Pure red: lightness 127.5 rounds to 128, saturation reaches 256.
    EXPECT_EQ(RgbToHsl({255, 0, 0}), (HslRecord{0, 128, 256}));
    // Red-dominant with blue above green: a negative hue, not wrapped.
    EXPECT_EQ(RgbToHsl({255, 0, 10}), (HslRecord{-2, 128, 256}));
    // Blue is tested first: (114, 178, 245) is h = 4 + (r - g) / d.
    EXPECT_EQ(RgbToHsl({114, 178, 245}), (HslRecord{150, 180, 219}));
    // Blue and red tie for the maximum: the blue formula wins,
    // h = 4 + (r - g) / d = 5 -> 213 (the red one would give -43).
    EXPECT_EQ(RgbToHsl({200, 0, 200}).hue, 213);
}

TEST(SkinColor, HslToRgb) {
    // No saturation returns the lightness value itself, unscaled.
    EXPECT_EQ(HslToRgb({77, 200, 0}), (RgbRecord{200, 200, 200}));
    EXPECT_EQ(HslToRgb({0, 300, 0}), (RgbRecord{300, 300, 300}));
    // Hue 0, full saturation, half lightness: red.
    EXPECT_EQ(HslToRgb({0, 128, 255}), (RgbRecord{255, 1, 1}));
    // Lightness 240 of skin 0's band colour (hand-checked: e3effd).
    EXPECT_EQ(JoinColor(HslToRgb({150, 240, 219})), Hex(0xe3effd));
}

TEST(SkinStrips, KeepTheListedRowsAndRunSmoothlyBetween) {
    const SkinStrip aqua = SkinStripRows(0);
    EXPECT_EQ(aqua[10], Hex(0x5892de));  // the glass step of the complete strip
    EXPECT_EQ(aqua[26], Hex(0x72b2f5));
    struct Listed {
        int strip;
        uint32_t row0, row1, row15, row27, row28;
    };
    const Listed listed[] = {{1, 0x99bff3, 0xa3c4fe, 0x5868ad, 0x5366ab, 0x384f95},
                             {10, 0x0058ee, 0x3f97ff, 0x0055ea, 0x004de3, 0x0058ee},
                             {19, 0x50576a, 0x9fabc5, 0x2e2f3f, 0x181926, 0x161f3e}};
    for (const auto& l : listed) {
        const SkinStrip s = SkinStripRows(l.strip);
        EXPECT_EQ(s[0], Hex(l.row0));
        EXPECT_EQ(s[1], Hex(l.row1));
        EXPECT_EQ(s[15], Hex(l.row15));
        EXPECT_EQ(s[27], Hex(l.row27));
        EXPECT_EQ(s[28], Hex(l.row28));
    }
    // Every in-between channel lies between its neighbours (a monotone run).
    for (int i = 1; i < kStripCount; ++i) {
        const SkinStrip s = SkinStripRows(i);
        for (int y = 2; y < 27; ++y) {
            if (y == 15) continue;
            const auto a = SplitColor(s[y - 1]), b = SplitColor(s[y]);
            const auto end = SplitColor(s[y < 15 ? 15 : 27]);
            for (auto [p, q, e] : {std::tuple{a.red, b.red, end.red},
                                   std::tuple{a.green, b.green, end.green},
                                   std::tuple{a.blue, b.blue, end.blue}})
                EXPECT_TRUE((p <= q && q <= e) || (p >= q && q >= e)) << i << " row " << y;
        }
    }
    EXPECT_STREQ(SkinStripName(14), "ZBLUEX");
    EXPECT_EQ(SkinStripOf(37), 17);
    EXPECT_EQ(SkinStripOf(45), 14);
    EXPECT_EQ(SkinStripOf(-1), 14);
}

TEST(SkinPalette, BlueAquaAndItsRegeneratedTwin) {
    const SkinPalette p0 = PaletteOfSkin(0);
    EXPECT_EQ(p0.PageColor, Hex(0xffffff));
    EXPECT_EQ(p0.LabelTextColor, Hex(0x000000));
    EXPECT_EQ(p0.LightTextColor, Hex(0xffffff));
    EXPECT_EQ(p0.HighlightColor, Hex(0x000080));
    EXPECT_EQ(p0.EdgeColor, Hex(0x2c7dd2));
    EXPECT_EQ(p0.BandColor, Hex(0x72b2f5));
    EXPECT_EQ(p0.TintColor, Hex(0xe3effd));
    EXPECT_EQ(p0.AccentColor, Hex(0xabd0f9));
    EXPECT_EQ(p0.OutlineColor, Hex(0x6c8cbd));
    EXPECT_EQ(GradientEnd(p0), p0.TintColor);

    // Skin 20: the same strip, its band rebuilt from rows 1 and 15.
    SkinStrip strip = SkinStripRows(0);
    SkinPalette p20;
    ApplySkin(20, strip, p20);
    EXPECT_EQ(p20.BandColor, Hex(0x619ee6));
    EXPECT_EQ(p20.EdgeColor, Hex(0x2c7dd2));
    EXPECT_EQ(p20.PageColor, Hex(0xffffff));
    EXPECT_EQ(strip[0], Hex(0x6c8cbd));
    EXPECT_EQ(strip[28], Hex(0x2c7dd2));
    // The band then runs from the edge colour to the row-27 colour.
    EXPECT_EQ(strip[27], Hex(0x619ee6));
    EXPECT_EQ(strip[1], BlendColor(Hex(0x2c7dd2), Hex(0x619ee6), 1 / 27.0));
    EXPECT_EQ(GradientEnd(p20), p20.TintColor);  // 20 is not above 20
}

TEST(SkinPalette, DarkerSkinsTakeTintedPagesAndEdgeLabels) {
    SkinStrip strip = SkinStripRows(2);
    SkinPalette p22;
    ApplySkin(22, strip, p22);
    EXPECT_EQ(strip, SkinStripRows(2));  // kept as loaded
    EXPECT_EQ(p22.BandColor, Hex(0xa489fa));
    EXPECT_EQ(p22.PageColor, Hex(0xcdbcfc));  // lightness 220, hand-checked
    EXPECT_EQ(p22.LabelTextColor, p22.EdgeColor);
    EXPECT_EQ(p22.AccentColor, p22.EdgeColor);
    EXPECT_EQ(p22.HighlightColor, Hex(0xffffff));
    EXPECT_EQ(GradientEnd(p22), p22.PageColor);

    const SkinPalette p21 = PaletteOfSkin(21);  // regenerated CORONAH_T
    EXPECT_EQ(p21.BandColor, Hex(0x5868ad));
    EXPECT_EQ(p21.PageColor, Hex(0xd0d5e8));

    const SkinPalette p39 = PaletteOfSkin(39);
    EXPECT_EQ(p39.PageColor, Hex(0x808080));
    EXPECT_EQ(p39.LabelTextColor, Hex(0xffffff));
    EXPECT_EQ(p39.HighlightColor, Hex(0xffffff));
    EXPECT_EQ(p39.BandColor, Hex(0x2e2f3f));  // regenerated: row 15 of WINVISTA3
}

TEST(SkinPalette, NumbersAboveThirtyNineKeepThePreviousPageColours) {
    const SkinPalette previous = PaletteOfSkin(22);
    const SkinPalette p45 = PaletteOfSkin(45, previous);
    EXPECT_EQ(p45.SkinNumber, 45);
    EXPECT_EQ(p45.BandColor, Hex(0x125cc4));  // ZBLUEX, regenerated
    EXPECT_EQ(p45.EdgeColor, Hex(0x274194));
    EXPECT_EQ(p45.PageColor, previous.PageColor);
    EXPECT_EQ(p45.AccentColor, previous.AccentColor);
    EXPECT_EQ(p45.LabelTextColor, previous.LabelTextColor);
    EXPECT_NE(p45.TintColor, previous.TintColor);
}

TEST(SkinPalette, EverySkin) {
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(n);
        const SkinStrip loaded = SkinStripRows(n % kStripCount);
        SkinStrip strip = loaded;
        SkinPalette p;
        ApplySkin(n, strip, p);
        const bool kept = n < 20 || (n >= 22 && n <= 31) || n == 33 || n == 35;
        EXPECT_EQ(strip == loaded, kept);
        EXPECT_EQ(p.EdgeColor, loaded[28]);
        EXPECT_EQ(p.OutlineColor, loaded[0]);
        EXPECT_EQ(p.BandColor, kept ? loaded[27] : loaded[15]);
        EXPECT_EQ(p.BandOutlineColor, p.BandColor);
        EXPECT_NEAR(RgbToHsl(SplitColor(p.TintColor)).lightness, 240, 2);
        if (n <= 20) {
            EXPECT_EQ(p.PageColor, 0xffffffu);
            EXPECT_EQ(p.LabelTextColor, 0u);
        } else if (n <= 38) {
            EXPECT_EQ(p.LabelTextColor, p.EdgeColor);
            EXPECT_EQ(p.AccentColor, p.EdgeColor);
        }
        EXPECT_LE(p.PageColor, 0xffffffu);
        EXPECT_LE(p.TintColor, 0xffffffu);
    }
}

TEST(SkinOutline, CaptionCornersAreCutInOnePixelSteps) {
    const CaptionOutline c = CaptionOutlineOf({0, 0, 100, 29});
    ASSERT_EQ(c.outline.size(), 24u);
    EXPECT_EQ(c.outline.front(), (Point{0, 29}));
    EXPECT_EQ(c.outline[11], (Point{5, 0}));
    EXPECT_EQ(c.outline[12], (Point{94, 0}));
    EXPECT_EQ(c.outline.back(), (Point{99, 29}));
    // Each step moves one pixel along one axis (the middle run excepted).
    for (size_t i = 1; i < c.outline.size(); ++i) {
        if (i == 1 || i == 12 || i == 23) continue;
        const int dx = std::abs(c.outline[i].x - c.outline[i - 1].x);
        const int dy = std::abs(c.outline[i].y - c.outline[i - 1].y);
        EXPECT_LE(dx + dy, 1) << i;
    }
    // Mirror symmetry about the middle column (x -> 99 - x).
    for (size_t i = 0; i < 12; ++i) {
        const Point a = c.outline[i], b = c.outline[23 - i];
        EXPECT_EQ(a.y, b.y) << i;
        EXPECT_EQ(a.x + b.x, 99) << i;
    }
}
