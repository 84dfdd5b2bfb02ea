#include "ui/look.h"

#include "ui/controls.h"

namespace app {

namespace {

struct FontSpec {
    const char* face;
    int points;
    bool bold;
    bool underline = false;
};

// By FontId.
constexpr FontSpec kFonts[] = {
    {"Arial", 9, false},  {"Arial", 9, true},  {"Arial", 14, true},
    {"Tahoma", 9, false}, {"Tahoma", 9, true}, {"Arial", 9, false, true},
};
static_assert(std::size(kFonts) == static_cast<size_t>(FontId::kCount));

}  // namespace

HFONT Look::Get(FontId id, int dpi) const {
    FontSet& set = fonts_[dpi];
    Font& font = set[static_cast<size_t>(id)];
    if (!font) {
        const FontSpec& f = kFonts[static_cast<size_t>(id)];
        font.reset(MakeFont(f.face, f.points, dpi, f.bold, f.underline));
    }
    return font;
}

Look::Look() {
    pictures24.Load("FORM1_IMAGELIST24");
    pictures16.Load("FORM1_IMAGELIST16");
    ApplySkin(0, skin_);
}

}  // namespace app
