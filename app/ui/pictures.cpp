#include "ui/pictures.h"

#include "ui/window.h"

namespace app {

bool PictureStrip::Load(const char* name) {
    Bitmap loaded(static_cast<HBITMAP>(
        LoadImageA(Instance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) return false;
    DIBSECTION ds{};
    if (GetObjectA(loaded, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBitsPixel != 32 ||
        !ds.dsBm.bmBits)
        return false;
    // AlphaBlend wants premultiplied colours; the files hold straight alpha.
    auto* px = static_cast<BYTE*>(ds.dsBm.bmBits);
    const int count = ds.dsBm.bmWidth * ds.dsBm.bmHeight;
    for (int i = 0; i < count; ++i, px += 4) {
        const unsigned a = px[3];
        for (int c = 0; c < 3; ++c) px[c] = static_cast<BYTE>(px[c] * a / 255);
    }
    bitmap_ = std::move(loaded);
    width_ = ds.dsBm.bmWidth;
    size_ = ds.dsBm.bmHeight;
    return true;
}

void PictureStrip::Draw(HDC dc, int index, int x, int y, int size) const {
    if (!bitmap_ || index < 0 || index >= Count()) return;
    if (size <= 0) size = size_;
    const MemoryDC mem(CreateCompatibleDC(dc));
    Selection selected(mem, bitmap_);
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, size, size, mem, index * size_, 0, size_, size_, bf);
}

}  // namespace app
