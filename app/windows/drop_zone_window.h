// The drop zone: a small always-on-top window without a caption that shows
// the next prayer and, when chosen, the time left to it. It can be see-through
// (a colour-keyed layered window: only the texts are drawn, and whatever lies
// behind stays live), translucent or larger, snaps to the edges of the work
// area, remembers where it was left and flashes when a prayer time arrives.
// It grows to show a longer text whole (the alert in a long language, a large
// font) and returns to its place and size afterwards.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/gdi.h"
#include "ui/look.h"
#include "waktuna/files/language.h"
#include "waktuna/look/drop_zone.h"
#include "waktuna/settings/settings_store.h"
#include "waktuna/watch/watch_actions.h"
#include "ui/window.h"

namespace app {

// What the drop zone asks of the main window.
struct DropZoneHooks {
    std::function<bool()> main_shown;
    std::function<void()> toggle_main;
    // Shown or hidden: the tray menu's tick follows.
    std::function<void(bool shown)> shown;
    // The menu changed dzTransparent, dzSnap or dzRemaining.
    std::function<void(bool transparent, bool snap, bool remaining)> flags_changed;
};

class DropZoneWindow final : public Window {
public:
    static constexpr const char* kClassName = "WaktunaDropZone";

    // Menu commands (also sent by tests as WM_COMMAND).
    enum Command : UINT {
        kTransparent = 100, kSnap, kRemaining, kClose, kToggleMain,
        kAlphaFirst = 200,     // + item 0..5
        kFontSizeFirst = 300,  // + item 0..4
    };

    DropZoneWindow(waktuna::SettingsStore& settings, const Look& look,
                   const waktuna::LanguageList& language, DropZoneHooks hooks);

    // Created on first use; reads its place, size and opacity each time.
    void Show();
    void Hide();
    waktuna::DropZoneState State() const;
    void SetFirstText(const std::string& text);
    void SetSecondText(const std::string& text);
    // The prayer-time flashing, for FlashTime seconds.
    void StartAlert();
    // Colours and captions again (skin or language changed).
    void Repaint();
    bool Transparent() const { return transparent_; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override { SetFontHeight(font_height_); }

private:
    bool EnsureCreated();
    void ApplyTransparency();
    void ApplyAlpha(uint8_t alpha);
    void SetFontHeight(int height);
    // Sized to the texts, at the anchor or moved into the work area.
    void Fit();
    int Width() const { return Scale(waktuna::kDropZoneWidth); }
    int Height() const { return Scale(waktuna::kDropZoneHeight); }
    void RunCommand(UINT command);
    void ShowMenu(POINT at);
    void FlashTick();
    void Paint(HDC dc, const RECT& client);
    void ShowTextsInTitle();

    waktuna::SettingsStore& settings_;
    const Look& look_;
    const waktuna::LanguageList& language_;
    DropZoneHooks hooks_;

    std::string first_ = "-", second_ = "-";
    bool transparent_ = false, snap_ = false, remaining_ = false;
    uint8_t alpha_ = 255;
    std::optional<int> alpha_item_;
    int font_height_ = waktuna::kDropZoneFontHeight;
    Font font_;
    // Where the window's top left was put (first place, stored place, a
    // drag); a window grown for its text may stand elsewhere meanwhile.
    waktuna::Point anchor_;
    waktuna::DropZoneSnap snapper_;
    waktuna::DropZoneFlash flash_;
    bool moved_ = false;
};

}  // namespace app
