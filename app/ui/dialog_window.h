// The base of the program's modal dialog windows (task editor, converter):
// a skinned popup centred on the work area with a close button on its
// caption strip, its body in the page colour, Esc and the close button
// closing it, and a modal loop with the owner disabled meanwhile.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/message_loop.h"
#include "ui/page.h"
#include "ui/skinned_window.h"

namespace app {

class DialogWindow : public SkinnedWindow {
protected:
    explicit DialogWindow(const Look& look) : SkinnedWindow(look) {}

    // Creates the hidden window; sizes are pixels at 96 DPI.
    bool CreateCentred(const char* className, const char* title, int width, int height, HWND owner);
    // Shows the window and runs its loop until it is closed; `focus` gets the focus.
    void RunModalLoopFor(HWND owner, HWND focus);
    void Close();

    // WM_COMMAND from one of the window's controls.
    virtual void OnControl(int id, int code) = 0;

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintBody(HDC dc, const RECT& client) override;
    void OnCaptionButton(int id) override;
    void OnFinalDestroy() override { closed_ = true; }

private:
    bool closed_ = false;
};

// Runs a dialog window of type W modally, unless one is open already.
template <class W>
void RunOnce(PageHost& host) {
    const OnlyOne<W> only;
    if (!only) return;
    W window(host);
    window.RunModal();
}


}  // namespace app
