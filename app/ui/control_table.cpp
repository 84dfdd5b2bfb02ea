#include "ui/control_table.h"

#include "ui/controls.h"
#include "ui/window.h"
#include "waktuna/calc/numbers.h"

namespace app {

RECT ScaledRect(const ControlSpec& s, int dpi) {
    auto scale = [dpi](int v) { return MulDiv(v, dpi, 96); };
    return {scale(s.x), scale(s.y), scale(s.x + s.w), scale(s.y + s.h)};
}

void ControlSet::Create(HWND parent, std::span<const ControlSpec> table, const Look& look,
                        const waktuna::LanguageList& language) {
    look_ = &look;
    const int dpi = DpiOf(parent);
    for (const ControlSpec& spec : table) {
        const RECT r = ScaledRect(spec, dpi);
        const std::string caption = spec.line ? language.Line(spec.line) : std::string(spec.text);
        HWND control = CreateWindowExA(spec.ex_style, spec.cls, caption.c_str(),
                                       WS_CHILD | WS_VISIBLE | spec.style, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                       Instance(), nullptr);
        if (!control) continue;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(look.Get(spec.font, dpi)), FALSE);
        entries_.push_back({&spec, control});
    }
}

void ControlSet::ApplyLanguage(const waktuna::LanguageList& language) const {
    for (const Entry& e : entries_)
        if (e.spec->line) SetText(e.hwnd, language.Line(e.spec->line));
}

void ControlSet::Rescale(int dpi) const {
    for (const Entry& e : entries_) {
        const RECT r = ScaledRect(*e.spec, dpi);
        SetWindowPos(e.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(e.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(look_->Get(e.spec->font, dpi)), TRUE);
    }
}

HWND ControlSet::Get(int id) const {
    for (const Entry& e : entries_)
        if (e.spec->id == id && id != 0) return e.hwnd;
    return nullptr;
}

bool ControlSet::Contains(HWND control) const {
    for (const Entry& e : entries_)
        if (e.hwnd == control) return true;
    return false;
}

void Bindings::Check(int id, bool* value) { bindings_.push_back({id, Kind::kCheck, value}); }
void Bindings::Text(int id, std::string* value) { bindings_.push_back({id, Kind::kText, value}); }
void Bindings::Number(int id, int32_t* value) { bindings_.push_back({id, Kind::kNumber, value}); }
void Bindings::Choice(int id, int32_t* index) { bindings_.push_back({id, Kind::kChoice, index}); }

void Bindings::ToControls(const ControlSet& controls) const {
    for (const Binding& b : bindings_) {
        HWND c = controls[b.id];
        if (!c) continue;
        switch (b.kind) {
        case Kind::kCheck:
            SendMessageA(c, BM_SETCHECK, *static_cast<bool*>(b.field) ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Kind::kText:
            SetText(c, *static_cast<std::string*>(b.field));
            break;
        case Kind::kNumber:
            SetText(c, waktuna::IntText(*static_cast<int32_t*>(b.field)));
            break;
        case Kind::kChoice:
            SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(*static_cast<int32_t*>(b.field)), 0);
            break;
        }
    }
}

void Bindings::FromControls(const ControlSet& controls) const {
    for (const Binding& b : bindings_) {
        HWND c = controls[b.id];
        if (!c) continue;
        switch (b.kind) {
        case Kind::kCheck:
            *static_cast<bool*>(b.field) = SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
            break;
        case Kind::kText:
            *static_cast<std::string*>(b.field) = GetText(c);
            break;
        case Kind::kNumber:
            *static_cast<int32_t*>(b.field) = waktuna::ReadWholeNumber(GetText(c));
            break;
        case Kind::kChoice:
            *static_cast<int32_t*>(b.field) =
                static_cast<int32_t>(SendMessageA(c, CB_GETCURSEL, 0, 0));
            break;
        }
    }
}

void FillChoices(HWND combo, std::span<const std::string> items) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

}  // namespace app
