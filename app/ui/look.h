// The look every window shares: the skin, one set of fonts and the picture
// strips. One instance, owned by the main window; windows read it and repaint
// when the skin changes.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>

#include "ui/gdi.h"
#include "ui/pictures.h"
#include "ui/skin_paint.h"

namespace app {

enum class FontId : uint8_t {
    kNormal,      // Arial 9
    kBold,        // Arial 9 bold
    kTitle,       // Arial 14 bold
    kTahoma,      // Tahoma 9
    kTahomaBold,  // Tahoma 9 bold
    kLink,        // Arial 9 underlined
    kCount
};

class Look {
public:
    // The picture strips from the resources and skin 0.
    Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    // A font for a window at `dpi`: sized by points, made on first use and
    // kept while the look lives (windows on monitors of different DPIs each
    // use their own).
    HFONT Get(FontId id, int dpi) const;
    const Skin& skin() const { return skin_; }
    const waktuna::SkinPalette& palette() const { return skin_.palette; }
    // Skin n: the strip and its derived colours. Callers repaint.
    void ApplySkinNumber(int32_t n) { ApplySkin(n, skin_); }

    PictureStrip pictures24;  // the side panel's page pictures
    PictureStrip pictures16;  // hide, close and other small buttons

private:
    Skin skin_;
    using FontSet = std::array<Font, static_cast<size_t>(FontId::kCount)>;
    mutable std::map<int, FontSet> fonts_;  // by DPI
};

}  // namespace app
