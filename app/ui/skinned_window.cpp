#include "ui/skinned_window.h"

#include <windowsx.h>

#include "ui/controls.h"

namespace app {

void CentreOnWorkArea(WindowSpec& spec, int width, int height, int dpi) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    spec.width = ScaleTo(width, dpi);
    spec.height = ScaleTo(height, dpi);
    spec.x = work.left + (work.right - work.left - spec.width) / 2;
    spec.y = work.top + (work.bottom - work.top - spec.height) / 2;
}

bool SkinnedWindow::CreateSkinned(const WindowSpec& spec, const SkinnedLayout& layout) {
    layout_ = layout;
    if (!CreateWin(spec)) return false;
    for (const CaptionButton& b : layout_.buttons)
        if (b.id)
            CreateWindowExA(0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0,
                            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                            Instance(), nullptr);
    SkinnedWindow::OnDpiChanged();
    return true;
}

void SkinnedWindow::OnDpiChanged() {
    RECT client;
    GetClientRect(hwnd(), &client);
    for (const CaptionButton& b : layout_.buttons)
        if (b.id)
            SetWindowPos(GetDlgItem(hwnd(), b.id), nullptr, client.right - Scale(b.right), Scale(6),
                         Scale(16), Scale(16), SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyOutline();
    controls_.Rescale(Dpi());
}

void SkinnedWindow::ApplyOutline() {
    if (!layout_.corner) return;
    RECT r;
    GetWindowRect(hwnd(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // With square bottom corners the rounded rectangle reaches below the window.
    const int bottom = layout_.round_bottom ? h + 1 : h + Scale(14);
    const int corner = Scale(layout_.corner);
    SetWindowRgn(hwnd(), CreateRoundRectRgn(0, 0, w + 1, bottom, corner, corner),
                 IsWindowVisible(hwnd()));
}

bool SkinnedWindow::IsDragArea(POINT point) const { return point.y < CaptionHeight(); }

COLORREF SkinnedWindow::LabelColour(HWND) const { return look_.palette().LabelTextColor; }

void SkinnedWindow::DrawCaptionButton(const DRAWITEMSTRUCT& di, const CaptionButton& b) {
    // The part of the caption strip that lies under the button, then its picture.
    RECT client;
    GetClientRect(hwnd(), &client);
    const int left = client.right - Scale(b.right), top = Scale(6);
    PaintCaption(di.hDC, {-left, -top, client.right - left, CaptionHeight() - top}, look_.skin());
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    look_.pictures16.Draw(di.hDC, b.picture + (pressed ? 1 : 0), 0, 0, Scale(16));
}

LRESULT SkinnedWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Painted([this](HDC dc, const RECT& client) {
            PaintBody(dc, client);
            if (layout_.caption_height)
                PaintCaption(dc, {0, 0, client.right, CaptionHeight()}, look_.skin());
            PaintFrame(dc, client, look_.skin());
        });
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, LabelColour(reinterpret_cast<HWND>(lp)));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_DRAWITEM: {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        for (const CaptionButton& b : layout_.buttons)
            if (b.id && static_cast<int>(di.CtlID) == b.id) {
                DrawCaptionButton(di, b);
                return TRUE;
            }
        if (DrawItem(di)) return TRUE;
        break;
    }
    case WM_COMMAND:
        for (const CaptionButton& b : layout_.buttons)
            if (b.id && LOWORD(wp) == b.id) {
                OnCaptionButton(b.id);
                return 0;
            }
        break;
    case WM_LBUTTONDOWN:
        if (IsDragArea({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) {
            ReleaseCapture();
            SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            return 0;
        }
        break;
    }
    return Default(msg, wp, lp);
}

}  // namespace app
