#include "waktuna/look/drop_zone.h"

#include <algorithm>
#include <utility>

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

Extent DropZoneExtent(int first_width, int second_width, int text_height, int dpi) {
    const auto scale = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
    const int margin = scale(kDropZoneMargin);
    int texts = first_width;
    if (second_width > 0) texts += scale(kDropZoneTextGap) + second_width;
    return {std::max(scale(kDropZoneWidth), margin + texts + margin),
            std::max(scale(kDropZoneHeight), margin + text_height + margin)};
}

Box DropZoneFrame(Point anchor, Extent size, Extent normal, Box work) {
    // One direction at a time: the start edge and the length along it.
    const auto place = [](int start, int length, int normal_length, int low, int high) {
        if (length <= normal_length) return std::pair{start, length};
        length = std::min(length, high - low);
        return std::pair{std::clamp(start, low, high - length), length};
    };
    const auto [left, width] = place(anchor.x, size.width, normal.width, work.left, work.right);
    const auto [top, height] = place(anchor.y, size.height, normal.height, work.top, work.bottom);
    return {left, top, left + width, top + height};
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
