#include "ui/page.h"

namespace app {

bool Page::Create(HWND parent, const RECT& area) {
    WindowSpec spec;
    spec.class_name = ClassName();
    spec.style = WS_CHILD | WS_CLIPCHILDREN;
    // Tab moves from the main window's controls into the page's and back.
    spec.ex_style = WS_EX_CONTROLPARENT;
    spec.parent = parent;
    spec.x = spec.y = spec.width = spec.height = 0;
    if (!CreateWin(spec)) return false;
    Place(area);
    page_brush_.reset(CreateSolidBrush(host_.GetLook().palette().PageColor));
    Build();
    return true;
}

void Page::Place(const RECT& area) {
    SetWindowPos(hwnd(), nullptr, area.left + Scale(5), area.top + Scale(5),
                 area.right - area.left - Scale(10), area.bottom - area.top - Scale(10),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Page::OnDpiChanged() { controls_.Rescale(Dpi()); }

void Page::Show(bool visible) {
    if (visible) {
        ApplyColours();
        ApplyLanguage();
        Refresh();
    } else {
        Leave();
    }
    ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void Page::ApplyLanguage() { controls_.ApplyLanguage(host_.Language()); }

void Page::ApplyColours() {
    page_brush_.reset(CreateSolidBrush(host_.GetLook().palette().PageColor));
    if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Page::PaintPage(HDC dc, const RECT& client) { FillRect(dc, &client, page_brush_); }

LRESULT Page::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Painted([this](HDC dc, const RECT& client) { PaintPage(dc, client); });
    case WM_CTLCOLORSTATIC: {
        // Labels, check boxes and radio buttons on the page colour.
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, host_.GetLook().palette().PageColor);
        SetTextColor(dc, host_.GetLook().palette().LabelTextColor);
        return reinterpret_cast<LRESULT>(page_brush_.get());
    }
    case WM_COMMAND:
        if (lp) {
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        }
        break;
    }
    return Default(msg, wp, lp);
}

}  // namespace app
