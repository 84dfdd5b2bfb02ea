// The "Setting saved" strip of the main window, one 10 ms tick at a time: it
// slides in during the first third of a second, turns from white to yellow
// over one second, stays until two seconds have passed and slides out.
#pragma once

#include "waktuna/look/skin.h"

namespace waktuna {

// Blends two colours in hue, lightness and saturation (each component
// a + (b - a) * x, halves to even; x clamped to 0..1, NaN gives 0).
Color BlendColorHsl(Color a, Color b, double x);

struct SavedNotice {
    static constexpr int kFullHeight = 33;
    int counter = 0;
    int height = 0;
    bool running = false;

    void Start() { counter = 0, height = 0, running = true; }
    // One tick; false once the strip is gone (stop the timer, hide it).
    bool Tick();
    Color CurrentColor() const;
};

}  // namespace waktuna
