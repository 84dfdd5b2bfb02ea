#include "controls.h"

#include "window.h"

namespace app {

HFONT MakeFont(const char* face, int points, bool bold) {
    LOGFONTA lf{};
    lf.lfHeight = -Scale(MulDiv(points, 96, 72));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y,
               int w, int h, int id, HFONT font) {
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, Scale(x), Scale(y),
                                 Scale(w), Scale(h), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(),
                                 nullptr);
    if (child && font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

HWND MakeLabel(HWND parent, const char* text, int x, int y, int w, int h, HFONT font,
               DWORD align) {
    return MakeChild(parent, "STATIC", text, align | SS_NOPREFIX, x, y, w, h, 0, font);
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
