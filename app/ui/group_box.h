// Group boxes on a page: a group box paints only its frame and caption, so
// under a page that clips its children its inside would stay unpainted. The
// page fills it when the box asks for its colours.
#pragma once

#include <windows.h>

namespace app {

// For WM_CTLCOLORSTATIC: true when `control` is a group box, whose inside has
// then been filled with `brush` (the box must clip its siblings, so the
// controls inside it stay visible).
inline bool FillGroupBox(HWND control, HDC dc, HBRUSH brush) {
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) return false;
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0) return false;
    RECT r;
    GetClientRect(control, &r);
    FillRect(dc, &r, brush);
    return true;
}

}  // namespace app
