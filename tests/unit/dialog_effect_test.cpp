// The message dialog's model: effect choice, the window shape at each step of
// the seven entrance effects (310 x 168 window: cx 155, cy 84), fading,
// titles, pictures and button places. Step counts and shapes are worked out
// by hand from the effect rules.
#include <gtest/gtest.h>

#include "waktuna/look/dialog_effect.h"

using namespace waktuna;

namespace {

constexpr int W = kDialogWidth, H = kDialogHeight;

// Steps until the effect hands back the final shape (that step included).
int StepsToFinish(int effect) {
    EntranceEffect e(effect, W, H);
    for (int n = 1; n < 1000; ++n)
        if (e.Step() == RoundedDialogShape(W, H)) return n;
    return -1;
}

ShapePart Part(ShapePart::Kind kind, Box box) {
    ShapePart p;
    p.kind = kind;
    p.box = box;
    return p;
}

}  // namespace

TEST(DialogEffect, ChoiceOfEffect) {
    EXPECT_EQ(ChooseEffect(0, 6), 6);  // Random
    EXPECT_EQ(ChooseEffect(-1, 2), 2);  // outside 0..8 counts as Random
    EXPECT_EQ(ChooseEffect(9, 8), 8);
    EXPECT_EQ(ChooseEffect(1, 5), 1);  // Normal stays plain
    EXPECT_EQ(ChooseEffect(8, 2), 8);
}

TEST(DialogEffect, NormalShowsTheRoundedShapeAtOnce) {
    EntranceEffect e(kEffectNormal, W, H);
    EXPECT_FALSE(e.Animated());
    EXPECT_TRUE(e.Finished());
    const WindowShape rounded = RoundedDialogShape(W, H);
    ASSERT_EQ(rounded.add.size(), 1u);
    EXPECT_EQ(rounded.add[0].kind, ShapePart::kRoundRectangle);
    EXPECT_EQ(rounded.add[0].box, (Box{0, 0, W + 1, H + 14}));
    EXPECT_EQ(rounded.add[0].corner, 13);
    EXPECT_EQ(e.Step(), rounded);
    // At 150 % the corners and the square-bottom overhang grow with the window.
    const ShapePart large = RoundedDialogShape(W, H, 144).add[0];
    EXPECT_EQ(large.box, (Box{0, 0, W + 1, H + 21}));
    EXPECT_EQ(large.corner, 20);
    EXPECT_EQ(EntranceEffect::StartShape().add[0].box, (Box{0, 0, 1, 1}));
}

TEST(DialogEffect, Effects1And2OpenFromTheMiddleLines) {
    EntranceEffect e1(2, W, H);
    EXPECT_EQ(e1.Step().add[0], Part(ShapePart::kRectangle, {0, 81, W, 87}));
    // 28 steps of 6 pixels reach 168; the 29th is taller than the window.
    EXPECT_EQ(StepsToFinish(2), 29);
    EntranceEffect e2(3, W, H);
    EXPECT_EQ(e2.Step().add[0], Part(ShapePart::kRectangle, {152, 0, 158, H}));
    EXPECT_EQ(StepsToFinish(3), 52);  // 6 x 52 = 312 > 310
}

TEST(DialogEffect, Effects3And5GrowABoxOrEllipse) {
    EntranceEffect e3(4, W, H);
    EXPECT_EQ(e3.Step().add[0], Part(ShapePart::kRectangle, {152, 82, 158, 86}));
    EXPECT_EQ(e3.Step().add[0], Part(ShapePart::kRectangle, {149, 80, 161, 88}));
    // Tested before the step: after 69 steps the box is 414 > 410 wide.
    EXPECT_EQ(StepsToFinish(4), 70);
    EntranceEffect e5(6, W, H);
    EXPECT_EQ(e5.Step().add[0], Part(ShapePart::kEllipse, {152, 82, 158, 86}));
    EXPECT_EQ(StepsToFinish(6), 70);
}

TEST(DialogEffect, Effect6CutsAShrinkingEllipseOutOfTheWindow) {
    EntranceEffect e(7, W, H);
    const WindowShape s = e.Step();
    ASSERT_EQ(s.add.size(), 1u);
    EXPECT_EQ(s.add[0], Part(ShapePart::kRectangle, {0, 0, W, H}));
    ASSERT_EQ(s.remove.size(), 1u);
    // (cx - left - 100, cy - top - 50) - (W + cx - right + 100, H + cy - bottom + 50)
    EXPECT_EQ(s.remove[0], Part(ShapePart::kEllipse, {-97, -48, 407, 216}));
    EXPECT_EQ(StepsToFinish(7), 70);
}

TEST(DialogEffect, Effect7JoinsTwoEllipsesFromTheSides) {
    EntranceEffect e(8, W, H);
    const WindowShape s = e.Step();
    ASSERT_EQ(s.add.size(), 2u);
    EXPECT_EQ(s.add[0], Part(ShapePart::kEllipse, {152 - W - 155, -2, 3, 170}));
    EXPECT_EQ(s.add[1], Part(ShapePart::kEllipse, {307, -2, 623, 170}));
    EXPECT_TRUE(s.remove.empty());
}

TEST(DialogEffect, Effect4SweepsFourPolygonsAroundTheCentre) {
    EntranceEffect e(5, W, H);
    const WindowShape s = e.Step();  // a 80, c 159
    ASSERT_EQ(s.add.size(), 4u);
    for (const auto& p : s.add) EXPECT_EQ(p.kind, ShapePart::kPolygon);
    EXPECT_EQ(s.add[0].points, (std::vector<Point>{{155, 84}, {0, 84}, {0, 80}, {0, 80}}));
    EXPECT_EQ(s.add[1].points, (std::vector<Point>{{155, 84}, {310, 84}, {310, 88}, {310, 88}}));
    EXPECT_EQ(s.add[2].points, (std::vector<Point>{{155, 84}, {155, 0}, {159, 0}, {159, 0}}));
    EXPECT_EQ(s.add[3].points, (std::vector<Point>{{155, 84}, {155, 168}, {151, 168}, {151, 168}}));
    // a reaches 0 at step 21, then b grows by 4; c passes W at step 39 and d
    // follows; finished once b > 155 (b = 156 after step 60).
    WindowShape last;
    for (int n = 2; n <= 60; ++n) last = e.Step();
    EXPECT_EQ(last.add[0].points, (std::vector<Point>{{155, 84}, {0, 84}, {0, 0}, {156, 0}}));
    EXPECT_EQ(last.add[3].points, (std::vector<Point>{{155, 84}, {155, 168}, {0, 168}, {0, 80}}));
    EXPECT_FALSE(e.Finished());
    EXPECT_EQ(e.Step(), RoundedDialogShape(W, H));
    EXPECT_TRUE(e.Finished());
}

TEST(DialogFading, AlphaRunsFrom55To255InFortyTicksAndStays) {
    int alpha = kFadeStartAlpha;
    int ticks = 0;
    while (alpha < 255) {
        alpha = NextFadeAlpha(alpha);
        ++ticks;
        ASSERT_EQ(alpha % 5, 0);
    }
    EXPECT_EQ(ticks, 40);  // two seconds of 50 ms
    EXPECT_EQ(NextFadeAlpha(255), 255);
    EXPECT_EQ(kFadeCloseTick * 50, 50000);      // 50 s
    EXPECT_EQ(kSecondsCloseTick * 1000, 50000);  // 50 s
}

TEST(DialogTexts, TitlesPicturesAndButtons) {
    std::vector<std::string> lines(227);
    lines[165] = "Information";
    lines[166] = "Warning";
    lines[167] = "Question";
    lines[168] = "Error";
    const LanguageList lang(std::move(lines));
    EXPECT_EQ(DialogTitle(lang, 1), "Error");
    EXPECT_EQ(DialogTitle(lang, 2), "Warning");
    EXPECT_EQ(DialogTitle(lang, 3), "Information");
    EXPECT_EQ(DialogTitle(lang, 4), "Question");
    EXPECT_EQ(DialogTitle(lang, 0), "Info");
    EXPECT_EQ(DialogTitle(lang, 7), "Info");
    EXPECT_STREQ(DialogPictureName(4), "QUESTION");
    EXPECT_EQ(DialogPictureName(5), nullptr);
    // OK alone is centred, halving toward zero: (310 - 75) / 2 = 117.
    const ButtonPlacement ok = PlaceButtons(DialogButtons::Ok, 310, 75, 8);
    EXPECT_EQ(ok.ok_left, 117);
    EXPECT_FALSE(ok.cancel_visible);
    const ButtonPlacement both = PlaceButtons(DialogButtons::OkCancel, 310, 75, 8);
    EXPECT_TRUE(both.cancel_visible);
    EXPECT_EQ(both.cancel_left - both.ok_left, 83);
    EXPECT_GE(both.ok_left, 0);
    EXPECT_LE(both.cancel_left + 75, 310);
}
