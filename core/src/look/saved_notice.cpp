#include "waktuna/look/saved_notice.h"

#include <algorithm>
#include <cmath>

namespace waktuna {

Color BlendColorHsl(Color a, Color b, double x) {
    if (x > 1) x = 1;
    if (!(x >= 0)) x = 0;
    const HslRecord ha = RgbToHsl(SplitColor(a)), hb = RgbToHsl(SplitColor(b));
    auto mix = [x](int32_t p, int32_t q) {
        return static_cast<int32_t>(std::nearbyint(p + (q - p) * x));
    };
    RgbRecord rgb = HslToRgb({mix(ha.hue, hb.hue), mix(ha.lightness, hb.lightness),
                              mix(ha.saturation, hb.saturation)});
    rgb.red = std::clamp(rgb.red, 0, 255);
    rgb.green = std::clamp(rgb.green, 0, 255);
    rgb.blue = std::clamp(rgb.blue, 0, 255);
    return JoinColor(rgb);
}

bool SavedNotice::Tick() {
    if (!running) return false;
    ++counter;
    if (counter < 200 && height < kFullHeight) ++height;
    if (counter > 200) {
        if (height > 0) --height;
        if (height == 0) running = false;
    }
    return running;
}

Color SavedNotice::CurrentColor() const {
    return BlendColorHsl(FromRrggbb(0xffffff), FromRrggbb(0xffff00), counter / 100.0);
}

}  // namespace waktuna
