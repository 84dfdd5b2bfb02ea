#include "windows/bar_window.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "waktuna/files/lines.h"

namespace app {

namespace {

constexpr UINT_PTR kMotionTimer = 1;
// The shortest motion-timer period: about 33 steps a second. Under Wine each
// tick alone costs as much as drawing it, and faster ticks cost more than they
// smooth; the speed does not depend on it (each frame follows the time).
constexpr int kMotionTimerMinMs = 30;
constexpr UINT kCloseCommand = 1;

uint64_t Now() { return GetTickCount64(); }

// The work area of the primary monitor: the screen less its taskbars.
waktuna::Box WorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoA(monitor, &info)) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

}  // namespace

BarWindow::BarWindow(const waktuna::SettingsStore& settings, const Look& look,
                     const waktuna::LanguageList& language)
    : settings_(settings), look_(look), language_(language) {}

bool BarWindow::EnsureCreated() {
    if (Exists()) return true;
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna";
    spec.style = WS_POPUP;
    // No taskbar button, always on top, never activated by a click.
    spec.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    // Drawn on every motion tick: a DC of its own saves fetching one each time.
    spec.class_style = CS_DBLCLKS | CS_OWNDC;
    spec.x = spec.y = 0;
    spec.width = 100;
    spec.height = Scale(waktuna::kBarHeight);
    if (!CreateWin(spec)) return false;
    own_dc_ = GetDC(hwnd());  // the window's own, for its whole life
    OnDpiChanged();
    return true;
}

void BarWindow::OnDpiChanged() {
    font_.reset(CreateFontA(-Scale(14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, "Arial"));
    Configure();
}

void BarWindow::Configure() {
    motion_.Configure(waktuna::PlaceBar(waktuna::BarSettings::Load(settings_), WorkArea(), Dpi()));
    if (!Exists()) return;
    const waktuna::BarPlacement& p = motion_.Placement();
    SetWindowPos(hwnd(), HWND_TOPMOST, p.left, p.top, p.width, p.height,
                 SWP_NOACTIVATE);
    if (InView()) Apply(motion_.Update(Now()), true);
}

int BarWindow::TextWidth(const std::string& text) {
    const WindowDC dc(hwnd());
    Selection font(dc, font_);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void BarWindow::ShowTexts(const std::string& first, const std::string& second) {
    if (!EnsureCreated()) return;
    if (!InView()) Configure();  // a new show takes the latest work area
    first_ = first;
    second_ = second;
    first_width_ = TextWidth(first_);
    second_width_ = TextWidth(second_);
    motion_.Show(first_width_, second_width_, Now());
    Apply(motion_.Update(Now()), true);
    // In front of other topmost windows, without taking the focus.
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                                                       SWP_SHOWWINDOW);
    ArmTimer();
}

void BarWindow::HideNow() {
    motion_.HideNow();
    if (Exists()) Apply(motion_.Update(Now()), true);
}

void BarWindow::Close() {
    motion_.Close(Now());
    if (Exists()) Apply(motion_.Update(Now()), false);
}

void BarWindow::Tick() { Apply(motion_.Update(Now()), false); }

void BarWindow::Apply(const waktuna::BarFrame& frame, bool force) {
    if (frame.phase == waktuna::BarPhase::Hidden) {
        ShowWindow(hwnd(), SW_HIDE);
        if (timer_ms_) KillTimer(hwnd(), kMotionTimer);
        timer_ms_ = 0;
        frame_ = frame;
        return;
    }
    const bool moved = force || frame.top != frame_.top;
    const bool clipped =
        force || frame.band_top != frame_.band_top || frame.band_bottom != frame_.band_bottom;
    const waktuna::BarFrame before = frame_;
    frame_ = frame;
    ArmTimer();
    const waktuna::BarPlacement& p = motion_.Placement();
    if (moved)
        SetWindowPos(hwnd(), nullptr, p.left, frame.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (clipped)
        SetWindowRgn(hwnd(), CreateRectRgn(0, frame.band_top, p.width, frame.band_bottom), TRUE);
    if (force || moved || clipped || !ImagesCurrent()) {
        InvalidateRect(hwnd(), nullptr, FALSE);
        return;
    }
    // Straight to the window: no update region and paint message to go
    // through for each pixel of motion.
    for (const auto& [from, to] :
         waktuna::BarUncoveredColumns(before, frame, first_width_, second_width_, p.width)) {
        const RECT strip{from, 0, to, images_size_.cy};
        FillRect(own_dc_, &strip, edge_brush_);
    }
    DrawTexts(own_dc_);
}

void BarWindow::ArmTimer() {
    // The frame is worked out from the time elapsed, so the timer only sets
    // how smooth the motion looks: a tick for each step (a pixel of scrolling
    // or of sliding), and no ticks in between that would change nothing.
    const int step = motion_.Phase() == waktuna::BarPhase::Scrolling
                         ? motion_.Placement().scroll_ms
                         : waktuna::kBarAnimationStepMs;
    const UINT ms = static_cast<UINT>(std::max(step, kMotionTimerMinMs));
    if (ms == timer_ms_) return;
    timer_ms_ = SetTimer(hwnd(), kMotionTimer, ms, nullptr) ? ms : 0;
}

bool BarWindow::ImagesCurrent() const {
    const waktuna::SkinPalette& palette = look_.palette();
    return images_ && images_size_.cx == std::max(first_width_ + second_width_, 1) &&
           images_size_.cy == motion_.Placement().height &&
           drawn_edge_ == palette.EdgeColor && drawn_text_ == palette.LightTextColor && drawn_first_ == first_ &&
           drawn_second_ == second_;
}

void BarWindow::MakeImages() {
    const SIZE size{std::max(first_width_ + second_width_, 1), motion_.Placement().height};
    const waktuna::SkinPalette& palette = look_.palette();
    if (!images_ || images_size_.cx != size.cx || images_size_.cy != size.cy) {
        images_dc_.reset();  // lets go of the old bitmap
        images_.reset(CreateCompatibleBitmap(own_dc_, size.cx, size.cy));
        images_dc_.reset(CreateCompatibleDC(own_dc_));
        if (!images_ || !images_dc_) {
            images_.reset();
            return;
        }
        SelectObject(images_dc_, images_);
        SetBkMode(images_dc_, TRANSPARENT);
        images_size_ = size;
    }
    drawn_edge_ = palette.EdgeColor;
    drawn_text_ = palette.LightTextColor;
    drawn_first_ = first_;
    drawn_second_ = second_;
    edge_brush_.reset(CreateSolidBrush(drawn_edge_));
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(images_dc_, &all, edge_brush_);
    const Selection font(images_dc_, font_);
    SetTextColor(images_dc_, drawn_text_);
    TEXTMETRICA metrics{};
    GetTextMetricsA(images_dc_, &metrics);
    const int y = (size.cy - metrics.tmHeight) / 2;
    TextOutA(images_dc_, 0, y, first_.c_str(), static_cast<int>(first_.size()));
    TextOutA(images_dc_, first_width_, y, second_.c_str(), static_cast<int>(second_.size()));
}

void BarWindow::DrawTexts(HDC dc) {
    const int height = images_size_.cy;
    BitBlt(dc, frame_.first_left, 0, first_width_, height, images_dc_, 0, 0, SRCCOPY);
    BitBlt(dc, frame_.second_left, 0, second_width_, height, images_dc_, first_width_, 0, SRCCOPY);
}

void BarWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (!ImagesCurrent()) MakeImages();  // new texts, a new skin
    if (images_) {
        FillRect(dc, &ps.rcPaint, edge_brush_);
        DrawTexts(dc);
    }
    EndPaint(hwnd(), &ps);
}

LRESULT BarWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_TIMER:
        if (wp == kMotionTimer) Tick();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CONTEXTMENU: {
        const UniqueMenu menu(CreatePopupMenu());
        const std::string close = language_.Line(waktuna::kLineClose);
        AppendMenuA(menu, MF_STRING, kCloseCommand, close.c_str());
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (lp == -1) GetCursorPos(&pt);
        const UINT cmd =
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
        if (cmd == kCloseCommand) Close();
        return 0;
    }
    default:
        return Default(msg, wp, lp);
    }
}

}  // namespace app
