// The drop zone window as a model: its stored settings and their rules, the
// menu's stored values, snapping to the work area with its lock, and the
// prayer-time flashing.
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
