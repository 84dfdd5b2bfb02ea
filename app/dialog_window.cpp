#include "dialog_window.h"

#include <commdlg.h>

#include "message_loop.h"

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
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    SetFocus(focus);
    const bool owner_enabled = owner && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    {
        ModalScope modal([this] { Close(); });
        RunModalLoop([this] { return closed_; });
    }
    if (owner_enabled) EnableWindow(owner, TRUE);
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

std::optional<std::string> AskFileName(FileDialog kind, HWND owner, std::string_view filter,
                                       const std::string& title) {
    // The dialog takes the filter's parts with zeros between, two at the end.
    std::string parts(filter);
    for (char& c : parts)
        if (c == '|') c = '\0';
    parts.append(2, '\0');
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = parts.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (kind == FileDialog::Save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    const BOOL ok = kind == FileDialog::Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return std::nullopt;
    return std::string(file);
}

}  // namespace app
