// The window a video plays in: the skin's caption strip with the file's name
// and a close button, and below it a surface exactly the video's size that
// MCI draws the frames on. The media player owns it; closing it stops the
// video (the player is then over, as if it had played to its end).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/skinned_window.h"

namespace app {

class VideoWindow final : public SkinnedWindow {
public:
    static constexpr const char* kClassName = "WaktunaVideo";
    static constexpr const char* kSurfaceClassName = "WaktunaVideoSurface";
    // The margin around the surface, at 96 DPI (the caption strip is above it).
    static constexpr int kMargin = 4;

    explicit VideoWindow(const Look& look);
    ~VideoWindow() override;

    // Creates the window hidden, centred on the work area, its surface
    // `width` x `height` pixels: a video's pixels are not scaled by the DPI.
    bool Create(const std::string& title, int width, int height);
    // Called when the user closes the window.
    void SetOnClose(std::function<void()> on_close) { on_close_ = std::move(on_close); }
    // Draws the current frame on the surface's DC; false when it could not.
    void SetOnPaint(std::function<bool(HDC)> paint) { paint_ = std::move(paint); }
    // Shown without taking the focus from what the user is doing.
    void Show();
    // The window MCI draws on.
    HWND Surface() const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintBody(HDC dc, const RECT& client) override;
    void OnCaptionButton(int id) override;
    void OnDpiChanged() override;

private:
    static constexpr int kCloseId = 1;
    static constexpr int kTitleId = 2;
    // Sizes the window around the surface and places the surface and title.
    void Layout();

    int width_ = 0, height_ = 0;
    std::function<void()> on_close_;
    std::function<bool(HDC)> paint_;  // the surface calls it: declared before it
    std::unique_ptr<Window> surface_;
};

}  // namespace app
