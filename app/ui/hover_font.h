// Controls whose caption changes font while the mouse is over them (bold
// buttons, underlined links). The parent passes on its WM_SETCURSOR and the
// timer below; the timer notices the mouse leaving, wherever it goes.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/look.h"

namespace app {

class HoverFont {
public:
    static constexpr UINT_PTR kTimerId = 0x4F1;

    // Fonts of the look, at the parent's DPI when the mouse comes and goes.
    void Set(HWND parent, std::vector<HWND> controls, const Look& look, FontId normal, FontId hover);
    // WM_SETCURSOR of the parent: true when `over` is one of the controls.
    bool OnSetCursor(HWND over);
    // WM_TIMER kTimerId of the parent.
    void OnTimer();

private:
    void Change(HWND to);

    HWND parent_ = nullptr;
    std::vector<HWND> controls_;
    const Look* look_ = nullptr;
    FontId normal_ = FontId::kNormal, hover_ = FontId::kNormal;
    HWND current_ = nullptr;
};

}  // namespace app
