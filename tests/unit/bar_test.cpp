#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "waktuna/look/bar.h"

namespace waktuna {
namespace {

constexpr Box kScreen{0, 0, 1024, 768};

TEST(BarSettings, OutOfRangeValuesFallBack) {
    EXPECT_EQ(BarSettings::FromStored(5, 7, 3).width_percent, 100);
    EXPECT_EQ(BarSettings::FromStored(5, 7, 3).scroll_ms, 30);
    EXPECT_EQ(BarSettings::FromStored(5, 7, 3).position, BarPosition::Top);
    const BarSettings s = BarSettings::FromStored(10, 4, 2);
    EXPECT_EQ(s.width_percent, 10);
    EXPECT_EQ(s.scroll_ms, 50);
    EXPECT_EQ(s.position, BarPosition::Bottom);
}

TEST(PlaceBar, WidthIsCentredAndEachPositionStaysInTheWorkArea) {
    const BarPlacement half = PlaceBar(BarSettings::FromStored(50, 0, 0), kScreen);
    EXPECT_EQ(half.width, 512);
    EXPECT_EQ(half.left, 256);
    EXPECT_EQ(half.top, 0);

    // A 48-pixel taskbar at the bottom: the bar rests right above it.
    const Box above_taskbar{0, 0, 1024, 720};
    EXPECT_EQ(PlaceBar(BarSettings::FromStored(100, 0, 2), above_taskbar).top, 720 - kBarHeight);
    EXPECT_EQ(PlaceBar(BarSettings::FromStored(100, 0, 1), above_taskbar).top, 360 - 10);

    // A taskbar on the left side: the bar is centred in what is left and
    // its top is never negative.
    const Box beside_taskbar{62, 0, 1024, 768};
    const BarPlacement side = PlaceBar(BarSettings::FromStored(50, 0, 2), beside_taskbar);
    EXPECT_EQ(side.width, 481);
    EXPECT_EQ(side.left, 62 + 240);
    EXPECT_EQ(side.top, 768 - kBarHeight);

    // A second monitor left of the primary one.
    const BarPlacement left = PlaceBar(BarSettings::FromStored(100, 0, 0), Box{-1280, 0, 0, 1024});
    EXPECT_EQ(left.left, -1280);
    EXPECT_EQ(left.width, 1280);
}

TEST(PlaceBar, AtOneAndAHalfTimesTheDpiTheBarAndItsGapGrowAndItStillRestsOnTheTaskbar) {
    const BarPlacement p = PlaceBar(BarSettings::FromStored(100, 0, 2), Box{0, 0, 1920, 1040}, 144);
    EXPECT_EQ(p.height, 32);  // 21 x 1.5, rounded
    EXPECT_EQ(p.gap, 30);
    EXPECT_EQ(p.top, 1040 - 32);
    // Opening from the middle takes half its larger height, and then shows every row.
    BarMotion bar;
    bar.Configure(p);
    bar.Show(100, 100, 0);
    const BarFrame open = bar.Update(16 * kBarAnimationStepMs + 1);
    EXPECT_EQ(open.phase, BarPhase::Scrolling);
    EXPECT_EQ(open.band_top, 0);
    EXPECT_EQ(open.band_bottom, 32);
}

TEST(BarMotion, SlidesInScrollsFiftySecondsAndSlidesOut) {
    BarMotion bar;
    bar.Configure(PlaceBar(BarSettings::FromStored(50, 4, 0), Box{0, 30, 1024, 768}));
    bar.Show(300, 100, 1000);
    BarFrame f = bar.Update(1000);
    EXPECT_EQ(f.phase, BarPhase::Appearing);
    EXPECT_EQ(f.top, 30 - kBarHeight);
    EXPECT_EQ(f.band_top, kBarHeight);  // nothing over the taskbar at the top
    f = bar.Update(1000 + 10 * kBarAnimationStepMs);
    EXPECT_EQ(f.top, 30 - kBarHeight + 10);
    EXPECT_EQ(f.band_top, kBarHeight - 10);
    EXPECT_EQ(f.first_left, 512);  // the texts wait until the bar is in view

    const uint64_t in_view = 1000 + kBarHeight * kBarAnimationStepMs;
    f = bar.Update(in_view + 5 * 50);
    EXPECT_EQ(f.phase, BarPhase::Scrolling);
    EXPECT_EQ(f.top, 30);
    EXPECT_EQ(f.first_left, 512 - 5);

    // 1000 scroll steps of 50 ms, then the bar leaves the way it came.
    EXPECT_EQ(bar.Update(in_view + 999 * 50).phase, BarPhase::Scrolling);
    f = bar.Update(in_view + 1000 * 50 + 3 * kBarAnimationStepMs);
    EXPECT_EQ(f.phase, BarPhase::Disappearing);
    EXPECT_EQ(f.top, 30 - 3);
    EXPECT_EQ(bar.Update(in_view + 1000 * 50 + kBarHeight * kBarAnimationStepMs).phase,
              BarPhase::Hidden);
}

TEST(BarMotion, ElapsedTimeSetsTheSpeedHoweverCoarseTheUpdates) {
    // Updated every 10 ms or once after a long pause, the texts are at the
    // same place.
    const BarPlacement place = PlaceBar(BarSettings::FromStored(100, 0, 1), kScreen);
    BarMotion fine, coarse;
    fine.Configure(place);
    coarse.Configure(place);
    fine.Show(400, 200, 0);
    coarse.Show(400, 200, 0);
    for (uint64_t t = 0; t <= 20000; t += 10) fine.Update(t);
    EXPECT_EQ(coarse.Update(20000), fine.Update(20000));
    // Centre: opened from the middle row, fully open after 11 steps.
    EXPECT_EQ(coarse.Update(20000).band_top, 0);
    EXPECT_EQ(coarse.Update(20000).band_bottom, kBarHeight);
    // Motion 0 closes after 5000 steps of 10 ms.
    const uint64_t in_view = 11 * kBarAnimationStepMs;
    EXPECT_EQ(coarse.Update(in_view + 4999 * 10).phase, BarPhase::Scrolling);
    EXPECT_EQ(coarse.Update(in_view + 5000 * 10).phase, BarPhase::Disappearing);
}

TEST(BarMotion, TextsFollowEachOtherWithTheGap) {
    BarMotion bar;
    bar.Configure(PlaceBar(BarSettings::FromStored(100, 0, 2), Box{0, 0, 200, 100}));
    bar.Show(150, 60, 0);
    const uint64_t in_view = 11 * kBarAnimationStepMs;
    // The second text (centred at 70) leaves first and goes in behind the
    // first, which still reaches past the right edge.
    EXPECT_EQ(bar.Update(in_view + 129 * 10).second_left, -59);
    BarFrame f = bar.Update(in_view + 130 * 10);
    EXPECT_EQ(f.first_left, 70);
    EXPECT_EQ(f.second_left, 70 + 150 + kBarTextGap);
    // When the first leaves, the second is wholly inside: the first
    // re-enters at the right edge.
    f = bar.Update(in_view + 350 * 10);
    EXPECT_EQ(f.second_left, 20);
    EXPECT_EQ(f.first_left, 200);
}

TEST(BarMotion, CloseFromTheMenuLeavesFromWhereItIs) {
    BarMotion bar;
    bar.Configure(PlaceBar(BarSettings::FromStored(100, 2, 1), kScreen));
    bar.Show(10, 10, 0);
    bar.Update(5 * kBarAnimationStepMs);  // half open
    bar.Close(5 * kBarAnimationStepMs);
    EXPECT_EQ(bar.Update(5 * kBarAnimationStepMs + 2 * kBarAnimationStepMs).band_top, 10 - 3);
    EXPECT_EQ(bar.Update(10 * kBarAnimationStepMs).phase, BarPhase::Hidden);
    bar.Show(10, 10, 1000);
    bar.HideNow();
    EXPECT_EQ(bar.Update(2000).phase, BarPhase::Hidden);
}

// A column of the bar shows the first text (1), the second (2) or nothing.
std::vector<int> Columns(const BarFrame& f, int first_width, int second_width, int width) {
    std::vector<int> columns(static_cast<size_t>(width), 0);
    for (int x = 0; x < width; ++x) {
        if (x >= f.first_left && x < f.first_left + first_width) columns[x] = 1;
        if (x >= f.second_left && x < f.second_left + second_width) columns[x] = 2;
    }
    return columns;
}

BarFrame Texts(int first, int second) {
    BarFrame f;
    f.first_left = first;
    f.second_left = second;
    return f;
}

TEST(BarUncoveredColumns, WhatATextLeftBehindIsCleared) {
    using Spans = std::vector<std::pair<int, int>>;
    // Texts 100 and 200 wide on a 500-pixel bar.
    const std::tuple<BarFrame, BarFrame, Spans> cases[] = {
        {Texts(300, 50), Texts(300, 50), {}},
        {Texts(300, 50), Texts(298, 48), {{398, 400}, {248, 250}}},
        {Texts(300, 50), Texts(302, 52), {{300, 302}, {50, 52}}},      // moving right
        {Texts(450, -199), Texts(449, 569), {{0, 1}}},                 // the second went round
        {Texts(600, -300), Texts(598, -302), {}},                      // nothing in sight
        {Texts(300, 50), Texts(330, 40), {{300, 330}, {240, 250}}},
    };
    for (const auto& [before, after, spans] : cases) {
        SCOPED_TRACE(after.first_left);
        EXPECT_EQ(BarUncoveredColumns(before, after, 100, 200, 500), spans);
    }
}

// Through a whole show, at every speed and with texts going round, clearing
// the uncovered columns and drawing the texts where they are now gives the
// new frame from the old one.
TEST(BarUncoveredColumns, AWholeShowIsDrawnByMovingTheTexts) {
    for (uint32_t motion = 0; motion <= 4; ++motion) {
        for (const auto& [first_width, second_width] : {std::pair{300, 500}, {900, 40}}) {
            BarMotion bar;
            bar.Configure(PlaceBar(BarSettings::FromStored(75, motion, 0), kScreen));
            const int width = bar.Placement().width;
            bar.Show(first_width, second_width, 0);
            BarFrame before = bar.Update(0);
            std::vector<int> shown = Columns(before, first_width, second_width, width);
            for (uint64_t now = 15; bar.Phase() != BarPhase::Disappearing; now += 15) {
                const BarFrame after = bar.Update(now);
                for (const auto& [from, to] : BarUncoveredColumns(before, after, first_width, second_width, width))
                    std::fill(shown.begin() + from, shown.begin() + to, 0);
                const std::vector<int> wanted = Columns(after, first_width, second_width, width);
                for (int x = 0; x < width; ++x) {
                    if (wanted[x] != 0) shown[x] = wanted[x];
                }
                ASSERT_EQ(shown, wanted) << motion << " at " << now;
                before = after;
            }
        }
    }
}

}  // namespace
}  // namespace waktuna
