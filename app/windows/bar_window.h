// The taskbar bar: a thin always-on-top strip in which two texts scroll from
// right to left, sliding or opening into view and leaving again after 50
// seconds. Its motion is the core's BarMotion, driven from a window timer on
// the user-interface thread; it never takes the keyboard focus. The texts
// are drawn once into a bitmap; a step of the motion copies each where it is
// now and fills with the background only the columns a text has left.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "ui/gdi.h"
#include "ui/look.h"
#include "waktuna/files/language.h"
#include "waktuna/look/bar.h"
#include "waktuna/settings/settings_store.h"
#include "ui/window.h"

namespace app {

class BarWindow final : public Window {
public:
    static constexpr const char* kClassName = "WaktunaBar";

    BarWindow(const waktuna::SettingsStore& settings, const Look& look,
              const waktuna::LanguageList& language);

    // Shows the two texts: appearing (or starting over when in view).
    void ShowTexts(const std::string& first, const std::string& second);
    // Reads BarWidth, BarMotion and BarPosition again and re-places the bar.
    void Configure();
    // Gone at once (the message dialog's buttons).
    void HideNow();
    // Leaves the way it came (its Close menu).
    void Close();
    bool InView() const { return motion_.Phase() != waktuna::BarPhase::Hidden; }
    waktuna::BarFrame CurrentFrame() const { return frame_; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override;

private:
    bool EnsureCreated();
    void Tick();
    // The motion timer at the pace of the present phase.
    void ArmTimer();
    void Apply(const waktuna::BarFrame& frame, bool force);
    void OnPaint();
    int TextWidth(const std::string& text);
    // The two texts drawn once, side by side, in the skin's colours; each
    // frame copies them where they are now.
    void MakeImages();
    bool ImagesCurrent() const;
    void DrawTexts(HDC dc);

    const waktuna::SettingsStore& settings_;
    const Look& look_;
    const waktuna::LanguageList& language_;
    waktuna::BarMotion motion_;
    waktuna::BarFrame frame_;
    std::string first_, second_;
    int first_width_ = 0, second_width_ = 0;
    Font font_;
    HDC own_dc_ = nullptr;  // the class's own DC (CS_OWNDC): never released
    Bitmap images_;  // selected into images_dc_ for its whole life
    MemoryDC images_dc_;
    SIZE images_size_{};
    Brush edge_brush_;
    COLORREF drawn_edge_ = 0, drawn_text_ = 0;
    std::string drawn_first_, drawn_second_;
    UINT timer_ms_ = 0;  // the motion timer's period; 0 when stopped
};

}  // namespace app
