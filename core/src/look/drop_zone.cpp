#include "waktuna/look/drop_zone.h"

#include <algorithm>

#include "waktuna/settings/settings.h"

namespace waktuna {

bool PositionOnScreen(Point p, int width, int height, Box screen) {
    return p.x > screen.left - width && p.x < screen.right && p.y > screen.top - height &&
           p.y < screen.bottom;
}

bool PositionOnMonitors(Point p, int width, int height, std::span<const Box> monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const Box& m) { return PositionOnScreen(p, width, height, m); });
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

void DropZoneFlash::Start(uint32_t flash_time) {
    active_ = true;
    count_ = 0;
    length_ = static_cast<int>(DropZoneFlashSteps(flash_time));
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
