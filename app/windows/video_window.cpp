#include "windows/video_window.h"

#include <algorithm>

#include "ui/controls.h"

namespace app {

namespace {

// The surface: MCI draws the frames on it as they come, and the current one
// again whenever the surface needs painting (a paused video uncovered).
class VideoSurface final : public Window {
public:
    explicit VideoSurface(std::function<bool(HDC)>& paint) : paint_(paint) {}

    bool Create(HWND parent) {
        WindowSpec spec;
        spec.class_name = VideoWindow::kSurfaceClassName;
        spec.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        spec.x = spec.y = spec.width = spec.height = 0;
        spec.parent = parent;
        return CreateWin(spec);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_ERASEBKGND) return 1;
        if (msg == WM_PAINT)
            return Painted([this](HDC dc, const RECT& client) {
                // Black where there is no frame (none drawn yet, or none to be had).
                if (!paint_ || !paint_(dc))
                    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            });
        return Default(msg, wp, lp);
    }

private:
    std::function<bool(HDC)>& paint_;
};

// The file's own name, without its folder.
std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

VideoWindow::VideoWindow(const Look& look) : SkinnedWindow(look) {}

// The surface, a member, is destroyed before the window itself (a base).
VideoWindow::~VideoWindow() = default;

bool VideoWindow::Create(const std::string& title, int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    const std::string name = BaseName(title);
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = name.c_str();
    // Not clipping its children: the caption strip is painted under the
    // title before the title draws itself over it. The body leaves the
    // surface alone (PaintBody).
    spec.style = WS_POPUP;
    spec.ex_style = WS_EX_APPWINDOW;
    // Sized again by Layout() once the window knows its monitor's DPI.
    CentreOnWorkArea(spec, width_ + 2 * kMargin, height_ + 29 + kMargin, Dpi());
    SkinnedLayout layout;
    layout.buttons[0] = {kCloseId, 24, kClosePicture, "Close"};
    layout.corner = 14;
    layout.round_bottom = false;
    if (!CreateSkinned(spec, layout)) return false;
    CreateWindowExA(0, "STATIC", name.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX |
                    SS_ENDELLIPSIS, 0, 0, 0, 0, hwnd(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTitleId)), Instance(), nullptr);
    auto surface = std::make_unique<VideoSurface>(paint_);
    if (!surface->Create(hwnd())) return false;
    surface_ = std::move(surface);
    Layout();
    return true;
}

HWND VideoWindow::Surface() const { return surface_ ? surface_->hwnd() : nullptr; }

void VideoWindow::Show() {
    if (hwnd() && !IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void VideoWindow::Layout() {
    if (!hwnd()) return;
    const int margin = Scale(kMargin), caption = CaptionHeight();
    const int w = width_ + 2 * margin, h = caption + height_ + margin;
    RECT r;
    GetWindowRect(hwnd(), &r);
    // Keep the centre where it is, so a change of DPI does not walk the window.
    const int x = (r.left + r.right) / 2 - w / 2, y = (r.top + r.bottom) / 2 - h / 2;
    SetWindowPos(hwnd(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    if (surface_)
        SetWindowPos(surface_->hwnd(), nullptr, margin, caption, width_, height_,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    HWND title = GetDlgItem(hwnd(), kTitleId);
    SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(look().Get(FontId::kBold, Dpi())),
                 TRUE);
    // From the left edge to the close button.
    SetWindowPos(title, nullptr, Scale(8), Scale(7), std::max(0, w - Scale(8 + 30)), Scale(16),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void VideoWindow::OnDpiChanged() {
    Layout();
    SkinnedWindow::OnDpiChanged();  // the buttons and outline for the new size
}

void VideoWindow::PaintBody(HDC dc, const RECT& client) {
    // Never over the picture MCI drew.
    if (surface_) {
        RECT picture;
        GetWindowRect(surface_->hwnd(), &picture);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&picture), 2);
        ExcludeClipRect(dc, picture.left, picture.top, picture.right, picture.bottom);
    }
    RECT body = client;
    body.top = CaptionHeight();
    FillSolid(dc, body, look().palette().PageColor);
}

void VideoWindow::OnCaptionButton(int id) {
    if (id != kCloseId) return;
    ShowWindow(hwnd(), SW_HIDE);
    if (on_close_) on_close_();
}

LRESULT VideoWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {  // Alt+F4 and the taskbar's Close: the same as the button
        OnCaptionButton(kCloseId);
        return 0;
    }
    return SkinnedWindow::OnMessage(msg, wp, lp);
}

}  // namespace app
