#include "ui/skin_paint.h"

#include <vector>

#include "ui/gdi.h"
#include "ui/window.h"

namespace app {

namespace {

BITMAPINFO StripInfo() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 1;
    bi.bmiHeader.biHeight = -waktuna::kStripRows;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// COLORREF (0x00BBGGRR) <-> a 32-bit DIB pixel (0x00RRGGBB).
DWORD ToPixel(COLORREF c) { return (c & 0xff) << 16 | (c & 0xff00) | (c >> 16 & 0xff); }
COLORREF FromPixel(DWORD p) { return RGB(p >> 16 & 0xff, p >> 8 & 0xff, p & 0xff); }

void Polyline(HDC dc, const std::vector<waktuna::Point>& points, COLORREF color) {
    const Pen pen(CreatePen(PS_SOLID, 1, color));
    Selection selected(dc, pen);
    std::vector<POINT> p;
    for (auto& q : points) p.push_back({q.x, q.y});
    ::Polyline(dc, p.data(), static_cast<int>(p.size()));
}

}  // namespace

bool LoadStripResource(const char* name, waktuna::SkinStrip& rows) {
    const Bitmap bmp(static_cast<HBITMAP>(
        LoadImageA(Instance(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp) return false;
    BITMAPINFO bi = StripInfo();
    DWORD pixels[waktuna::kStripRows] = {};
    const int got =
        GetDIBits(WindowDC(nullptr), bmp, 0, waktuna::kStripRows, pixels, &bi, DIB_RGB_COLORS);
    if (got != waktuna::kStripRows) return false;
    for (int y = 0; y < waktuna::kStripRows; ++y) rows[y] = FromPixel(pixels[y]);
    return true;
}

void ApplySkin(int32_t n, Skin& skin) {
    const int strip = waktuna::SkinStripOf(n);
    if (!LoadStripResource(waktuna::SkinStripName(strip), skin.strip))
        skin.strip = waktuna::SkinStripRows(strip);
    waktuna::ApplySkin(n, skin.strip, skin.palette);
}

void StretchStrip(HDC dc, const RECT& r, const waktuna::SkinStrip& strip) {
    DWORD pixels[waktuna::kStripRows];
    for (int y = 0; y < waktuna::kStripRows; ++y) pixels[y] = ToPixel(strip[y]);
    BITMAPINFO bi = StripInfo();
    const int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, 1,
                  waktuna::kStripRows, pixels, &bi, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, old);
}

void PaintCaption(HDC dc, const RECT& r, const Skin& skin) {
    StretchStrip(dc, r, skin.strip);
    const auto c = waktuna::CaptionOutlineOf({r.left, r.top, r.right, r.bottom});
    Polyline(dc, c.outline, skin.palette.OutlineColor);
    Polyline(dc, {c.bottom_from, c.bottom_to}, skin.palette.BandOutlineColor);
    for (auto p : c.band_pixels) SetPixel(dc, p.x, p.y, skin.palette.BandOutlineColor);
}

void PaintFrame(HDC dc, const RECT& r, const Skin& skin) {
    const auto f = waktuna::FrameOutlineOf({r.left, r.top, r.right, r.bottom});
    Polyline(dc, f.outer, skin.palette.OutlineColor);
    Polyline(dc, f.inner, skin.palette.OutlineColor);
    Polyline(dc, f.band, skin.palette.BandOutlineColor);
    for (auto p : f.band_pixels) SetPixel(dc, p.x, p.y, skin.palette.BandOutlineColor);
}

void PaintVerticalGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

}  // namespace app
