#include "windows/message_dialog.h"

#include <mmsystem.h>
#include <windowsx.h>

#include "ui/controls.h"
#include "ui/message_loop.h"
#include "waktuna/files/lines.h"
#include "waktuna/version.h"

namespace app {

namespace {

enum : UINT_PTR { kFadeTimer = 1, kSecondTimer = 2 };
enum ControlId : int {
    kOkId = IDOK,
    kCancelId = IDCANCEL,
    kCloseId = 100,
    kVersionId,
    kTitleId,
    kTextId,
    kPanelCaptionId
};

// Layout, pixels at 96 DPI.
constexpr int kTitle = waktuna::kDialogTitleHeight;
constexpr int kPanelTop = 116;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 10;

const std::string kVersionCaption(waktuna::kProgramCaption);

// Runs on the multimedia-timer thread: it only asks the dialog to take its
// next step on the user-interface thread.
void CALLBACK EffectTimerProc(UINT, UINT, DWORD_PTR hwnd, DWORD_PTR, DWORD_PTR) {
    PostMessageA(reinterpret_cast<HWND>(hwnd), MessageDialog::kEffectTick, 0, 0);
}

HRGN MakeRegion(const waktuna::WindowShape& shape) {
    auto part = [](const waktuna::ShapePart& p) -> HRGN {
        switch (p.kind) {
        case waktuna::ShapePart::kEllipse:
            return CreateEllipticRgn(p.box.left, p.box.top, p.box.right, p.box.bottom);
        case waktuna::ShapePart::kRoundRectangle:
            return CreateRoundRectRgn(p.box.left, p.box.top, p.box.right, p.box.bottom, p.corner,
                                      p.corner);
        case waktuna::ShapePart::kPolygon: {
            std::vector<POINT> pts;
            for (auto& q : p.points) pts.push_back({q.x, q.y});
            return CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), ALTERNATE);
        }
        default:
            return CreateRectRgn(p.box.left, p.box.top, p.box.right, p.box.bottom);
        }
    };
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const auto& p : shape.add) {
        CombineRgn(region, region, Region(part(p)), RGN_OR);
    }
    for (const auto& p : shape.remove) {
        CombineRgn(region, region, Region(part(p)), RGN_DIFF);
    }
    return region;
}

}  // namespace

MessageDialog::MessageDialog(DialogRequest& request, const DialogOptions& options,
                             const Look& look, const waktuna::LanguageList& language)
    : SkinnedWindow(look), request_(request), options_(options), language_(language) {}

MessageDialog::~MessageDialog() { StopEffect(); }

bool MessageDialog::Build(HWND owner) {
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna3";
    spec.style = WS_POPUP | WS_CLIPSIBLINGS;
    spec.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (options_.use_alpha_blend ? WS_EX_LAYERED : 0);
    CentreOnWorkArea(spec, waktuna::kDialogWidth, waktuna::kDialogHeight, Dpi());
    spec.parent = owner;
    SkinnedLayout layout;
    layout.caption_height = kTitle;
    layout.buttons[0] = {kCloseId, 24, kClosePicture, "Close"};
    if (!CreateSkinned(spec, layout)) return false;
    if (options_.use_alpha_blend) SetLayeredWindowAttributes(hwnd(), 0, waktuna::kFadeStartAlpha, LWA_ALPHA);

    const auto place = waktuna::PlaceButtons(request_.buttons, waktuna::kDialogWidth,
                                             kButtonWidth, kButtonGap);
    const int by = kPanelTop + 21;
    constexpr DWORD kLabel = SS_NOPREFIX;
    table_ = {{
        {kVersionId, "STATIC", kLabel | SS_LEFT, 8, 7, 200, 16, FontId::kBold},
        {kTitleId, "STATIC", kLabel | SS_CENTER, 2, 74, 80, 16, FontId::kBold},
        {kTextId, "STATIC", kLabel | SS_LEFT | SS_EDITCONTROL, 84, 38, 216, 72},
        {kPanelCaptionId, "STATIC", kLabel | SS_LEFT, 10, kPanelTop + 4, 290, 14},
        {kOkId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, place.ok_left, by, kButtonWidth, kButtonHeight,
         FontId::kNormal, waktuna::kLineOk},
        {kCancelId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, place.cancel_left, by, kButtonWidth,
         kButtonHeight, FontId::kNormal, waktuna::kLineCancel},
    }};
    controls_.Create(hwnd(), table_, look(), language_);
    SetText(controls_[kVersionId], kVersionCaption);
    const auto kind = static_cast<uint8_t>(request_.kind);
    if (const char* picture = waktuna::DialogPictureName(kind)) kind_picture_.Load(picture);
    SetText(controls_[kTitleId], waktuna::DialogTitle(language_, kind));
    SetText(controls_[kTextId], request_.text);
    SetText(controls_[kPanelCaptionId], kVersionCaption + " - prayer times reminder");
    if (!place.cancel_visible) ShowWindow(controls_[kCancelId], SW_HIDE);
    ApplyRoundedShape();
    SetTimer(hwnd(), kSecondTimer, 1000, nullptr);
    return true;
}

void MessageDialog::Start() {
    const int effect = waktuna::ChooseEffect(
        request_.sample ? request_.effect : options_.dialog_effect, options_.random_effect);
    RECT r;
    GetWindowRect(hwnd(), &r);
    effect_ = std::make_unique<waktuna::EntranceEffect>(effect, r.right - r.left, r.bottom - r.top);
    if (effect_->Animated()) {
        ApplyShape(waktuna::EntranceEffect::StartShape());
        effect_timer_ = timeSetEvent(10, 1, EffectTimerProc, reinterpret_cast<DWORD_PTR>(hwnd()),
                                     TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
        if (!effect_timer_) ApplyRoundedShape();
    }
    if (options_.use_alpha_blend) {
        alpha_ = waktuna::kFadeStartAlpha;
        fade_ticks_ = 0;
        SetTimer(hwnd(), kFadeTimer, 50, nullptr);
    }
}

void MessageDialog::RunModal(HWND owner) {
    if (!Build(owner)) return;
    Start();
    // The program may end the dialog as if cancelled (it is closing).
    RunModalWindow(
        owner, hwnd(),
        request_.buttons == waktuna::DialogButtons::OkCancel ? controls_[kCancelId] : controls_[kOkId],
        [this] { Finish(0); }, [this] { return closed_; });
    if (!closed_ && hwnd()) DestroyWindow(hwnd());
}

bool MessageDialog::PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd()) return false;
    const bool on_ok = msg.hwnd == controls_[kOkId], on_cancel = msg.hwnd == controls_[kCancelId];
    if (!on_ok && !on_cancel && msg.hwnd != hwnd() && GetParent(msg.hwnd) != hwnd()) return false;
    switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
        if (on_ok && IsWindowVisible(controls_[kCancelId])) SetFocus(controls_[kCancelId]);
        else if (on_cancel) SetFocus(controls_[kOkId]);
        return true;
    case VK_RETURN:
        if (request_.buttons == waktuna::DialogButtons::Ok) Finish(-1);
        else if (on_cancel) SendMessageA(hwnd(), WM_COMMAND, kCancelId, 0);
        else if (on_ok) SendMessageA(hwnd(), WM_COMMAND, kOkId, 0);
        else return false;
        return true;
    case VK_ESCAPE:
        Finish(0);
        return true;
    }
    return false;
}

void MessageDialog::ApplyShape(const waktuna::WindowShape& shape) {
    SetWindowRgn(hwnd(), MakeRegion(shape), TRUE);  // the window owns the region now
}

void MessageDialog::ApplyRoundedShape() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    ApplyShape(waktuna::RoundedDialogShape(r.right - r.left, r.bottom - r.top, Dpi()));
}

void MessageDialog::StopEffect() {
    if (effect_timer_) {
        timeKillEvent(effect_timer_);  // synchronous: no callback runs after this
        effect_timer_ = 0;
    }
}

void MessageDialog::Finish(int result) {
    if (closed_ || !hwnd()) return;
    if (result >= 0) request_.result = static_cast<uint8_t>(result);
    StopEffect();
    KillTimer(hwnd(), kFadeTimer);
    KillTimer(hwnd(), kSecondTimer);
    DestroyWindow(hwnd());
}

void MessageDialog::Close() { Finish(-1); }

void MessageDialog::OnFinalDestroy() {
    closed_ = true;
    request_.sample = false;
}

void MessageDialog::PaintBody(HDC dc, const RECT& client) {
    const auto& p = look().palette();
    FillSolid(dc, client, p.PageColor);
    RECT panel{Scale(3), Scale(kPanelTop), client.right - Scale(3), client.bottom - Scale(3)};
    PaintVerticalGradient(dc, panel, p.PageColor, waktuna::GradientEnd(p));
    kind_picture_.Draw(dc, 0, Scale(26), Scale(38), Scale(32));
}

bool MessageDialog::IsDragArea(POINT point) const {
    const RECT caption = ChildRect(controls_[kPanelCaptionId]);
    return point.y < CaptionHeight() || PtInRect(&caption, point);
}

COLORREF MessageDialog::LabelColour(HWND label) const {
    const auto& p = look().palette();
    return label == controls_[kVersionId]   ? p.LightTextColor
           : label == controls_[kPanelCaptionId] ? p.BandColor
                                     : p.LabelTextColor;
}

void MessageDialog::OnCaptionButton(int) { Finish(0); }

void MessageDialog::OnDpiChanged() {
    SkinnedWindow::OnDpiChanged();
    if (!effect_timer_) ApplyRoundedShape();
}

LRESULT MessageDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kEffectTick:
        if (effect_ && effect_timer_) {
            ApplyShape(effect_->Step());
            if (effect_->Finished()) {
                StopEffect();
                ApplyRoundedShape();
            }
        }
        return 0;
    case WM_TIMER:
        if (wp == kFadeTimer) {
            ++fade_ticks_;
            if (alpha_ < 255) {
                alpha_ = waktuna::NextFadeAlpha(alpha_);
                SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
            }
            if (fade_ticks_ >= waktuna::kFadeCloseTick) Finish(0);
        } else if (wp == kSecondTimer) {
            if (++seconds_ >= waktuna::kSecondsCloseTick) Finish(-1);
        }
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case kOkId:
            Finish(1);
            return 0;
        case kCancelId:
            request_.sample = false;
            Finish(0);
            return 0;
        }
        break;
    case WM_CLOSE:
        Finish(-1);
        return 0;
    }
    return SkinnedWindow::OnMessage(msg, wp, lp);
}

bool MessageDialogRunner::Run(HWND owner, waktuna::DialogButtons buttons, const std::string& text,
                              waktuna::DialogKind kind, int32_t effect, bool alphaBlend) {
    const OnlyOne<MessageDialog> only;
    if (!only) return false;  // one at a time: this message is dropped
    request_.buttons = buttons;
    request_.text = text;
    request_.kind = kind;
    // A confirmation never inherits an earlier OK: only this dialog's OK counts.
    request_.result = 0;
    DialogOptions options;
    options.dialog_effect = effect;
    options.use_alpha_blend = alphaBlend;
    options.random_effect = std::uniform_int_distribution<int>(2, waktuna::kEffectLast)(random_);
    MessageDialog dialog(request_, options, look_, language_);
    dialog_ = &dialog;
    dialog.RunModal(owner);
    dialog_ = nullptr;
    return request_.result == 1;
}

int MessageDialogRunner::SampleEffect(int effect) {
    if (effect != waktuna::kEffectRandom) return effect;
    return std::uniform_int_distribution<int>(waktuna::kEffectNormal, waktuna::kEffectLast)(random_);
}

void MessageDialogRunner::Close() {
    if (dialog_) dialog_->Close();
}

void MessageDialogRunner::Repaint() const {
    if (dialog_ && dialog_->hwnd()) InvalidateRect(dialog_->hwnd(), nullptr, TRUE);
}

}  // namespace app
