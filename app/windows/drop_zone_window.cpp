#include "windows/drop_zone_window.h"

#include <vector>

#include "ui/skin_paint.h"
#include "waktuna/files/lines.h"
#include "waktuna/settings/settings.h"
#include "waktuna/version.h"

namespace app {

namespace {

constexpr UINT_PTR kFlashTimer = 1;
// Transparent mode: pixels of this colour are not drawn at all.
constexpr COLORREF kKeyColour = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr const char* kAlphaCaptions[] = {"30 %", "40 %", "50 %", "60 %", "70 %", "Disabled"};
constexpr const char* kFontCaptions[] = {"100%", "125%", "150%", "175%", "200%"};

waktuna::Box ToBox(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The work area of the monitor a rectangle is on.
waktuna::Box WorkAreaOf(const RECT& r) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return ToBox(info.rcWork);
}

waktuna::Box VirtualScreen() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM data) {
    reinterpret_cast<std::vector<waktuna::Box>*>(data)->push_back(ToBox(*r));
    return TRUE;
}

// Each monitor's whole rectangle; the virtual screen when none is reported.
std::vector<waktuna::Box> Monitors() {
    std::vector<waktuna::Box> boxes;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&boxes));
    if (boxes.empty()) boxes.push_back(VirtualScreen());
    return boxes;
}

}  // namespace

DropZoneWindow::DropZoneWindow(waktuna::SettingsStore& settings, const Look& look,
                               const waktuna::LanguageList& language, DropZoneHooks hooks)
    : settings_(settings), look_(look), language_(language), hooks_(std::move(hooks)) {}

bool DropZoneWindow::EnsureCreated() {
    if (Exists()) return true;
    const waktuna::DropZoneSettings s = waktuna::ReadDropZoneSettings(settings_);
    transparent_ = s.transparent;
    snap_ = s.snap;
    remaining_ = s.remaining;
    // First place: the bottom right corner of the work area.
    RECT primary{0, 0, 1, 1};
    const waktuna::Box work = WorkAreaOf(primary);
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = waktuna::kProgramCaption.data();
    spec.style = WS_POPUP;
    spec.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED;
    spec.x = work.right - Width() - Scale(16);
    spec.y = work.bottom - Height() - Scale(16);
    spec.width = Width();
    spec.height = Height();
    anchor_ = {spec.x, spec.y};
    if (!CreateWin(spec)) return false;
    SetFontHeight(font_height_);
    ApplyTransparency();
    return true;
}

void DropZoneWindow::Show() {
    if (!EnsureCreated()) return;
    const waktuna::DropZoneSettings s = waktuna::ReadDropZoneSettings(settings_);
    if (s.x && s.y) {
        const waktuna::Point p{*s.x, *s.y};
        if (waktuna::PositionOnMonitors(p, Width(), Height(), Monitors())) anchor_ = p;
    }
    if (const auto height = waktuna::DropZoneFontHeight(s.size)) SetFontHeight(*height);
    Fit();
    const waktuna::DropZoneAlpha alpha = waktuna::DropZoneAlphaOf(s.alpha);
    if (alpha.disabled) alpha_item_ = waktuna::kAlphaDisabledItem;
    if (alpha.ticked_item >= 0) alpha_item_ = alpha.ticked_item;
    if (alpha.apply) ApplyAlpha(*alpha.apply);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
    if (hooks_.shown) hooks_.shown(true);
}

void DropZoneWindow::Hide() {
    if (!Exists()) return;
    ShowWindow(hwnd(), SW_HIDE);
    if (hooks_.shown) hooks_.shown(false);
}

waktuna::DropZoneState DropZoneWindow::State() const {
    if (!Exists()) return waktuna::DropZoneState::Absent;
    if (!IsWindowVisible(hwnd())) return waktuna::DropZoneState::Hidden;
    return flash_.Active() ? waktuna::DropZoneState::Alerting : waktuna::DropZoneState::Visible;
}

void DropZoneWindow::SetFirstText(const std::string& text) {
    if (text == first_) return;
    first_ = text;
    Fit();
    if (Exists()) {
        InvalidateRect(hwnd(), nullptr, TRUE);
        ShowTextsInTitle();
    }
}

void DropZoneWindow::SetSecondText(const std::string& text) {
    if (text == second_) return;
    second_ = text;
    Fit();
    if (Exists()) {
        InvalidateRect(hwnd(), nullptr, TRUE);
        ShowTextsInTitle();
    }
}

void DropZoneWindow::ShowTextsInTitle() {
    // The painted texts as the window's own text too, for screen readers
    // and tools that read windows.
    SetWindowTextA(hwnd(), (first_ + " " + second_).c_str());
}

void DropZoneWindow::StartAlert() {
    if (!Exists()) return;
    flash_.Start(waktuna::ReadDword(settings_, "FlashTime"));
    SetTimer(hwnd(), kFlashTimer, waktuna::kDropZoneFlashStepMs, nullptr);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void DropZoneWindow::FlashTick() {
    if (!flash_.Tick()) KillTimer(hwnd(), kFlashTimer);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void DropZoneWindow::Repaint() {
    if (Exists()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void DropZoneWindow::ApplyAlpha(uint8_t alpha) {
    alpha_ = alpha;
    ApplyTransparency();
}

void DropZoneWindow::ApplyTransparency() {
    // See-through: the key colour is left out of the window entirely, so
    // the desktop and windows behind show live between the letters.
    if (transparent_)
        SetLayeredWindowAttributes(hwnd(), kKeyColour, alpha_, LWA_COLORKEY | LWA_ALPHA);
    else
        SetLayeredWindowAttributes(hwnd(), 0, alpha_, LWA_ALPHA);
    SetFontHeight(font_height_);  // smoothing would leave key-coloured fringes
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void DropZoneWindow::SetFontHeight(int height) {
    font_height_ = height;
    font_.reset(CreateFontA(-Scale(height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            transparent_ ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, "Arial"));
    Fit();
    if (Exists()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void DropZoneWindow::Fit() {
    if (!Exists()) return;
    const WindowDC dc(hwnd());
    Selection font(dc, font_);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE first{}, second{};
    GetTextExtentPoint32A(dc, first_.c_str(), static_cast<int>(first_.size()), &first);
    GetTextExtentPoint32A(dc, second_.c_str(), static_cast<int>(second_.size()), &second);
    const waktuna::Extent size =
        waktuna::DropZoneExtent(first.cx, second_.empty() ? 0 : second.cx, metrics.tmHeight, Dpi());
    const RECT wanted{anchor_.x, anchor_.y, anchor_.x + size.width, anchor_.y + size.height};
    const waktuna::Box frame =
        waktuna::DropZoneFrame(anchor_, size, {Width(), Height()}, WorkAreaOf(wanted));
    RECT now{};
    GetWindowRect(hwnd(), &now);
    if (ToBox(now) == frame) return;
    SetWindowPos(hwnd(), nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DropZoneWindow::Paint(HDC dc, const RECT& client) {
    const waktuna::SkinPalette& palette = look_.palette();
    const waktuna::FlashLook flash = flash_.Look(transparent_);
    COLORREF text = palette.HighlightColor;
    if (flash == waktuna::FlashLook::Bright) text = kWhite;
    if (flash == waktuna::FlashLook::RedText) text = kRed;
    if (transparent_) {
        FillSolid(dc, client, kKeyColour);
    } else if (flash == waktuna::FlashLook::Bright) {
        PaintVerticalGradient(dc, client, kRed, kRed);
    } else {
        PaintVerticalGradient(dc, client, palette.AccentColor, palette.TintColor);
    }
    Selection font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const int top = transparent_ ? 0 : Scale(2);
    const int left = Scale(2);
    TextOutA(dc, left, top, first_.c_str(), static_cast<int>(first_.size()));
    SIZE size{};
    GetTextExtentPoint32A(dc, first_.c_str(), static_cast<int>(first_.size()), &size);
    TextOutA(dc, left + size.cx + Scale(5), top, second_.c_str(), static_cast<int>(second_.size()));
}

void DropZoneWindow::ShowMenu(POINT at) {
    auto check = [](bool on) { return on ? MF_CHECKED : MF_UNCHECKED; };
    HMENU alpha = CreatePopupMenu();
    for (int i = 0; i < waktuna::kAlphaItems; ++i)
        AppendMenuA(alpha, MF_STRING | check(alpha_item_ == i), kAlphaFirst + i, kAlphaCaptions[i]);
    if (alpha_item_)
        CheckMenuRadioItem(alpha, 0, waktuna::kAlphaItems - 1, static_cast<UINT>(*alpha_item_),
                           MF_BYPOSITION);
    HMENU size = CreatePopupMenu();
    for (int i = 0; i < waktuna::kFontSizeItems; ++i)
        AppendMenuA(size, MF_STRING | check(waktuna::DropZoneFontHeightOfItem(i) == font_height_),
                    kFontSizeFirst + i, kFontCaptions[i]);
    const UniqueMenu menu(CreatePopupMenu());
    const std::string remaining = language_.Line(waktuna::kLineRemainingTime);
    const std::string close = language_.Line(waktuna::kLineClose);
    const bool main_shown = hooks_.main_shown && hooks_.main_shown();
    const std::string toggle =
        language_.Line(main_shown ? waktuna::kLineHideWaktuna : waktuna::kLineOpenWaktuna);
    AppendMenuA(menu, MF_STRING | check(transparent_), kTransparent, "Transparent");
    AppendMenuA(menu, MF_STRING | check(snap_), kSnap, "Snap");
    AppendMenuA(menu, MF_STRING | check(remaining_), kRemaining, remaining.c_str());
    AppendMenuA(menu, MF_POPUP | (transparent_ ? MF_GRAYED : 0u),
                reinterpret_cast<UINT_PTR>(alpha), "Alpha Blend");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(size), "Font Size");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kClose, close.c_str());
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kToggleMain, toggle.c_str());
    SetForegroundWindow(hwnd());
    const UINT cmd =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);  // the menu and its submenus go with it
    if (cmd) RunCommand(cmd);
}

void DropZoneWindow::RunCommand(UINT command) {
    auto flags_changed = [this] {
        if (hooks_.flags_changed) hooks_.flags_changed(transparent_, snap_, remaining_);
    };
    if (command >= kAlphaFirst && command < kAlphaFirst + waktuna::kAlphaItems) {
        const int item = static_cast<int>(command - kAlphaFirst);
        const uint32_t value = item == waktuna::kAlphaDisabledItem
                                   ? waktuna::kDropZoneAlphaDisabled
                                   : waktuna::DropZoneAlphaOfPercent(30 + 10 * item);
        alpha_item_ = item;
        ApplyAlpha(value >= waktuna::kDropZoneAlphaDisabled ? 255 : static_cast<uint8_t>(value));
        waktuna::WriteDword(settings_, "dzAlpha", value);
        return;
    }
    if (command >= kFontSizeFirst && command < kFontSizeFirst + waktuna::kFontSizeItems) {
        const int item = static_cast<int>(command - kFontSizeFirst);
        SetFontHeight(waktuna::DropZoneFontHeightOfItem(item));
        ApplyTransparency();
        waktuna::WriteDword(settings_, "dzSize", static_cast<uint32_t>(font_height_));
        return;
    }
    switch (command) {
    case kTransparent: {
        transparent_ = !transparent_;
        // On: the stored opacity; off: opaque until the next showing.
        const waktuna::DropZoneAlpha a =
            waktuna::DropZoneAlphaOf(waktuna::ReadDword(settings_, "dzAlpha"));
        alpha_ = transparent_ && a.apply ? *a.apply : 255;
        ApplyTransparency();
        waktuna::WriteDword(settings_, "dzTransparent", transparent_ ? 1 : 0);
        flags_changed();
        break;
    }
    case kSnap:
        snap_ = !snap_;
        waktuna::WriteDword(settings_, "dzSnap", snap_ ? 1 : 0);
        flags_changed();
        break;
    case kRemaining:
        remaining_ = !remaining_;
        if (!remaining_) SetSecondText("");
        waktuna::WriteDword(settings_, "dzRemaining", remaining_ ? 1 : 0);
        flags_changed();
        break;
    case kClose:
        Hide();
        break;
    case kToggleMain:
        if (hooks_.toggle_main) hooks_.toggle_main();
        break;
    default:
        break;
    }
}

LRESULT DropZoneWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        return Painted([this](HDC dc, const RECT& client) { Paint(dc, client); });
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wp == kFlashTimer) FlashTick();
        return 0;
    case WM_NCHITTEST:
        // No caption: the whole window moves it.
        return HTCAPTION;
    case WM_MOVING: {
        RECT* r = reinterpret_cast<RECT*>(lp);
        const int w = r->right - r->left, h = r->bottom - r->top;
        const waktuna::Point p =
            snapper_.Apply({r->left, r->top}, w, h, WorkAreaOf(*r), snap_);
        *r = RECT{p.x, p.y, p.x + w, p.y + h};
        moved_ = true;
        return TRUE;
    }
    case WM_MOVE:
        moved_ = true;
        return Default(msg, wp, lp);
    case WM_EXITSIZEMOVE: {
        // Stored once, where the drag ended.
        if (moved_) {
            RECT r;
            GetWindowRect(hwnd(), &r);
            waktuna::WriteString(settings_, "dzX", std::to_string(r.left));
            waktuna::WriteString(settings_, "dzY", std::to_string(r.top));
            anchor_ = {r.left, r.top};
            moved_ = false;
        }
        return 0;
    }
    case WM_COMMAND:
        RunCommand(LOWORD(wp));
        return 0;
    case WM_CONTEXTMENU: {
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (lp == -1) GetCursorPos(&pt);
        ShowMenu(pt);
        return 0;
    }
    case WM_NCRBUTTONUP: {
        // Right button on the (caption-like) window: our menu, not the system one.
        ShowMenu(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    }
    case WM_NCLBUTTONDBLCLK:
        return 0;
    default:
        return Default(msg, wp, lp);
    }
}

}  // namespace app
