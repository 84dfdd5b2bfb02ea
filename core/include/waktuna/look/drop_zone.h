// The drop zone window as a model: its stored settings and their rules, the
// menu's stored values, snapping to the work area with its lock, its size for
// the texts it shows, and the prayer-time flashing.
#pragma once

#include <cstdint>
#include <span>

#include "waktuna/calc/qibla.h"  // Point, Box
#include "waktuna/settings/settings_store.h"

namespace waktuna {

inline constexpr int kDropZoneWidth = 214;   // client size at 96 DPI
inline constexpr int kDropZoneHeight = 25;
inline constexpr int kDropZoneSnapDistance = 20;
inline constexpr int kDropZoneFontHeight = 15;
inline constexpr int kDropZoneFlashStepMs = 500;
inline constexpr int kDropZoneMargin = 2;   // around the texts, at 96 DPI
inline constexpr int kDropZoneTextGap = 5;  // between the first text and the second

// The menu's "Alpha Blend" items (30 % .. 70 %, then "Disabled") and "Font
// Size" items (100 % .. 200 %); their stored values are in settings.h.
inline constexpr int kAlphaItems = 6;
inline constexpr int kAlphaDisabledItem = 5;
inline constexpr int kFontSizeItems = 5;

// A stored position is used only when the window would still show on the
// screen (the virtual screen, all monitors): -width < x < screen right and
// -height < y < screen bottom, taken from the screen's own origin.
bool PositionOnScreen(Point p, int width, int height, Box screen);
// The same against the monitors themselves: the window placed at `p` must
// lie at least partly on one of them. A point inside the virtual screen can
// still be in the gap beside a smaller monitor, where nothing shows it.
bool PositionOnMonitors(Point p, int width, int height, std::span<const Box> monitors);

// Snapping while the window is dragged. Once it has snapped, it is kept
// inside the work area for as long as snapping stays on.
class DropZoneSnap {
public:
    // The position to use for a proposed one, for a window of this size.
    Point Apply(Point proposed, int width, int height, Box work_area, bool snap_on);
    bool Locked() const { return locked_; }

private:
    bool locked_ = false;
};

// A size in pixels.
struct Extent {
    int width = 0, height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

// The client size at `dpi` that shows both texts whole: side by side with
// their margins and gap (the second, when not empty, after the first), a
// text `text_height` pixels high; never smaller than the normal 214 x 25
// (scaled). Text widths and height are measured at the same DPI.
Extent DropZoneExtent(int first_width, int second_width, int text_height, int dpi);

// Where the window of `size` goes. `anchor` is its top left as the user left
// it, where it stays at its normal size (`normal`). In a direction in which
// it has grown for a longer text it is moved back inside the work area when
// the growth would leave it, and is no larger than the work area; once the
// text is short again it returns to the anchor.
Box DropZoneFrame(Point anchor, Extent size, Extent normal, Box work_area);

// What the window looks like at one flashing step.
enum class FlashLook {
    Normal,   // the skin's colours
    Bright,   // white texts and window, red gradient
    RedText,  // transparent mode's other step: the texts red
};

// The flashing of a prayer time: two steps a second for the set time, then
// the normal look again.
class DropZoneFlash {
public:
    // `flash_time` as stored in FlashTime (see DropZoneFlashSteps).
    void Start(uint32_t flash_time);
    // One 500 ms step; false once the flashing is over (the look is then
    // Normal and the timer can stop).
    bool Tick();
    void Stop() { active_ = false; }
    bool Active() const { return active_; }
    int Count() const { return count_; }
    int Length() const { return length_; }
    FlashLook Look(bool transparent) const;

private:
    bool active_ = false;
    int count_ = 0;
    int length_ = 0;
};

}  // namespace waktuna
