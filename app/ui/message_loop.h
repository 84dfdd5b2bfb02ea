// The one message loop of the program: WinMain's and every modal window's.
//
// Before a message is dispatched, the program's windows it concerns may take
// it: the window it is for (when that is one of ours), then each parent up to
// the top-level window (Window::PreTranslate); then IsDialogMessage on the
// top-level window, so Tab and Shift+Tab move between controls, Enter sends
// IDOK and Esc IDCANCEL, on every page and dialog.
#pragma once

#include <windows.h>

#include <functional>

namespace app {

// Offers the message to the chain above; true when something took it.
bool PreTranslateMessage(MSG& msg);

// Runs messages until WM_QUIT; returns its exit code.
int RunMainLoop();

// A modal window's loop: runs messages until `done()` is true. When the
// program ends meanwhile (WM_QUIT), the quit is posted again for the outer
// loop and false is returned.
bool RunModalLoop(const std::function<bool()>& done);

// A modal window registers itself for as long as its loop runs, with a way
// to end it as if cancelled. The program ends them all before it closes, so
// no window is destroyed under a running modal loop.
class ModalScope {
public:
    explicit ModalScope(std::function<void()> cancel);
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope();

    // How many modal loops run now.
    static int Depth();
    // Asks every running modal window to end, innermost first.
    static void CancelAll();

private:
    std::function<void()> cancel_;
    ModalScope* outer_;
};

// The one way a window of ours runs modally: shows `window`, gives `focus`
// the focus, disables `owner` and runs the loop (in a ModalScope whose
// `cancel` ends the window) until `done()`; then enables the owner again and
// gives it the activation back before the window goes.
void RunModalWindow(HWND owner, HWND window, HWND focus, std::function<void()> cancel,
                    const std::function<bool()>& done);

// At most one window of a kind open at a time: the first guard of a kind
// holds it until it is destroyed; a guard made meanwhile does not.
template <class Kind>
class OnlyOne {
public:
    OnlyOne() : held_(!open_) { open_ = true; }
    OnlyOne(const OnlyOne&) = delete;
    OnlyOne& operator=(const OnlyOne&) = delete;
    ~OnlyOne() {
        if (held_) open_ = false;
    }
    explicit operator bool() const { return held_; }

private:
    bool held_;
    static inline bool open_ = false;
};

}  // namespace app
