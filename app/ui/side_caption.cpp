#include "ui/side_caption.h"

#include "ui/gdi.h"
#include "ui/window.h"
#include "waktuna/look/caption_wrap.h"

namespace app {

namespace {

constexpr int kPictureSpace = 34;  // the 24-pixel picture and its margins
constexpr int kTextRightMargin = 3;
constexpr int kCaptionLines = 2;

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

SideCaption LayOutSideCaption(HDC dc, const Look& look, int dpi, const RECT& button,
                              std::string_view caption) {
    SideCaption result;
    result.text = button;
    result.text.left += ScaleTo(kPictureSpace, dpi);
    result.text.right -= ScaleTo(kTextRightMargin, dpi);
    Selection font(dc, look.Get(FontId::kBold, dpi));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    result.line_height = metrics.tmHeight;
    waktuna::WrappedCaption wrapped =
        waktuna::WrapCaption(caption, result.text.right - result.text.left, kCaptionLines,
                             [dc](std::string_view text) { return TextWidth(dc, text); });
    result.lines = std::move(wrapped.lines);
    result.fits = wrapped.fits;
    return result;
}

void DrawSideCaption(HDC dc, const SideCaption& caption) {
    const int count = static_cast<int>(caption.lines.size());
    const int block = count * caption.line_height;
    RECT line = caption.text;
    line.top = caption.text.top + (caption.text.bottom - caption.text.top - block) / 2;
    for (const std::string& text : caption.lines) {
        line.bottom = line.top + caption.line_height;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &line,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP);
        line.top = line.bottom;
    }
}

}  // namespace app
