// The taskbar bar as a model: where it sits on a monitor, and what it shows at
// each moment of its life (hidden, appearing, scrolling, disappearing). Every
// frame is computed from the time elapsed since the phase began, so the
// window can redraw on a coarse window timer and still move at the set speed.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "waktuna/calc/qibla.h"  // Box
#include "waktuna/settings/settings_store.h"

namespace waktuna {

// At 96 DPI; PlaceBar scales them for the monitor's DPI.
inline constexpr int kBarHeight = 21;
inline constexpr int kBarTextGap = 20;         // between the end of one text and the next
inline constexpr int kBarAnimationStepMs = 40;  // one pixel of sliding or opening
inline constexpr int kBarScrollMs = 50000;      // how long the texts scroll before closing

enum class BarPosition { Top = 0, Centre = 1, Bottom = 2 };

// The three stored values, with their rules for values out of range.
struct BarSettings {
    int width_percent = 100;  // BarWidth: 10..100, else 100
    int scroll_ms = 30;       // BarMotion 0..4: 10..50 ms a pixel, else 30
    BarPosition position = BarPosition::Top;  // BarPosition 0..2, else top

    static BarSettings FromStored(uint32_t bar_width, uint32_t bar_motion, uint32_t bar_position);
    static BarSettings Load(const SettingsStore& store);
};

// Where the bar sits: its left edge, width and resting top in screen
// coordinates, worked out from the work area of the monitor it shows on (the
// monitor less its taskbars), so no taskbar of any height or side covers it.
struct BarPlacement {
    BarPosition position = BarPosition::Top;
    int left = 0;
    int width = 0;
    int top = 0;       // resting top edge
    int clip_top = 0;  // rows above this (screen y) are never shown
    int scroll_ms = 30;
    int height = kBarHeight;  // pixels at the monitor's DPI
    int gap = kBarTextGap;
    friend bool operator==(const BarPlacement&, const BarPlacement&) = default;
};

// `dpi`: the monitor's (96 is 100 %).
BarPlacement PlaceBar(const BarSettings& settings, Box work_area, int dpi = 96);

enum class BarPhase { Hidden, Appearing, Scrolling, Disappearing };

// What the window shows at one moment.
struct BarFrame {
    BarPhase phase = BarPhase::Hidden;
    int top = 0;                    // window top edge, screen coordinates
    int band_top = 0;               // visible rows of the window: [band_top, band_bottom)
    int band_bottom = 0;
    int first_left = 0;             // the texts' left edges, window coordinates
    int second_left = 0;
    friend bool operator==(const BarFrame&, const BarFrame&) = default;
};

// The bar's life. Times are milliseconds of any steady clock.
class BarMotion {
public:
    // Re-place the bar (after the settings changed); a bar in view keeps its
    // phase and texts.
    void Configure(const BarPlacement& placement);
    const BarPlacement& Placement() const { return place_; }

    // Start showing with two texts of these pixel widths: the first enters at
    // the right edge, the second starts centred. A bar already in view
    // starts over.
    void Show(int first_width, int second_width, uint64_t now);
    // The Close menu: leave the way it came.
    void Close(uint64_t now);
    // The message dialog's buttons: gone at once.
    void HideNow();

    // The frame for `now`, advancing through the phases as time passes.
    BarFrame Update(uint64_t now);
    BarPhase Phase() const { return phase_; }

private:
    void Scroll(int64_t steps);
    BarFrame Frame() const;
    int Opened() const;  // appearing/disappearing progress in pixels

    BarPlacement place_;
    BarPhase phase_ = BarPhase::Hidden;
    uint64_t phase_start_ = 0;
    int start_progress_ = 0;  // progress when the phase began
    int progress_ = 0;        // pixels slid in (top) or rows opened each side (centre, bottom)
    int64_t scroll_steps_ = 0;
    int first_width_ = 0, second_width_ = 0;
    int first_left_ = 0, second_left_ = 0;
};

// The columns [first, second) of the window that showed a text in `before`
// and show none in `after`: from one frame to the next the window needs these
// filled with the background and each text drawn where it is now, nothing
// else. Widths in pixels; within [0, bar_width).
std::vector<std::pair<int, int>> BarUncoveredColumns(const BarFrame& before, const BarFrame& after,
                                                     int first_width, int second_width, int bar_width);

}  // namespace waktuna
