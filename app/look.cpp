#include "look.h"

#include "controls.h"

namespace app {

Look::Look() {
    fonts_[static_cast<size_t>(FontId::kNormal)].reset(MakeFont("Arial", 9));
    fonts_[static_cast<size_t>(FontId::kBold)].reset(MakeFont("Arial", 9, true));
    fonts_[static_cast<size_t>(FontId::kTitle)].reset(MakeFont("Arial", 14, true));
    fonts_[static_cast<size_t>(FontId::kTahoma)].reset(MakeFont("Tahoma", 9));
    fonts_[static_cast<size_t>(FontId::kTahomaBold)].reset(MakeFont("Tahoma", 9, true));
    pictures24.Load("FORM1_IMAGELIST24");
    pictures16.Load("FORM1_IMAGELIST16");
    ApplySkin(0, skin_);
}

}  // namespace app
