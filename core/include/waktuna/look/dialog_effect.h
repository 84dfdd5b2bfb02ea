// The message dialog as a model: which effect it opens with, the shape of
// the window at each 10 ms step of the entrance effect, its layout, title
// and picture by kind, and the fading and closing counters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "waktuna/files/language.h"
#include "waktuna/calc/qibla.h"  // Point, Box
#include "waktuna/look/dialog_kind.h"

namespace waktuna {

// ---- Effects ------------------------------------------------------------------
//
// 0 Random, 1 Normal (no animation), 2..8 Effects 1..7.
inline constexpr int kEffectRandom = 0;
inline constexpr int kEffectNormal = 1;
inline constexpr int kEffectLast = 8;

// The effect a dialog opens with: a number outside 0..8 counts as Random, and
// Random becomes `random2to8` (a random number from 2 to 8).
int ChooseEffect(int32_t requested, int random2to8);

// One part of a window shape.
struct ShapePart {
    enum Kind { kRectangle, kEllipse, kPolygon, kRoundRectangle } kind = kRectangle;
    Box box;                    // rectangle, ellipse, round rectangle
    std::vector<Point> points;  // polygon
    int corner = 0;             // round rectangle: width and height of the corner ellipse
    friend bool operator==(const ShapePart&, const ShapePart&) = default;
};

// The union of `add` less the union of `remove`.
struct WindowShape {
    std::vector<ShapePart> add;
    std::vector<ShapePart> remove;
    friend bool operator==(const WindowShape&, const WindowShape&) = default;
};

// The dialog's own shape: a rounded rectangle (0, 0)-(W + 1, H + 14) with
// 13 x 13 corner ellipses, the 14 and 13 scaled for `dpi` (96 is 100 %).
WindowShape RoundedDialogShape(int width, int height, int dpi = 96);

class EntranceEffect {
public:
    // effect: 1..8 as chosen; width and height of the window.
    EntranceEffect(int effect, int width, int height);

    bool Animated() const { return effect_ > kEffectNormal; }
    bool Finished() const { return finished_; }
    // The shape before the first step: a 1 x 1 rectangle at the origin.
    static WindowShape StartShape();
    // One 10 ms step: the next shape, or the rounded dialog shape once the
    // effect is finished (then stop the timer).
    WindowShape Step();

private:
    int effect_;
    int w_, h_, cx_, cy_;
    int left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
    int a_ = 0, b_ = 0, c_ = 0, d_ = 0;  // Effect 4's sweep positions
    bool finished_ = false;
};

// ---- Fading and closing ------------------------------------------------------------

inline constexpr int kFadeStartAlpha = 55;
// One 50 ms fading tick: alpha + 5 up to 255.
int NextFadeAlpha(int alpha);
// The fading timer closes the dialog (result: not OK) at its 1000th tick, the
// one-second timer at its 50th.
inline constexpr int kFadeCloseTick = 1000;
inline constexpr int kSecondsCloseTick = 50;

// ---- Layout and texts --------------------------------------------------------------

inline constexpr int kDialogWidth = 310, kDialogHeight = 168;
inline constexpr int kDialogTitleHeight = 29;

// Language line of a kind's title; 0 for a kind outside 1..4 ("Info").
int DialogTitleLine(uint8_t kind);
// "Error", "Warning", ... from the list, or "Info".
std::string DialogTitle(const LanguageList& language, uint8_t kind);
// Bitmap resource of a kind's picture; nullptr for none.
const char* DialogPictureName(uint8_t kind);

// Left edges of the buttons on the bottom panel: OK alone is centred.
struct ButtonPlacement {
    int ok_left = 0;
    int cancel_left = 0;
    bool cancel_visible = true;
};
ButtonPlacement PlaceButtons(DialogButtons buttons, int windowWidth, int buttonWidth, int gap);

}  // namespace waktuna
