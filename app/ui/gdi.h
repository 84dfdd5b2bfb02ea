// Owners for GDI handles: a created object is deleted, a selection is undone
// and a borrowed DC is released when its owner goes out of scope.
#pragma once

#include <windows.h>

#include "win/handles.h"

namespace app {

template <class Handle>
void DeleteGdiObject(Handle h) {
    DeleteObject(h);
}

// Owns one GDI object (font, brush, pen, region, bitmap); release() gives it
// away (for example to SetWindowRgn, which then owns it).
template <class Handle>
using GdiObject = Owned<Handle, NullTraits<Handle, DeleteGdiObject<Handle>>>;

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Region = GdiObject<HRGN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC (the screen's for nullptr), released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    operator HDC() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace app
