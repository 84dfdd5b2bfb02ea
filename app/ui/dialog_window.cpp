#include "ui/dialog_window.h"

#include <commdlg.h>

#include "ui/message_loop.h"

namespace app {

namespace {
constexpr int kCloseCaptionId = 90;
}

bool DialogWindow::CreateCentred(const char* className, const char* title, int width, int height, HWND owner) {
    WindowSpec spec;
    spec.class_name = className;
    spec.title = title;
    spec.style = WS_POPUP;  // no WS_CLIPCHILDREN: labels are drawn over the painted body
    spec.ex_style = WS_EX_CONTROLPARENT;
    CentreOnWorkArea(spec, width, height, Dpi());
    spec.parent = owner;
    SkinnedLayout layout;
    layout.buttons[0] = {kCloseCaptionId, 24, kClosePicture, "Close"};
    layout.corner = 16;
    return CreateSkinned(spec, layout);
}

void DialogWindow::RunModalLoopFor(HWND owner, HWND focus) {
    RunModalWindow(owner, hwnd(), focus, [this] { Close(); }, [this] { return closed_; });
    Close();
}

void DialogWindow::Close() {
    if (!closed_ && hwnd()) DestroyWindow(hwnd());
}

void DialogWindow::OnCaptionButton(int id) {
    if (id == kCloseCaptionId) Close();
}

void DialogWindow::PaintBody(HDC dc, const RECT& client) {
    Brush brush(CreateSolidBrush(look().palette().PageColor));
    FillRect(dc, &client, brush);
}

LRESULT DialogWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL) {  // Esc
            Close();
            return 0;
        }
        if (lp && LOWORD(wp) != kCloseCaptionId) {
            OnControl(LOWORD(wp), HIWORD(wp));
            return 0;
        }
        break;
    case WM_CLOSE:
        Close();
        return 0;
    }
    return SkinnedWindow::OnMessage(msg, wp, lp);
}

}  // namespace app
