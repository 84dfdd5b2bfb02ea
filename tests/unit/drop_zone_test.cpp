#include <gtest/gtest.h>

#include "waktuna/look/drop_zone.h"
#include "waktuna/settings/settings.h"

namespace waktuna {
namespace {

TEST(DropZonePosition, OnlyPositionsThatShowSomethingAreUsed) {
    const Box screen{0, 0, 1024, 768};
    EXPECT_TRUE(PositionOnScreen({-213, 767}, 214, 25, screen));
    EXPECT_FALSE(PositionOnScreen({-214, 100}, 214, 25, screen));
    EXPECT_FALSE(PositionOnScreen({100, 768}, 214, 25, screen));
    // A monitor left of the primary one starts at a negative x.
    EXPECT_TRUE(PositionOnScreen({-1000, 10}, 214, 25, Box{-1280, 0, 1024, 768}));
}

// A 2560x1440 primary monitor and a 1920x1080 one to its right: below the
// smaller one lies a gap that is inside the virtual screen yet on no monitor.
TEST(DropZonePosition, TheGapBesideASmallerMonitorIsRefused) {
    const Box monitors[] = {{0, 0, 2560, 1440}, {2560, 0, 4480, 1080}};
    EXPECT_FALSE(PositionOnMonitors({3000, 1150}, 214, 25, monitors));
    EXPECT_TRUE(PositionOnMonitors({3000, 500}, 214, 25, monitors));
    EXPECT_TRUE(PositionOnMonitors({2450, 1150}, 214, 25, monitors));  // its left end still on the primary
    EXPECT_TRUE(PositionOnMonitors({2450, 1000}, 214, 25, monitors));  // across both
    EXPECT_FALSE(PositionOnMonitors({4480, 10}, 214, 25, monitors));
}

TEST(DropZoneSnap, DocksWithinTwentyPixelsAndThenStaysInside) {
    const Box work{0, 0, 1024, 738};  // a 30-pixel taskbar at the bottom
    DropZoneSnap snap;
    EXPECT_EQ(snap.Apply({300, 300}, 214, 25, work, true), (Point{300, 300}));
    EXPECT_FALSE(snap.Locked());
    // Without snapping the window goes anywhere.
    EXPECT_EQ(snap.Apply({-50, 730}, 214, 25, work, false), (Point{-50, 730}));
    // 20 pixels from the taskbar's edge docks against it.
    EXPECT_EQ(snap.Apply({300, 738 - 25 - 20}, 214, 25, work, true), (Point{300, 713}));
    EXPECT_TRUE(snap.Locked());
    // From then on it cannot be pushed partly off the work area.
    EXPECT_EQ(snap.Apply({900, 760}, 214, 25, work, true), (Point{810, 713}));
    EXPECT_EQ(snap.Apply({-30, -30}, 214, 25, work, true), (Point{0, 0}));
    EXPECT_EQ(snap.Apply({300, 300}, 214, 25, work, true), (Point{300, 300}));
}

TEST(DropZoneFlash, FlashesForTheSetTimeAndEndsInTheNormalLook) {
    DropZoneFlash flash;
    flash.Start(10);
    EXPECT_EQ(flash.Look(false), FlashLook::Bright);
    int ticks = 1;
    while (flash.Tick()) {
        EXPECT_EQ(flash.Look(false), ticks % 2 ? FlashLook::Normal : FlashLook::Bright);
        EXPECT_EQ(flash.Look(true), ticks % 2 ? FlashLook::RedText : FlashLook::Bright);
        ++ticks;
    }
    EXPECT_EQ(ticks, 20);  // ten seconds of half-second steps
    EXPECT_EQ(flash.Look(false), FlashLook::Normal);
    EXPECT_FALSE(flash.Tick());

    // A step missed or a count pushed past the end still stops it.
    flash.Start(0);
    EXPECT_EQ(flash.Length(), 360);
    flash.Start(0xFFFFFFFFu);  // a stray FlashTime: an hour, never days
    EXPECT_EQ(flash.Length(), 7200);
}


// Widths and heights are what Arial measures; the expected sizes are the
// texts with 2-pixel margins and a 5-pixel gap (x 1.5 at 144 DPI).
TEST(DropZoneSize, GrowsToTheWholeTextNeverBelowTheNormalSize) {
    struct Case {
        int first, second, text_height, dpi;
        Extent size;
    };
    const Case cases[] = {
        {120, 0, 17, 96, {214, 25}},     // "Zuhr 12:05" fits
        {230, 0, 17, 96, {234, 25}},     // "Now is the time to pray Maghrib"
        {110, 120, 17, 96, {239, 25}},   // the next prayer and the time left
        {350, 0, 26, 144, {356, 38}},    // 144 DPI: 3-pixel margins
        {100, 0, 31, 96, {214, 35}},     // 27-pixel font: taller
        {0, 0, 0, 144, {321, 38}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(DropZoneExtent(c.first, c.second, c.text_height, c.dpi), c.size);
    }
}

TEST(DropZoneSize, AGrownWindowStaysInTheWorkAreaAndComesBack) {
    const Box work{0, 0, 1024, 738};
    const Extent normal{214, 25};
    struct Case {
        Point anchor;
        Extent size;
        Box frame;
    };
    const Case cases[] = {
        // Normal size: where the user left it, even partly off the edge.
        {{1000, 730}, {214, 25}, {1000, 730, 1214, 755}},
        // Grown with room to the right.
        {{100, 100}, {400, 25}, {100, 100, 500, 125}},
        // Grown at the corner where it starts: moved left, and up when taller.
        {{794, 697}, {400, 35}, {624, 697, 1024, 732}},
        {{794, 710}, {400, 35}, {624, 703, 1024, 738}},
        // Wider than the work area: the whole width.
        {{300, 100}, {1500, 25}, {0, 100, 1024, 125}},
        // Grown while dragged partly off the left: pulled back in.
        {{-50, 100}, {400, 25}, {0, 100, 400, 125}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.anchor.x);
        EXPECT_EQ(DropZoneFrame(c.anchor, c.size, normal, work), c.frame);
    }
}

}  // namespace
}  // namespace waktuna
