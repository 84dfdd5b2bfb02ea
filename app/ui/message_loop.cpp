#include "ui/message_loop.h"

#include "ui/window.h"

namespace app {

namespace {
ModalScope* innermost = nullptr;
int depth = 0;
}  // namespace

bool PreTranslateMessage(MSG& msg) {
    if (!msg.hwnd) return false;
    for (HWND h = msg.hwnd; h; h = GetParent(h)) {
        if (Window* w = Window::FromHandle(h); w && w->PreTranslate(msg)) return true;
        if (!(GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    // Dialog keys only for the program's own windows.
    return root && Window::FromHandle(root) && IsDialogMessageA(root, &msg);
}

int RunMainLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool RunModalLoop(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit message for the outer loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

ModalScope::ModalScope(std::function<void()> cancel)
    : cancel_(std::move(cancel)), outer_(innermost) {
    innermost = this;
    ++depth;
}

ModalScope::~ModalScope() {
    innermost = outer_;
    --depth;
}

int ModalScope::Depth() { return depth; }

void RunModalWindow(HWND owner, HWND window, HWND focus, std::function<void()> cancel,
                    const std::function<bool()>& done) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetFocus(focus);
    const bool owner_enabled = owner && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    {
        ModalScope modal(std::move(cancel));
        RunModalLoop(done);
    }
    if (owner_enabled && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        // Before this window goes, or Windows activates another program.
        if (IsWindowVisible(owner)) SetActiveWindow(owner);
    }
}

void ModalScope::CancelAll() {
    for (ModalScope* s = innermost; s; s = s->outer_)
        if (s->cancel_) s->cancel_();
}

}  // namespace app
