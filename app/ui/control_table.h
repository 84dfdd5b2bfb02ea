// A window's child controls described once, as a table: created, captioned
// from the language list, re-captioned when the language changes and placed
// for the DPI by one loop. Bindings move values between the controls and the
// fields of a page's model, in both directions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/look.h"
#include "waktuna/files/language.h"

namespace app {

struct ControlSpec {
    int id = 0;                  // the control's id (0: a label never addressed)
    const char* cls = "STATIC";  // window class
    DWORD style = 0;             // WS_CHILD | WS_VISIBLE are added
    int x = 0, y = 0, w = 0, h = 0;  // pixels at 96 DPI, in the parent's client area
    FontId font = FontId::kNormal;
    int line = 0;                // the caption's language line; 0 keeps `text`
    const char* text = "";
    DWORD ex_style = 0;
};

// The control's rectangle at `dpi`. Each edge is scaled on its own, so
// controls that meet at 96 DPI still meet (no gap, no overlap) at any DPI.
RECT ScaledRect(const ControlSpec& spec, int dpi);

class ControlSet {
public:
    // Creates every control of the table as a child of `parent`, laid out
    // for the parent's DPI. The table and the look must outlive the set
    // (tables are static arrays).
    void Create(HWND parent, std::span<const ControlSpec> table, const Look& look,
                const waktuna::LanguageList& language);
    // Captions from the list for every control with a language line.
    void ApplyLanguage(const waktuna::LanguageList& language) const;
    // Moves, sizes and sets the font of every control for `dpi`.
    void Rescale(int dpi) const;

    // The control with this id; nullptr when there is none.
    HWND Get(int id) const;
    HWND operator[](int id) const { return Get(id); }
    bool Contains(HWND control) const;
    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        const ControlSpec* spec;
        HWND hwnd;
    };
    std::vector<Entry> entries_;
    const Look* look_ = nullptr;
};

// Values of a model shown in controls. Each binding ties a control id to a
// field; ToControls shows the fields, FromControls reads them back.
class Bindings {
public:
    void Check(int id, bool* value);           // check box: ticked = true
    void Text(int id, std::string* value);      // edit box or label: the text as it is
    void Number(int id, int32_t* value);        // edit box: a whole number, read leniently
    void Choice(int id, int32_t* index);        // drop-down list: the selected item, -1 none

    void ToControls(const ControlSet& controls) const;
    void FromControls(const ControlSet& controls) const;

private:
    enum class Kind : uint8_t { kCheck, kText, kNumber, kChoice };
    struct Binding {
        int id;
        Kind kind;
        void* field;
    };
    std::vector<Binding> bindings_;
};

// Fills a drop-down list with texts (replacing what it held).
void FillChoices(HWND combo, std::span<const std::string> items);

}  // namespace app
