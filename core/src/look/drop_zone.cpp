#include "waktuna/look/drop_zone.h"

#include <algorithm>


namespace waktuna {


uint32_t AlphaOfItem(int item) {
    if (item < 0 || item >= kAlphaDisabledItem) return kAlphaDisabled;
    return static_cast<uint32_t>((30 + 10 * item) * 255 / 100);
}

int FontHeightOfItem(int item) {
    return kDropZoneFontHeight + 3 * std::clamp(item, 0, kFontSizeItems - 1);
}

DropZoneAlpha ReadAlpha(std::optional<uint32_t> stored) {
    DropZoneAlpha a;
    if (!stored || *stored < 11) return a;
    if (*stored >= kAlphaDisabled) {
        a.ticked = kAlphaDisabledItem;
        return a;
    }
    a.apply = static_cast<uint8_t>(*stored);
    for (int i = 0; i < kAlphaDisabledItem; ++i)
        if (AlphaOfItem(i) == *stored) a.ticked = i;
    return a;
}

std::optional<int> FontHeightOfSize(uint32_t stored) {
    if (stored < 1 || stored > 71) return std::nullopt;
    return static_cast<int>(stored);
}

int FlashSeconds(uint32_t stored) {
    if (stored == 0) return 180;
    return static_cast<int>(std::min<uint32_t>(stored, 3600));
}

bool PositionOnScreen(Point p, int width, int height, Box screen) {
    return p.x > screen.left - width && p.x < screen.right && p.y > screen.top - height &&
           p.y < screen.bottom;
}

Point DropZoneSnap::Apply(Point p, int width, int height, Box work, bool snap_on) {
    if (!snap_on) return p;
    bool snapped = false;
    if (p.x <= work.left + kDropZoneSnapDistance) p.x = work.left, snapped = true;
    if (p.x + width >= work.right - kDropZoneSnapDistance) p.x = work.right - width, snapped = true;
    if (p.y <= work.top + kDropZoneSnapDistance) p.y = work.top, snapped = true;
    if (p.y + height >= work.bottom - kDropZoneSnapDistance)
        p.y = work.bottom - height, snapped = true;
    if (snapped) locked_ = true;
    if (locked_) {
        p.x = std::max(work.left, std::min(p.x, work.right - width));
        p.y = std::max(work.top, std::min(p.y, work.bottom - height));
    }
    return p;
}

void DropZoneFlash::Start(int flash_seconds) {
    active_ = true;
    count_ = 0;
    length_ = std::clamp(flash_seconds, 1, 3600) * 2;
}

bool DropZoneFlash::Tick() {
    if (!active_) return false;
    ++count_;
    if (count_ >= length_) active_ = false;
    return active_;
}

FlashLook DropZoneFlash::Look(bool transparent) const {
    if (!active_) return FlashLook::Normal;
    if (count_ % 2 == 0) return FlashLook::Bright;
    return transparent ? FlashLook::RedText : FlashLook::Normal;
}

}  // namespace waktuna
