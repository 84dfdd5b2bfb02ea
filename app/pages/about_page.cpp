#include "pages/about_page.h"

#include <shellapi.h>

#include "ui/controls.h"
#include "win/program_files.h"
#include "waktuna/files/lines.h"
#include "waktuna/pages/about_page.h"

namespace app {

namespace {

enum ControlId : int {
    kVersionId = 2200, kNoticeId, kContactId, kWebId, kLicenceId, kIndonesianId, kEnglishId, kHelpId,
};

constexpr int kPanelTop = 270;  // the bottom panel, down to the page's end

const ControlSpec kControls[] = {
    {kVersionId, "STATIC", SS_LEFT, 8, 6, 300, 24, FontId::kTitle},
    {kNoticeId, "STATIC", SS_LEFT, 8, 34, 414, 58},
    {kContactId, "STATIC", SS_LEFT | SS_NOTIFY, 8, 96, 300, 16},
    {kWebId, "STATIC", SS_LEFT | SS_NOTIFY, 8, 114, 300, 16},
    {kLicenceId, "EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL | WS_TABSTOP, 8, 136, 414, 128,
     FontId::kNormal, 0, "", WS_EX_CLIENTEDGE},
    {kIndonesianId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 8, 276, 80, 22, FontId::kNormal, 0, "Indonesia"},
    {kEnglishId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 92, 276, 80, 22, FontId::kNormal, 0, "English"},
    {kHelpId, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 322, 276, 100, 22, FontId::kBold, waktuna::kLineOpenHelp,
     "Open help"},
};

}  // namespace

void AboutPage::Build() {
    controls_.Create(hwnd(), kControls, host_.GetLook(), host_.Language());
    SetText(controls_[kVersionId], waktuna::AboutVersionCaption());
    SetText(controls_[kNoticeId], waktuna::AboutNotice());
    SetText(controls_[kContactId], std::string(waktuna::kAboutContact));
    SetText(controls_[kWebId], std::string(waktuna::kAboutWeb));
    links_.Set(hwnd(), {controls_[kContactId], controls_[kWebId]}, host_.GetLook(), FontId::kNormal, FontId::kLink);
    ShowLicence(waktuna::kLicenceIndonesian);
}

void AboutPage::ShowLicence(std::string_view fileName) {
    SetWindowTextA(controls_[kLicenceId], LicenceText(host_.ProgramFolder(), fileName).c_str());
}

void AboutPage::OnCommand(int id, int code) {
    if (id == kContactId && code == STN_CLICKED)
        ShellExecuteA(host_.DialogOwner(), "Open", waktuna::AboutMailLink().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    else if (id == kWebId && code == STN_CLICKED)
        ShellExecuteA(host_.DialogOwner(), "open", GetText(controls_[kWebId]).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    else if (id == kIndonesianId && code == BN_CLICKED)
        ShowLicence(waktuna::kLicenceIndonesian);
    else if (id == kEnglishId && code == BN_CLICKED)
        ShowLicence(waktuna::kLicenceEnglish);
    else if (id == kHelpId && code == BN_CLICKED)
        host_.OpenHelp();
}

void AboutPage::PaintPage(HDC dc, const RECT& client) {
    Page::PaintPage(dc, client);
    const waktuna::SkinPalette& palette = host_.GetLook().palette();
    RECT panel = client;
    panel.top = Scale(kPanelTop);
    PaintVerticalGradient(dc, panel, palette.PageColor,
                          palette.SkinNumber > 20 ? palette.PageColor : palette.TintColor);
}

LRESULT AboutPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        // The links take the hand cursor and are underlined while the mouse is over them.
        if (links_.OnSetCursor(reinterpret_cast<HWND>(wp))) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_TIMER:
        if (wp == HoverFont::kTimerId) {
            links_.OnTimer();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        const HWND control = reinterpret_cast<HWND>(lp);
        const LRESULT brush = Page::OnMessage(msg, wp, lp);
        if (control == controls_[kContactId] || control == controls_[kWebId])
            SetTextColor(dc, host_.GetLook().palette().HighlightColor);
        return brush;
    }
    }
    return Page::OnMessage(msg, wp, lp);
}

}  // namespace app
