// The program's own message dialog (UDialog): a picture and title for the
// kind of message, the word-wrapped text, OK and an optional Cancel; an
// entrance effect, optional fading in, dragging by its title strip, and it
// closes itself after 50 seconds. One at a time, modal.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "ui/control_table.h"
#include "ui/look.h"
#include "ui/skinned_window.h"
#include "waktuna/files/language.h"
#include "waktuna/look/dialog_effect.h"
#include "waktuna/watch/watch_actions.h"

namespace app {

// What the caller asks for and what it reads back.
struct DialogRequest {
    waktuna::DialogButtons buttons = waktuna::DialogButtons::Ok;
    std::string text;
    waktuna::DialogKind kind = waktuna::DialogKind::Information;
    int32_t effect = 0;     // used instead of DialogEffect while `sample` is set
    bool sample = false;    // the program settings page shows a sample
    uint8_t result = 0;     // 1 after OK
};

// How the dialog opens: DialogEffect, UseAlphaBlend, and a number from 2 to 8
// for a random effect.
struct DialogOptions {
    int32_t dialog_effect = 0;
    bool use_alpha_blend = false;
    int random_effect = 2;
};

class MessageDialog final : public SkinnedWindow {
public:
    static constexpr const char* kClassName = "WaktunaMessageDialog";
    static constexpr UINT kEffectTick = WM_APP + 20;

    MessageDialog(DialogRequest& request, const DialogOptions& options, const Look& look,
                  const waktuna::LanguageList& language);
    ~MessageDialog() override;

    // Creates the dialog, shows it and runs its message loop until it closes.
    void RunModal(HWND owner);
    // Closes it from outside (result unchanged).
    void Close();

    bool PreTranslate(MSG& msg) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnFinalDestroy() override;
    void PaintBody(HDC dc, const RECT& client) override;
    bool IsDragArea(POINT point) const override;
    COLORREF LabelColour(HWND label) const override;
    void OnCaptionButton(int id) override;
    void OnDpiChanged() override;

private:
    bool Build(HWND owner);
    void Start();
    void ApplyShape(const waktuna::WindowShape& shape);
    // The dialog's own rounded shape at its size and DPI.
    void ApplyRoundedShape();
    void StopEffect();
    void Finish(int result);  // -1: result unchanged

    DialogRequest& request_;
    DialogOptions options_;
    const waktuna::LanguageList& language_;
    PictureStrip kind_picture_;

    std::unique_ptr<waktuna::EntranceEffect> effect_;
    UINT effect_timer_ = 0;
    int alpha_ = waktuna::kFadeStartAlpha;
    int fade_ticks_ = 0;
    int seconds_ = 0;
    bool closed_ = false;

    // The controls: the buttons' places depend on which buttons there are.
    std::array<ControlSpec, 6> table_{};
};

// Runs the program's message dialogs, one at a time: owns the request the
// dialog answers, the dialog while it is open, and the draw of the random
// entrance effect.
class MessageDialogRunner {
public:
    MessageDialogRunner(const Look& look, const waktuna::LanguageList& language)
        : look_(look), language_(language) {}

    // Shows one dialog modally over `owner` and tells whether OK ended it.
    // While one is open, another is dropped (false).
    bool Run(HWND owner, waktuna::DialogButtons buttons, const std::string& text,
             waktuna::DialogKind kind, int32_t effect, bool alphaBlend);
    // The effect a sample shows: any of the eight for Random, Normal included.
    int SampleEffect(int effect);
    bool IsOpen() const { return dialog_ != nullptr; }
    // The open dialog is drawn again (a skin was chosen), or closed.
    void Repaint() const;
    void Close();

private:
    const Look& look_;
    const waktuna::LanguageList& language_;
    DialogRequest request_;
    MessageDialog* dialog_ = nullptr;
    std::mt19937 random_{std::random_device{}()};
};

}  // namespace app
