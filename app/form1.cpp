#include "form1.h"
#include "waktuna/watch/command_rule.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "ui/controls.h"
#include "pages/main_page.h"
#include "ui/side_caption.h"
#include "ui/message_loop.h"
#include "waktuna/files/lines.h"
#include "waktuna/version.h"
#include "waktuna/watch/clock_timer.h"

namespace app {

using namespace form1;

namespace {

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> table = [] {
        std::vector<ControlSpec> t = {
            {kPageTitleId, "STATIC", SS_NOPREFIX, 12, 7, 420, 16, FontId::kBold},
            {kHeaderTitleId, "STATIC", SS_NOPREFIX, 14, 34, 380, 24, FontId::kTitle,
             waktuna::kLineHeaderTitle},
            {kDateLabelId, "STATIC", SS_NOPREFIX, 14, 60, 420, 16, FontId::kNormal, 0, "Tanggal"},
            {kVersionLabelId, "STATIC", SS_NOPREFIX | SS_RIGHT, Form1::kWidth - 130, 60, 118, 16,
             FontId::kNormal, 0, waktuna::kProgramCaption.data()},
        };
        for (int i = 0; i < waktuna::kPageCount; ++i)
            t.push_back(SideButtonSpec(i, kFirstPageButtonId + i));
        t.push_back({kSavedNoticeId, "STATIC", SS_NOPREFIX | SS_CENTER | SS_CENTERIMAGE, 0, 0, 10,
                     0, FontId::kBold, 0, "Setting saved"});
        return t;
    }();
    return table;
}

bool PageExists(int page) { return FindPage(static_cast<waktuna::Page>(page)) != nullptr; }

}  // namespace

Form1::Form1() : SkinnedWindow(own_look_) {}

Form1::~Form1() { SetUnexpectedErrorHandler(nullptr); }

Form1::Started Form1::Create() {
    SetUnexpectedErrorHandler([this](const std::string& what) { ReportUnexpected(what); });
    if (!tray_.Create(this)) return Started::kFailed;
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna3";
    // No WS_CLIPCHILDREN: the labels are drawn transparently over the skin, so
    // the window paints below them first.
    spec.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    // Tab moves between the side panel and the controls of the open page.
    spec.ex_style = WS_EX_TOPMOST | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    spec.width = Scale(kWidth);
    spec.height = Scale(kHeight);
    spec.x = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    spec.y = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    spec.icon = LoadIconA(Instance(), "MAINICON");
    SkinnedLayout layout;
    layout.caption_height = kCaptionHeight;
    layout.buttons[0] = {kHideButtonId, 26, kHidePicture, "Hide"};
    layout.corner = 13;
    layout.round_bottom = false;
    if (!CreateSkinned(spec, layout)) return Started::kFailed;

    // No Close in the system menu: the program ends through the tray menu.
    DeleteMenu(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    BuildControls();
    tray_.Add();
    return StartUp();
}

RECT Form1::PageArea() const {
    return {Scale(kSideLeft + kSideWidth + 4), Scale(kHeaderBottom + 4), Scale(kWidth - 6),
            Scale(kHeight - 6)};
}

void Form1::OnDpiChanged() {
    SkinnedWindow::OnDpiChanged();
    for (const auto& page : pages_)
        if (page) page->Place(PageArea());
}

void Form1::BuildControls() {
    controls_.Create(hwnd(), Controls(), own_look_, language_);
    for (int i = 0; i < waktuna::kPageCount; ++i) {
        HWND button = controls_[kFirstPageButtonId + i];
        EnableWindow(button, PageExists(i));
        // Hover tracking: the caption turns bold under the mouse.
        SetWindowSubclass(
            button,
            [](HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) -> LRESULT {
                auto* self = reinterpret_cast<Form1*>(ref);
                const int index = GetDlgCtrlID(h) - kFirstPageButtonId;
                if (msg == WM_MOUSEMOVE && self->hot_button_ != index) {
                    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
                    TrackMouseEvent(&tme);
                    self->hot_button_ = index;
                    InvalidateRect(h, nullptr, FALSE);
                } else if (msg == WM_MOUSELEAVE) {
                    self->hot_button_ = -1;
                    InvalidateRect(h, nullptr, FALSE);
                }
                return DefSubclassProc(h, msg, wp, lp);
            },
            1, reinterpret_cast<DWORD_PTR>(this));
    }
}

bool Form1::IsShown() const { return IsWindowVisible(hwnd()) != FALSE; }

void Form1::ShowMain() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

void Form1::HideMain() { ShowWindow(hwnd(), SW_HIDE); }

void Form1::ToggleMain() {
    if (IsShown()) HideMain();
    else ShowMain();
}

MainPage* Form1::MainPanel() const {
    return static_cast<MainPage*>(pages_[waktuna::kPageMain].get());
}

Page* Form1::CurrentPage() const { return pages_[current_page_].get(); }

void Form1::OpenPage(waktuna::Page page) {
    const PageEntry* entry = FindPage(page);
    if (!entry) return;
    if (entry->run) {
        entry->run(*this);
        return;
    }
    auto& slot = pages_[page];
    if (!slot) {
        slot = entry->make(*this);
        if (!slot->Create(hwnd(), PageArea())) {
            slot.reset();
            return;
        }
    }
    if (current_page_ != page && CurrentPage()) CurrentPage()->Show(false);
    current_page_ = page;
    slot->Show(true);
    SetText(controls_[kPageTitleId], waktuna::PageTitle(language_, page));
    for (int i = 0; i < waktuna::kPageCount; ++i)
        InvalidateRect(controls_[kFirstPageButtonId + i], nullptr, FALSE);
}

void Form1::ShowSavedNotice(const std::string& text) {
    SetText(controls_[kSavedNoticeId], text.empty() ? "Setting saved" : text);
    const RECT area = PageArea();
    SetWindowPos(controls_[kSavedNoticeId], HWND_TOP, area.left, area.top, area.right - area.left, 0,
                 SWP_SHOWWINDOW);
    notice_.Start();
    SetTimer(hwnd(), kSavedNoticeTimer, 10, nullptr);
}

void Form1::ArmClockTimer() {
    // Due just after the clock's next whole second: the watch then examines
    // each second as soon as it begins.
    SetTimer(hwnd(), kClockTimer, static_cast<UINT>(waktuna::ClockTimerDelayMs(clock_.Now())),
             nullptr);
}

void Form1::SavedNoticeTick() {
    const bool running = notice_.Tick();
    saved_notice_brush_.reset(CreateSolidBrush(notice_.CurrentColor()));
    HWND notice = controls_[kSavedNoticeId];
    if (!running) {
        KillTimer(hwnd(), kSavedNoticeTimer);
        ShowWindow(notice, SW_HIDE);
        return;
    }
    const RECT area = PageArea();
    SetWindowPos(notice, HWND_TOP, 0, 0, area.right - area.left, Scale(notice_.height),
                 SWP_NOMOVE);
    InvalidateRect(notice, nullptr, TRUE);
}

void Form1::SetDateLabel(const std::string& text) { SetText(controls_[kDateLabelId], text); }

void Form1::PaintBody(HDC dc, const RECT& client) {
    const auto& p = own_look_.palette();
    // The open page paints itself; painting below it only makes it flicker.
    if (Page* page = CurrentPage(); page && IsWindowVisible(page->hwnd())) {
        const RECT r = ChildRect(page->hwnd());
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    RECT header{1, CaptionHeight(), client.right - 1, Scale(kHeaderBottom)};
    PaintVerticalGradient(dc, header, p.PageColor, waktuna::GradientEnd(p));
    RECT body{1, header.bottom, client.right - 1, client.bottom - 1};
    FillSolid(dc, body, p.AccentColor);
    RECT side{Scale(kSideLeft), Scale(kHeaderBottom + 4), Scale(kSideLeft + kSideWidth),
              client.bottom - Scale(6)};
    PaintVerticalGradient(dc, side, p.PageColor, waktuna::GradientEnd(p));
    // The page area: rounded corners (radius 3) around the pages, which sit
    // 5 pixels inside it.
    Pen pen(CreatePen(PS_SOLID, 1, p.EdgeColor));
    Brush fill(CreateSolidBrush(p.PageColor));
    Selection use_pen(dc, pen), use_brush(dc, fill);
    const RECT area = PageArea();
    RoundRect(dc, area.left, area.top, area.right, area.bottom, Scale(6), Scale(6));
}

bool Form1::IsDragArea(POINT point) const {
    // No caption bar of its own: dragging the header moves the window.
    return point.y < Scale(kHeaderBottom);
}

COLORREF Form1::LabelColour(HWND label) const {
    return label == controls_[kPageTitleId] ? own_look_.palette().LightTextColor
                                            : own_look_.palette().LabelTextColor;
}

bool Form1::DrawItem(const DRAWITEMSTRUCT& di) {
    const int index = static_cast<int>(di.CtlID) - kFirstPageButtonId;
    if (index < 0 || index >= waktuna::kPageCount) return false;
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    const auto& p = own_look_.palette();
    RECT r = di.rcItem;
    const bool hot = index == hot_button_;
    const bool selected = index == current_page_;
    if (selected || pressed)
        PaintVerticalGradient(di.hDC, r, p.TintColor, p.AccentColor);
    else
        PaintVerticalGradient(di.hDC, r, p.PageColor, waktuna::GradientEnd(p));
    own_look_.pictures24.Draw(di.hDC, index, r.left + Scale(4),
                           r.top + (r.bottom - r.top - Scale(24)) / 2, Scale(24));
    SetBkMode(di.hDC, TRANSPARENT);
    const bool enabled = (di.itemState & ODS_DISABLED) == 0;
    SetTextColor(di.hDC, enabled ? p.LabelTextColor : GetSysColor(COLOR_GRAYTEXT));
    const SideCaption caption = LayOutSideCaption(di.hDC, own_look_, Dpi(), r, GetText(di.hwndItem));
    Selection font(di.hDC, own_look_.Get(hot ? FontId::kBold : FontId::kNormal, Dpi()));
    DrawSideCaption(di.hDC, caption);
    if (di.itemState & ODS_FOCUS) {
        RECT f = r;
        InflateRect(&f, -2, -2);
        DrawFocusRect(di.hDC, &f);
    }
    return true;
}

void Form1::OnCaptionButton(int id) {
    if (id == kHideButtonId) HideMain();
}

void Form1::WarnCommandRefused(const std::string& command) {
    if (refused_commands_.empty()) PostMessageA(hwnd(), kCommandRefused, 0, 0);
    refused_commands_ += "\r\n" + command;
}

void Form1::WarnRefusedCommands() {
    if (refused_commands_.empty()) return;
    const std::string text =
        language_.Line(waktuna::kLineCommandFromOtherUser) + "\r\n" + refused_commands_;
    refused_commands_.clear();
    ShowMessageDialog(waktuna::DialogButtons::Ok, text, waktuna::DialogKind::Warning);
}

void Form1::ShowErrorLater(const std::string& text) {
    // The same error again while it waits (a handler failing on every
    // repaint) is shown once.
    if (std::find(later_errors_.begin(), later_errors_.end(), text) != later_errors_.end()) return;
    if (later_errors_.empty()) PostMessageA(hwnd(), kErrorsLater, 0, 0);
    later_errors_.push_back(text);
}

void Form1::ShowErrorsLater() {
    // Taken first: an error while a dialog runs queues anew.
    const std::vector<std::string> errors = std::move(later_errors_);
    later_errors_.clear();
    for (const std::string& text : errors)
        ShowMessageDialog(waktuna::DialogButtons::Ok, text, waktuna::DialogKind::Error);
}

void Form1::ReportUnexpected(const std::string& what) {
    ShowErrorLater(language_.Line(waktuna::kLineUnexpectedError) + "\r\n" + (what.empty() ? "?" : what));
}

void Form1::ReportPlayerError(const std::string& text) { ShowErrorLater(text); }

LRESULT Form1::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kErrorsLater:
        ShowErrorsLater();
        return 0;
    case kCommandRefused:
        WarnRefusedCommands();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == controls_[kSavedNoticeId]) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(saved_notice_brush_ ? saved_notice_brush_.get()
                                                                 : GetStockObject(WHITE_BRUSH));
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        if (id >= kFirstPageButtonId && id < kFirstPageButtonId + static_cast<int>(waktuna::kPageCount)) {
            OpenPage(static_cast<waktuna::Page>(id - kFirstPageButtonId));
            return 0;
        }
        if (id >= static_cast<int>(kMenuBase)) {
            RunMenuItem(id - static_cast<int>(kMenuBase));
            return 0;
        }
        if (id == IDCANCEL && lp == 0) {  // Esc
            HideMain();
            return 0;
        }
        break;
    }
    case WM_HOTKEY:
        if (wp == kHotKeyId) ToggleMain();
        return 0;
    case WM_SHOWWINDOW:
        menus_.SetCaption(waktuna::kItemOpen, language_.Line(waktuna::OpenItemLine(wp != 0)));
        // Showing the main window closes an open message dialog; hiding it
        // leaves the page shown in it.
        if (wp) dialogs_.Close();
        else if (Page* page = CurrentPage()) page->Leave();
        break;
    case WM_TIMER:
        if (wp == kSavedNoticeTimer) SavedNoticeTick();
        if (wp == kClockTimer && watch_) {
            // Armed before the watch runs: a message dialog it opens keeps
            // the ticks coming on the second.
            ArmClockTimer();
            watch_->OnClockTick();
        }
        return 0;
    case WM_TIMECHANGE:
        // The clock or the time zone changed: the day and the times again.
        RecomputeTimes();
        ReloadTodayTasks();
        return 0;
    case kCloseLater:
        CloseWhenModalsEnd();
        return 0;
    case WM_CLOSE:
        CloseWhenModalsEnd();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_DESTROY:
        KillTimer(hwnd(), kClockTimer);
        KillTimer(hwnd(), kSavedNoticeTimer);
        UnregisterHotKey(hwnd(), kHotKeyId);
        instance_mutex_.reset();
        tray_.Remove();
        PostQuitMessage(0);
        return 0;
    }
    return SkinnedWindow::OnMessage(msg, wp, lp);
}

}  // namespace app
