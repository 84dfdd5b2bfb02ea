#include "waktuna/look/dialog_effect.h"

namespace waktuna {

int ChooseEffect(int32_t requested, int random2to8) {
    if (requested < kEffectRandom || requested > kEffectLast) requested = kEffectRandom;
    return requested == kEffectRandom ? random2to8 : requested;
}

WindowShape RoundedDialogShape(int width, int height, int dpi) {
    const auto scale = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
    ShapePart part;
    part.kind = ShapePart::kRoundRectangle;
    // Reaching below the window, the bottom corners stay square.
    part.box = {0, 0, width + 1, height + scale(14)};
    part.corner = scale(13);
    return {{part}, {}};
}

namespace {

ShapePart Rect(int l, int t, int r, int b) {
    ShapePart p;
    p.box = {l, t, r, b};
    return p;
}

ShapePart Ellipse(int l, int t, int r, int b) {
    ShapePart p;
    p.kind = ShapePart::kEllipse;
    p.box = {l, t, r, b};
    return p;
}

ShapePart Polygon(std::vector<Point> points) {
    ShapePart p;
    p.kind = ShapePart::kPolygon;
    p.points = std::move(points);
    return p;
}

}  // namespace

EntranceEffect::EntranceEffect(int effect, int width, int height)
    : effect_(effect), w_(width), h_(height), cx_(width / 2), cy_(height / 2) {
    switch (effect_) {
    case 2:
        left_ = 0, right_ = w_, top_ = bottom_ = cy_;
        break;
    case 3:
        top_ = 0, bottom_ = h_, left_ = right_ = cx_;
        break;
    case 5:
        a_ = cy_, b_ = 0, c_ = cx_, d_ = 0;
        break;
    default:
        left_ = right_ = cx_, top_ = bottom_ = cy_;
        break;
    }
    finished_ = !Animated();
}

WindowShape EntranceEffect::StartShape() { return {{Rect(0, 0, 1, 1)}, {}}; }

WindowShape EntranceEffect::Step() {
    if (finished_) return RoundedDialogShape(w_, h_);
    WindowShape shape;
    switch (effect_) {
    case 2:  // Effect 1: opens from the middle line up and down
        top_ -= 3, bottom_ += 3;
        finished_ = bottom_ - top_ > h_;
        shape.add = {Rect(0, top_, w_, bottom_)};
        break;
    case 3:  // Effect 2: opens from the middle column left and right
        left_ -= 3, right_ += 3;
        finished_ = right_ - left_ > w_;
        shape.add = {Rect(left_, 0, right_, h_)};
        break;
    case 5:  // Effect 4: four sweeps around the centre
        finished_ = cx_ < b_ && w_ < c_;
        if (finished_) break;
        if (a_ > 0)
            a_ -= 4;
        else
            b_ += 4;
        c_ += 4;
        if (c_ >= w_) d_ += 4;
        shape.add = {
            a_ > 0 ? Polygon({{cx_, cy_}, {0, cy_}, {0, a_}, {0, a_}})
                   : Polygon({{cx_, cy_}, {0, cy_}, {0, 0}, {b_, 0}}),
            a_ > 0 ? Polygon({{cx_, cy_}, {w_, cy_}, {w_, 2 * cy_ - a_}, {w_, 2 * cy_ - a_}})
                   : Polygon({{cx_, cy_}, {w_, cy_}, {w_, h_}, {2 * cx_ - b_, h_}}),
            c_ < w_ ? Polygon({{cx_, cy_}, {cx_, 0}, {c_, 0}, {c_, 0}})
                    : Polygon({{cx_, cy_}, {cx_, 0}, {w_, 0}, {w_, d_}}),
            c_ < w_ ? Polygon({{cx_, cy_}, {cx_, h_}, {2 * cx_ - c_, h_}, {2 * cx_ - c_, h_}})
                    : Polygon({{cx_, cy_}, {cx_, h_}, {0, h_}, {0, 2 * cy_ - d_}}),
        };
        break;
    default:  // Effects 3, 5, 6, 7: a growing box from the centre
        finished_ = right_ - left_ > w_ + 100;
        if (finished_) break;
        left_ -= 3, right_ += 3, top_ -= 2, bottom_ += 2;
        if (effect_ == 4) {
            shape.add = {Rect(left_, top_, right_, bottom_)};
        } else if (effect_ == 6) {
            shape.add = {Ellipse(left_, top_, right_, bottom_)};
        } else if (effect_ == 7) {
            shape.add = {Rect(0, 0, w_, h_)};
            shape.remove = {Ellipse(cx_ - left_ - 100, cy_ - top_ - 50,
                                    w_ + cx_ - right_ + 100, h_ + cy_ - bottom_ + 50)};
        } else {
            shape.add = {Ellipse(left_ - w_ - cx_, top_ - cy_, right_ - cx_, bottom_ + cy_),
                         Ellipse(cx_ + left_, top_ - cy_, w_ + right_ + cx_, bottom_ + cy_)};
        }
        break;
    }
    if (finished_) return RoundedDialogShape(w_, h_);
    return shape;
}

int NextFadeAlpha(int alpha) { return alpha < 255 ? alpha + 5 : alpha; }

int DialogTitleLine(uint8_t kind) {
    switch (kind) {
    case 1: return 169;
    case 2: return 167;
    case 3: return 166;
    case 4: return 168;
    default: return 0;
    }
}

std::string DialogTitle(const LanguageList& language, uint8_t kind) {
    const int line = DialogTitleLine(kind);
    return line ? language.Line(line) : "Info";
}

const char* DialogPictureName(uint8_t kind) {
    switch (kind) {
    case 1: return "ERROR";
    case 2: return "WARNING";
    case 3: return "INFORMATION";
    case 4: return "QUESTION";
    default: return nullptr;
    }
}

ButtonPlacement PlaceButtons(DialogButtons buttons, int windowWidth, int buttonWidth, int gap) {
    if (buttons == DialogButtons::Ok) return {(windowWidth - buttonWidth) / 2, 0, false};
    const int both = 2 * buttonWidth + gap;
    const int left = (windowWidth - both) / 2;
    return {left, left + buttonWidth + gap, true};
}

}  // namespace waktuna
