// The base of the program's own skinned windows (main window, message
// dialog, and the picker, editor, converter, bar and drop zone): the skin's
// caption strip, the frame, a rounded outline, dragging, the owner-drawn
// caption buttons and labels drawn transparently over the skin.
#pragma once

#include <windows.h>

#include <array>

#include "ui/control_table.h"
#include "ui/look.h"
#include "ui/window.h"

namespace app {

// A picture button on the caption strip.
struct CaptionButton {
    int id = 0;          // 0: no button
    int right = 0;       // its left edge, counted from the window's right edge (96 DPI)
    int picture = 0;     // in Look::pictures16; `picture + 1` while pressed
    const char* text = "";  // its name (not shown): what screen readers and tests find
};

struct SkinnedLayout {
    int caption_height = 29;  // 96 DPI; 0 for a window without a caption strip
    std::array<CaptionButton, 2> buttons{};
    // The outline: rounded corners of this diameter at 96 DPI (0 keeps the
    // rectangle, or leaves the shape to the window).
    int corner = 0;
    bool round_bottom = true;  // false: only the top corners are rounded
};

// The common buttons: hide (pictures 5, 6) and close (7, 8).
inline constexpr int kHidePicture = 5;
inline constexpr int kClosePicture = 7;

// Sizes `spec` to width x height pixels (96 DPI) at `dpi`, centred on the
// desktop's work area.
void CentreOnWorkArea(WindowSpec& spec, int width, int height, int dpi);

class SkinnedWindow : public Window {
public:
    const Look& look() const { return look_; }

protected:
    explicit SkinnedWindow(const Look& look) : look_(look) {}

    // Creates the window, its caption buttons and its outline.
    bool CreateSkinned(const WindowSpec& spec, const SkinnedLayout& layout);

    // Everything below the caption strip and inside the frame; called first,
    // so the caption and the frame are painted over it.
    virtual void PaintBody(HDC dc, const RECT& client) {}
    // Where pressing the left button starts moving the window (client
    // coordinates); the caption strip unless a window says otherwise.
    virtual bool IsDragArea(POINT point) const;
    // The text colour of a label drawn over the skin.
    virtual COLORREF LabelColour(HWND label) const;
    // Owner-drawn controls of the window other than the caption buttons.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item) { return false; }
    // A caption button was pressed.
    virtual void OnCaptionButton(int id) {}

    // Paints, colours labels, draws and runs the caption buttons, drags.
    // Windows handle their own messages first and pass the rest here.
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    // Rounds the outline again (after a change of size).
    void ApplyOutline();
    // The caption buttons, the outline and the controls for the new DPI;
    // windows that place more call this first.
    void OnDpiChanged() override;

    // The window's controls, from its table.
    ControlSet controls_;
    int CaptionHeight() const { return Scale(layout_.caption_height); }

private:
    void DrawCaptionButton(const DRAWITEMSTRUCT& item, const CaptionButton& button);

    const Look& look_;
    SkinnedLayout layout_;
};

}  // namespace app
