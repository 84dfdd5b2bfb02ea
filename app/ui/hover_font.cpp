#include "ui/hover_font.h"

#include <algorithm>

#include "ui/window.h"

namespace app {

void HoverFont::Set(HWND parent, std::vector<HWND> controls, const Look& look, FontId normal,
                    FontId hover) {
    parent_ = parent;
    controls_ = std::move(controls);
    look_ = &look;
    normal_ = normal;
    hover_ = hover;
}

bool HoverFont::OnSetCursor(HWND over) {
    const bool ours = std::find(controls_.begin(), controls_.end(), over) != controls_.end();
    Change(ours ? over : nullptr);
    return ours;
}

void HoverFont::OnTimer() {
    POINT pt;
    GetCursorPos(&pt);
    if (!current_ || WindowFromPoint(pt) != current_) Change(nullptr);
}

void HoverFont::Change(HWND to) {
    if (to == current_) return;
    const int dpi = DpiOf(parent_);
    if (current_)
        SendMessageA(current_, WM_SETFONT, reinterpret_cast<WPARAM>(look_->Get(normal_, dpi)), TRUE);
    if (to) SendMessageA(to, WM_SETFONT, reinterpret_cast<WPARAM>(look_->Get(hover_, dpi)), TRUE);
    current_ = to;
    if (to)
        SetTimer(parent_, kTimerId, 100, nullptr);
    else
        KillTimer(parent_, kTimerId);
}

}  // namespace app
