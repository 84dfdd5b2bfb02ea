#include "ui/controls.h"

#include "ui/window.h"

namespace app {

HFONT MakeFont(const char* face, int points, int dpi, bool bold, bool underline) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

std::string GetText(HWND control) {
    const int n = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void SetText(HWND control, const std::string& text) {
    if (!control || GetText(control) == text) return;
    SetWindowTextA(control, text.c_str());
    HWND parent = GetParent(control);
    RECT r = ChildRect(control);
    InvalidateRect(parent, &r, TRUE);
    InvalidateRect(control, nullptr, TRUE);
}

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace app
