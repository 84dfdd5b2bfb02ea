#include "form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls.h"
#include "form1_ids.h"
#include "main_page.h"

namespace app {

using namespace form1;

namespace {

// The pages built so far; the others come with their own windows.
bool PageAvailable(waktuna::Page page) { return page == waktuna::kPageMain; }

}  // namespace

Form1::Form1() = default;

Form1::~Form1() {
    // A player submenu that is not shown is no longer part of the tray menu.
    if (tray_menu_) DestroyMenu(tray_menu_);
    for (HMENU m : {adzan_menu_, multimedia_menu_})
        if (m && IsMenu(m)) DestroyMenu(m);
    for (HFONT f : {font_, font_bold_, font_title_, font_caption_})
        if (f) DeleteObject(f);
    if (saved_notice_brush_) DeleteObject(saved_notice_brush_);
    if (instance_mutex_) CloseHandle(instance_mutex_);
}

Form1::Started Form1::Create() {
    if (!tray_.Create(this)) return Started::kFailed;
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna3";
    // No WS_CLIPCHILDREN: the labels are drawn transparently over the skin, so
    // the window paints below them first.
    spec.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    spec.ex_style = WS_EX_TOPMOST | WS_EX_APPWINDOW;
    spec.width = Scale(kWidth);
    spec.height = Scale(kHeight);
    spec.x = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    spec.y = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    spec.icon = LoadIconA(Instance(), "MAINICON");
    if (!CreateWin(spec)) return Started::kFailed;

    // No Close in the system menu: the program ends through the tray menu.
    DeleteMenu(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    BuildTrayMenu();
    pictures24_.Load("FORM1_IMAGELIST24");
    pictures16_.Load("FORM1_IMAGELIST16");
    BuildControls();
    tray_.Add();
    return StartUp();
}

void Form1::BuildControls() {
    page_area_ = {Scale(kSideLeft + kSideWidth + 4), Scale(kHeaderBottom + 4), Scale(kWidth - 6),
                  Scale(kHeight - 6)};
    font_ = MakeFont("Arial", 9);
    font_bold_ = MakeFont("Arial", 9, true);
    font_title_ = MakeFont("Arial", 14, true);
    font_caption_ = MakeFont("Arial", 9, true);
    page_title_ = MakeLabel(hwnd(), "", 12, 7, 420, 16, font_caption_);
    hide_button_ = MakeChild(hwnd(), "BUTTON", "Hide", BS_OWNERDRAW, kWidth - 26, 6, 16, 16,
                             kHideButtonId);
    header_title_ = MakeLabel(hwnd(), "", 14, 34, 380, 24, font_title_);
    date_label_ = MakeLabel(hwnd(), "Tanggal", 14, 60, 420, 16, font_);
    version_label_ = MakeLabel(hwnd(), "", kWidth - 130, 60, 118, 16, font_, SS_RIGHT);
    for (int i = 0; i < waktuna::kPageCount; ++i) {
        page_buttons_[i] = MakeChild(hwnd(), "BUTTON", "", BS_OWNERDRAW | WS_TABSTOP,
                                     kSideLeft + 4, kButtonTop + i * kButtonHeight,
                                     kSideWidth - 8, kButtonHeight - 4, kFirstPageButtonId + i,
                                     font_);
        EnableWindow(page_buttons_[i], PageAvailable(static_cast<waktuna::Page>(i)));
        // Hover tracking: the caption turns bold under the mouse.
        SetWindowSubclass(
            page_buttons_[i],
            [](HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) -> LRESULT {
                auto* self = reinterpret_cast<Form1*>(ref);
                const int index = GetDlgCtrlID(h) - kFirstPageButtonId;
                if (msg == WM_MOUSEMOVE && self->hot_button_ != index) {
                    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
                    TrackMouseEvent(&tme);
                    self->hot_button_ = index;
                    InvalidateRect(h, nullptr, FALSE);
                } else if (msg == WM_MOUSELEAVE) {
                    self->hot_button_ = -1;
                    InvalidateRect(h, nullptr, FALSE);
                }
                return DefSubclassProc(h, msg, wp, lp);
            },
            1, reinterpret_cast<DWORD_PTR>(this));
    }
    saved_notice_ = MakeLabel(hwnd(), "Setting saved", 0, 0, 10, 0, font_bold_,
                              SS_CENTER | SS_CENTERIMAGE);
}

bool Form1::IsShown() const { return IsWindowVisible(hwnd()) != FALSE; }

void Form1::ShowMain() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

void Form1::HideMain() { ShowWindow(hwnd(), SW_HIDE); }

void Form1::OpenPage(waktuna::Page page) {
    if (!PageAvailable(page)) return;
    current_page_ = page;
    if (main_page_) main_page_->Show(page == waktuna::kPageMain);
    SetText(page_title_, waktuna::PageTitle(language_, page));
}

void Form1::ShowSavedNotice() {
    SetWindowPos(saved_notice_, HWND_TOP, page_area_.left, page_area_.top,
                 page_area_.right - page_area_.left, 0, SWP_SHOWWINDOW);
    notice_.Start();
    SetTimer(hwnd(), kSavedNoticeTimer, 10, nullptr);
}

void Form1::SavedNoticeTick() {
    const bool running = notice_.Tick();
    if (saved_notice_brush_) DeleteObject(saved_notice_brush_);
    saved_notice_brush_ = CreateSolidBrush(notice_.CurrentColor());
    if (!running) {
        KillTimer(hwnd(), kSavedNoticeTimer);
        ShowWindow(saved_notice_, SW_HIDE);
        return;
    }
    SetWindowPos(saved_notice_, HWND_TOP, 0, 0, page_area_.right - page_area_.left,
                 Scale(notice_.height), SWP_NOMOVE);
    InvalidateRect(saved_notice_, nullptr, TRUE);
}

void Form1::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    const auto& p = skin_.palette;
    // The open page paints itself; painting below it only makes it flicker.
    if (main_page_ && IsWindowVisible(main_page_->hwnd())) {
        const RECT page = ChildRect(main_page_->hwnd());
        ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
    }
    RECT caption{0, 0, client.right, Scale(kCaptionHeight)};
    PaintCaption(dc, caption, skin_);
    RECT header{1, caption.bottom, client.right - 1, Scale(kHeaderBottom)};
    PaintVerticalGradient(dc, header, p.PageColor, waktuna::GradientEnd(p));
    RECT body{1, header.bottom, client.right - 1, client.bottom - 1};
    FillSolid(dc, body, p.AccentColor);
    RECT side{Scale(kSideLeft), Scale(kHeaderBottom + 4), Scale(kSideLeft + kSideWidth),
              client.bottom - Scale(6)};
    PaintVerticalGradient(dc, side, p.PageColor, waktuna::GradientEnd(p));
    // The page area: rounded corners (radius 3) around the pages, which sit
    // 5 pixels inside it.
    HPEN pen = CreatePen(PS_SOLID, 1, p.EdgeColor);
    HBRUSH fill = CreateSolidBrush(p.PageColor);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, fill);
    RoundRect(dc, page_area_.left, page_area_.top, page_area_.right, page_area_.bottom, Scale(6),
              Scale(6));
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(fill);
    PaintFrame(dc, client, skin_);
}

void Form1::DrawItem(const DRAWITEMSTRUCT& di) {
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    if (di.CtlID == kHideButtonId) {
        PaintCaption(di.hDC, {-Scale(kWidth - 26), -Scale(6), Scale(26), Scale(23)}, skin_);
        pictures16_.Draw(di.hDC, pressed ? 6 : 5, 0, 0, Scale(16));
        return;
    }
    const int index = static_cast<int>(di.CtlID) - kFirstPageButtonId;
    const auto& p = skin_.palette;
    RECT r = di.rcItem;
    const bool hot = index == hot_button_;
    const bool selected = index == current_page_;
    if (selected || pressed)
        PaintVerticalGradient(di.hDC, r, p.TintColor, p.AccentColor);
    else
        PaintVerticalGradient(di.hDC, r, p.PageColor, waktuna::GradientEnd(p));
    pictures24_.Draw(di.hDC, index, r.left + Scale(4), r.top + (r.bottom - r.top - Scale(24)) / 2,
                     Scale(24));
    RECT text = r;
    text.left += Scale(34);
    SetBkMode(di.hDC, TRANSPARENT);
    const bool enabled = (di.itemState & ODS_DISABLED) == 0;
    SetTextColor(di.hDC, enabled ? p.LabelTextColor : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(di.hDC, hot ? font_bold_ : font_);
    const std::string caption = GetText(di.hwndItem);
    DrawTextA(di.hDC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(di.hDC, old);
    if (di.itemState & ODS_FOCUS) {
        RECT f = r;
        InflateRect(&f, -2, -2);
        DrawFocusRect(di.hDC, &f);
    }
}

LRESULT Form1::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Painted([this](HDC dc) { Paint(dc); });
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        HWND control = reinterpret_cast<HWND>(lp);
        SetBkMode(dc, TRANSPARENT);
        if (control == saved_notice_) {
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(saved_notice_brush_ ? saved_notice_brush_
                                                                : GetStockObject(WHITE_BRUSH));
        }
        SetTextColor(dc, control == page_title_ ? skin_.palette.LightTextColor
                                                : skin_.palette.LabelTextColor);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        if (id == kHideButtonId) {
            HideMain();
        } else if (id >= kFirstPageButtonId && id < kFirstPageButtonId + waktuna::kPageCount) {
            OpenPage(static_cast<waktuna::Page>(id - kFirstPageButtonId));
            for (HWND b : page_buttons_) InvalidateRect(b, nullptr, FALSE);
        } else if (id >= static_cast<int>(kMenuBase)) {
            RunMenuItem(id - static_cast<int>(kMenuBase));
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (GET_Y_LPARAM(lp) < Scale(kHeaderBottom)) {
            // No caption bar of our own: dragging the header moves the window.
            ReleaseCapture();
            SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        }
        return 0;
    case WM_HOTKEY:
        if (wp == kHotKeyId) {
            if (IsShown())
                HideMain();
            else
                ShowMain();
        }
        return 0;
    case WM_SHOWWINDOW:
        SetMenuCaption(waktuna::kItemOpen, language_.Line(waktuna::OpenItemLine(wp != 0)));
        // Showing the main window closes an open message dialog.
        if (wp && dialog_) dialog_->Close();
        break;
    case WM_TIMER:
        if (wp == kSavedNoticeTimer) SavedNoticeTick();
        if (wp == kClockTimer && watch_) watch_->OnClockTick();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd(), kClockTimer);
        KillTimer(hwnd(), kSavedNoticeTimer);
        UnregisterHotKey(hwnd(), kHotKeyId);
        if (instance_mutex_) CloseHandle(instance_mutex_);
        instance_mutex_ = nullptr;
        tray_.Remove();
        PostQuitMessage(0);
        return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace app
