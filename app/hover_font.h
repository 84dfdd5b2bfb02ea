// Controls whose caption changes font while the mouse is over them (bold
// buttons, underlined links). The parent passes on its WM_SETCURSOR and the
// timer below; the timer notices the mouse leaving, wherever it goes.
#pragma once

#include <windows.h>

#include <vector>

namespace app {

class HoverFont {
public:
    static constexpr UINT_PTR kTimerId = 0x4F1;

    void Set(HWND parent, std::vector<HWND> controls, HFONT normal, HFONT hover);
    // WM_SETCURSOR of the parent: true when `over` is one of the controls.
    bool OnSetCursor(HWND over);
    // WM_TIMER kTimerId of the parent.
    void OnTimer();

private:
    void Change(HWND to);

    HWND parent_ = nullptr;
    std::vector<HWND> controls_;
    HFONT normal_ = nullptr, hover_ = nullptr;
    HWND current_ = nullptr;
};

}  // namespace app
