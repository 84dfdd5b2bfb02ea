#include "waktuna/look/bar.h"

#include <algorithm>
#include <array>

namespace waktuna {

BarSettings BarSettings::FromStored(uint32_t bar_width, uint32_t bar_motion,
                                    uint32_t bar_position) {
    BarSettings s;
    s.width_percent = bar_width >= 10 && bar_width <= 100 ? static_cast<int>(bar_width) : 100;
    s.scroll_ms = bar_motion <= 4 ? 10 * (static_cast<int>(bar_motion) + 1) : 30;
    s.position = bar_position <= 2 ? static_cast<BarPosition>(bar_position) : BarPosition::Top;
    return s;
}

BarSettings BarSettings::Load(const SettingsStore& store) {
    return FromStored(ReadDword(store, "BarWidth"), ReadDword(store, "BarMotion"),
                      ReadDword(store, "BarPosition"));
}

BarPlacement PlaceBar(const BarSettings& settings, Box work_area, int dpi) {
    const auto scale = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
    const int work_width = work_area.right - work_area.left;
    const int work_height = work_area.bottom - work_area.top;
    BarPlacement p;
    p.position = settings.position;
    p.scroll_ms = settings.scroll_ms;
    p.width = settings.width_percent * work_width / 100;
    p.left = work_area.left + (work_width - p.width) / 2;
    p.clip_top = work_area.top;
    p.height = scale(kBarHeight);
    p.gap = scale(kBarTextGap);
    switch (settings.position) {
        case BarPosition::Top: p.top = work_area.top; break;
        case BarPosition::Centre: p.top = work_area.top + work_height / 2 - p.height / 2; break;
        case BarPosition::Bottom: p.top = work_area.bottom - p.height; break;
    }
    return p;
}

void BarMotion::Configure(const BarPlacement& placement) {
    const bool reflow = placement.width != place_.width;
    place_ = placement;
    if (reflow && phase_ != BarPhase::Hidden) {
        first_left_ = std::min(first_left_, place_.width);
        second_left_ = std::min(second_left_, place_.width);
    }
}

int BarMotion::Opened() const {
    // Top: slid down its whole height; else the rows opened on each side of
    // the middle row.
    return place_.position == BarPosition::Top ? place_.height : (place_.height + 1) / 2;
}

void BarMotion::Show(int first_width, int second_width, uint64_t now) {
    if (phase_ != BarPhase::Hidden) Update(now);
    first_width_ = std::max(0, first_width);
    second_width_ = std::max(0, second_width);
    first_left_ = place_.width;
    second_left_ = (place_.width - second_width_) / 2;
    scroll_steps_ = 0;
    start_progress_ = phase_ == BarPhase::Hidden ? 0 : progress_;
    progress_ = start_progress_;
    phase_ = BarPhase::Appearing;
    phase_start_ = now;
}

void BarMotion::Close(uint64_t now) {
    if (phase_ == BarPhase::Hidden) return;
    Update(now);
    if (phase_ == BarPhase::Hidden || phase_ == BarPhase::Disappearing) return;
    phase_ = BarPhase::Disappearing;
    start_progress_ = progress_;
    phase_start_ = now;
}

void BarMotion::HideNow() {
    phase_ = BarPhase::Hidden;
    progress_ = 0;
}

void BarMotion::Scroll(int64_t steps) {
    // The texts chase each other leftwards; one that has left the bar goes
    // back in behind the other, or at the right edge when the other is
    // already wholly inside.
    for (int64_t i = 0; i < steps; ++i) {
        --first_left_;
        if (first_left_ <= -first_width_)
            first_left_ = place_.width - second_width_ < second_left_
                              ? second_left_ + second_width_ + place_.gap
                              : place_.width;
        --second_left_;
        if (second_left_ <= -second_width_)
            second_left_ = place_.width - first_width_ < first_left_
                               ? first_left_ + first_width_ + place_.gap
                               : place_.width;
    }
}

BarFrame BarMotion::Update(uint64_t now) {
    // Each pass either finishes in the current phase or moves to the next
    // one at the exact moment it began, so a late call catches up whole.
    for (int guard = 0; guard < 4; ++guard) {
        const uint64_t elapsed = now > phase_start_ ? now - phase_start_ : 0;
        const int64_t anim_steps = static_cast<int64_t>(elapsed / kBarAnimationStepMs);
        if (phase_ == BarPhase::Appearing) {
            const int full = Opened();
            if (start_progress_ + anim_steps < full) {
                progress_ = start_progress_ + static_cast<int>(anim_steps);
                break;
            }
            phase_start_ += static_cast<uint64_t>(full - start_progress_) * kBarAnimationStepMs;
            progress_ = full;
            phase_ = BarPhase::Scrolling;
            continue;
        }
        if (phase_ == BarPhase::Scrolling) {
            const int64_t limit = kBarScrollMs / place_.scroll_ms;
            const int64_t steps = std::min<int64_t>(static_cast<int64_t>(elapsed / place_.scroll_ms), limit);
            Scroll(steps - scroll_steps_);
            scroll_steps_ = steps;
            if (steps < limit) break;
            phase_start_ += static_cast<uint64_t>(limit * place_.scroll_ms);
            phase_ = BarPhase::Disappearing;
            start_progress_ = progress_;
            continue;
        }
        if (phase_ == BarPhase::Disappearing) {
            if (start_progress_ - anim_steps > 0) {
                progress_ = start_progress_ - static_cast<int>(anim_steps);
                break;
            }
            HideNow();
        }
        break;
    }
    return Frame();
}

BarFrame BarMotion::Frame() const {
    BarFrame f;
    f.phase = phase_;
    f.first_left = first_left_;
    f.second_left = second_left_;
    if (phase_ == BarPhase::Hidden) {
        f.top = place_.top;
        return f;
    }
    if (place_.position == BarPosition::Top) {
        // Slides down from above its resting place; rows above the work
        // area (a taskbar at the top) stay hidden.
        f.top = place_.top - place_.height + progress_;
        f.band_top = std::clamp(place_.clip_top - f.top, 0, place_.height);
        f.band_bottom = place_.height;
    } else {
        // Opens from the middle row outwards.
        f.top = place_.top;
        f.band_top = std::max(0, place_.height / 2 - progress_);
        f.band_bottom = std::min(place_.height, place_.height / 2 + progress_);
    }
    return f;
}

std::vector<std::pair<int, int>> BarUncoveredColumns(const BarFrame& before, const BarFrame& after,
                                                     int first_width, int second_width, int bar_width) {
    using Span = std::pair<int, int>;
    const auto spans = [&](const BarFrame& f) {
        return std::array<Span, 2>{Span{f.first_left, f.first_left + first_width},
                                   Span{f.second_left, f.second_left + second_width}};
    };
    std::vector<Span> left;
    for (Span old : spans(before)) {
        old = {std::max(old.first, 0), std::min(old.second, bar_width)};
        std::vector<Span> pieces;
        if (old.first < old.second) pieces.push_back(old);
        for (const Span& now : spans(after)) {
            std::vector<Span> rest;
            for (const Span& piece : pieces) {
                if (now.second <= piece.first || now.first >= piece.second) {
                    rest.push_back(piece);
                    continue;
                }
                if (piece.first < now.first) rest.push_back({piece.first, now.first});
                if (now.second < piece.second) rest.push_back({now.second, piece.second});
            }
            pieces.swap(rest);
        }
        left.insert(left.end(), pieces.begin(), pieces.end());
    }
    return left;
}

}  // namespace waktuna
