// Owners for GDI handles: a created object is deleted, a selection is undone
// and a borrowed DC is released when its owner goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace app {

// Owns one GDI object (font, brush, pen, region, bitmap).
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }

    void reset(Handle h = nullptr) {
        if (h_ && h_ != h) DeleteObject(h_);
        h_ = h;
    }
    // Gives the handle away (for example to SetWindowRgn, which then owns it).
    Handle release() { return std::exchange(h_, nullptr); }
    Handle get() const { return h_; }
    operator Handle() const { return h_; }

private:
    Handle h_ = nullptr;
};

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
