// The look every window shares: the skin, one set of fonts and the picture
// strips. One instance, owned by the main window; windows read it and repaint
// when the skin changes.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "gdi.h"
#include "pictures.h"
#include "skin_paint.h"

namespace app {

enum class FontId : uint8_t {
    kNormal,      // Arial 9
    kBold,        // Arial 9 bold
    kTitle,       // Arial 14 bold
    kTahoma,      // Tahoma 9
    kTahomaBold,  // Tahoma 9 bold
    kCount
};

class Look {
public:
    // Fonts at the system's DPI, the picture strips from the resources and
    // skin 0.
    Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    HFONT Get(FontId id) const { return fonts_[static_cast<size_t>(id)]; }
    const Skin& skin() const { return skin_; }
    const waktuna::SkinPalette& palette() const { return skin_.palette; }
    // Skin n: the strip and its derived colours. Callers repaint.
    void ApplySkinNumber(int32_t n) { ApplySkin(n, skin_); }

    PictureStrip pictures24;  // the side panel's page pictures
    PictureStrip pictures16;  // hide, close and other small buttons

private:
    Skin skin_;
    std::array<Font, static_cast<size_t>(FontId::kCount)> fonts_;
};

}  // namespace app
