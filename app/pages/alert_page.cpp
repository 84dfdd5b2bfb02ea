#include "pages/alert_page.h"

#include <algorithm>

#include <commctrl.h>

#include "ui/controls.h"
#include "ui/group_box.h"
#include "pages/page_save.h"
#include "ui/skin_paint.h"
#include "waktuna/calc/datetime.h"
#include "waktuna/files/lines.h"

namespace app {

namespace {

enum ControlId : int {
    kBeforeId = 100,
    kBeforeMinutesId,
    kMessageId,
    kMinimizeId,
    kAdzanId,
    kShutdownId,
    kHibernateId,
    kAfterId,
    kAfterMinutesId,
    kShutdownAfterId,
    kHibernateAfterId,
    kDelayId,
    kFridayId,
    kFridayTimeId,
    kInformationId,
    kInformationMinutesId,
    kMinutesLabelId,
    kSaveId,
    kImsakId,
};

constexpr int kStripTop = 222;  // the bottom strip, below the three groups

constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kNumber = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

const ControlSpec kControls[] = {
    {0, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, 2, 416, 46,
     FontId::kNormal, waktuna::kLineBeforePrayerTimesArrived, "Before prayer times arrived"},
    {kBeforeId, "BUTTON", kCheck, 18, 20, 150, 20,
     FontId::kNormal, waktuna::kLineShowMessageBefore, "Show message before"},
    {kBeforeMinutesId, "EDIT", kNumber, 0, 20, 48, 20, FontId::kNormal, 0, "5"},
    {kImsakId, "BUTTON", kCheck, 250, 20, 168, 20,
     FontId::kNormal, waktuna::kLineShowImsakMessage, "Show message at Imsak"},
    {0, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, 52, 416, 104,
     FontId::kNormal, waktuna::kLineWhenPrayerTimesArrived, "When prayer times arrived"},
    {kMessageId, "BUTTON", kCheck, 18, 70, 300, 18,
     FontId::kNormal, waktuna::kLineShowMessageNotification, "Show message notification"},
    {kMinimizeId, "BUTTON", kCheck, 18, 90, 300, 18,
     FontId::kNormal, waktuna::kLineMinimizeAllWindows, "Minimize all windows"},
    {kAdzanId, "BUTTON", kCheck, 18, 110, 300, 18,
     FontId::kNormal, waktuna::kLinePlayAdzanOrSound, "Play adzan or sound"},
    {kShutdownId, "BUTTON", kCheck, 18, 130, 150, 18,
     FontId::kNormal, waktuna::kLineShutdownMyPc, "Shutdown my PC"},
    {kHibernateId, "BUTTON", kCheck, 0, 130, 150, 18,
     FontId::kNormal, waktuna::kLineHibernateMyPc, "Hibernate my PC"},
    {0, "BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, 8, 160, 416, 58,
     FontId::kNormal, waktuna::kLineAfterPrayerTimes, "After prayer times"},
    {kAfterId, "BUTTON", kCheck, 18, 176, 150, 20,
     FontId::kNormal, waktuna::kLineShowMessageAfter, "Show message after"},
    {kAfterMinutesId, "EDIT", kNumber, 0, 176, 48, 20, FontId::kNormal, 0, "5"},
    {kShutdownAfterId, "BUTTON", kCheck, 18, 196, 150, 20,
     FontId::kNormal, waktuna::kLineShutdownMyPcAfter, "Shutdown my PC after"},
    {kHibernateAfterId, "BUTTON", kCheck, 0, 196, 150, 20,
     FontId::kNormal, waktuna::kLineHibernateAfter, "Hibernate after"},
    {kDelayId, "EDIT", kNumber, 0, 196, 48, 20, FontId::kNormal, 0, "5"},
    {kFridayId, "BUTTON", kCheck, 10, kStripTop + 8, 150, 20,
     FontId::kNormal, waktuna::kLineMessageForFridayPrayer, "Message for Friday prayer"},
    {kFridayTimeId, DATETIMEPICK_CLASSA, WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN, 0, kStripTop + 8,
     90, 22},
    {kInformationId, "BUTTON", kCheck, 10, kStripTop + 36, 150, 20,
     FontId::kNormal, waktuna::kLineShowInformationEvery, "Show information prayer times every"},
    {kInformationMinutesId, "EDIT", kNumber, 0, kStripTop + 36, 48, 20, FontId::kNormal, 0, "10"},
    {kMinutesLabelId, "STATIC", SS_NOPREFIX | SS_CENTERIMAGE, 0, kStripTop + 36, 60, 20,
     FontId::kNormal, waktuna::kLineMinutes, "Minutes"},
    {kSaveId, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 334, kStripTop + 5, 90, 26,
     FontId::kNormal, waktuna::kLineAlertSave, "Save"},
};

// Which control stands right of which, and how far (pixels at 96 DPI).
struct Beside {
    int id, after, gap;
};
constexpr Beside kBeside[] = {
    {kBeforeMinutesId, kBeforeId, 5},      {kHibernateId, kShutdownId, 5},
    {kAfterMinutesId, kAfterId, 5},        {kHibernateAfterId, kShutdownAfterId, 5},
    {kDelayId, kHibernateAfterId, 5},      {kFridayTimeId, kFridayId, 5},
    {kInformationMinutesId, kInformationId, 4}, {kMinutesLabelId, kInformationMinutesId, 4},
};

SYSTEMTIME ToSystemTime(waktuna::DateTime value) {
    const waktuna::Ymd d = waktuna::DecodeDate(value >= 1 ? value : waktuna::LocalNow());
    const waktuna::Hms t = waktuna::DecodeTime(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(d.year);
    st.wMonth = static_cast<WORD>(d.month);
    st.wDay = static_cast<WORD>(d.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

waktuna::DateTime FromSystemTime(const SYSTEMTIME& st) {
    return waktuna::EncodeDate(st.wYear, st.wMonth, st.wDay) +
           waktuna::EncodeTime(st.wHour, st.wMinute, st.wSecond);
}

}  // namespace

void AlertPage::Build() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    controls_.Create(hwnd(), kControls, host_.GetLook(), host_.Language());
    SendMessageA(controls_[kFridayTimeId], DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm:ss"));
    // The Save caption turns bold while the mouse is over the button.
    SetWindowSubclass(
        controls_[kSaveId],
        [](HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) -> LRESULT {
            const Look& look = *reinterpret_cast<const Look*>(ref);
            const auto font = [&](FontId id) {
                const auto wanted = reinterpret_cast<WPARAM>(look.Get(id, DpiOf(GetParent(h))));
                if (SendMessageA(h, WM_GETFONT, 0, 0) != static_cast<LRESULT>(wanted))
                    SendMessageA(h, WM_SETFONT, wanted, TRUE);
            };
            if (msg == WM_MOUSEMOVE) {
                TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
                TrackMouseEvent(&tme);
                font(FontId::kBold);
            } else if (msg == WM_MOUSELEAVE) {
                font(FontId::kNormal);
            }
            return DefSubclassProc(h, msg, wp, lp);
        },
        1, reinterpret_cast<DWORD_PTR>(&host_.GetLook()));
    model_.friday_time = waktuna::LocalNow();

    bindings_.Check(kBeforeId, &model_.before);
    bindings_.Text(kBeforeMinutesId, &model_.before_minutes);
    bindings_.Check(kImsakId, &model_.imsak);
    bindings_.Check(kMessageId, &model_.message);
    bindings_.Check(kMinimizeId, &model_.minimize);
    bindings_.Check(kAdzanId, &model_.adzan);
    bindings_.Check(kShutdownId, &model_.shutdown);
    bindings_.Check(kHibernateId, &model_.hibernate);
    bindings_.Check(kAfterId, &model_.after);
    bindings_.Text(kAfterMinutesId, &model_.after_minutes);
    bindings_.Check(kShutdownAfterId, &model_.shutdown_after);
    bindings_.Check(kHibernateAfterId, &model_.hibernate_after);
    bindings_.Text(kDelayId, &model_.delay_minutes);
    bindings_.Check(kFridayId, &model_.friday);
    bindings_.Check(kInformationId, &model_.information);
    bindings_.Text(kInformationMinutesId, &model_.information_minutes);
    LayOut();
}

void AlertPage::OnDpiChanged() {
    Page::OnDpiChanged();
    LayOut();
    ApplyColours();  // the strip's brush is as high as the strip
}

void AlertPage::ApplyLanguage() {
    Page::ApplyLanguage();
    LayOut();
}

namespace {

int TextWidth(HDC dc, const std::string& text, HFONT font) {
    Selection selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

void AlertPage::LayOut() {
    // Check boxes fit their captions; the boxes beside them follow.
    const int dpi = Dpi();
    WindowDC dc(hwnd());
    // The box's width as Windows gives it, at the page's DPI.
    const int box = MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, SystemDpi());
    for (const ControlSpec& spec : kControls) {
        if (std::string_view(spec.cls) != "BUTTON" || (spec.style & BS_TYPEMASK) != BS_AUTOCHECKBOX)
            continue;
        HWND check = controls_[spec.id];
        const std::string caption = GetText(check);
        // Hinted text does not grow exactly with the DPI: a layout is never
        // narrower than the 96-DPI one scaled, so the page keeps its shape.
        const int text = std::max(TextWidth(dc, caption, host_.GetLook().Get(FontId::kNormal, dpi)),
                                  Scale(TextWidth(dc, caption, host_.GetLook().Get(FontId::kNormal, 96))));
        RECT r = ChildRect(check);
        const int width = text + box + Scale(8);
        SetWindowPos(check, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    for (const Beside& b : kBeside) {
        const RECT left = ChildRect(controls_[b.after]);
        const RECT own = ChildRect(controls_[b.id]);
        SetWindowPos(controls_[b.id], nullptr, left.right + MulDiv(b.gap, dpi, 96), own.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
}

void AlertPage::Refresh() {
    model_.Load(host_.Settings());
    ShowModel();
}

void AlertPage::ShowModel() {
    bindings_.ToControls(controls_);
    SYSTEMTIME st = ToSystemTime(model_.friday_time);
    SendMessageA(controls_[kFridayTimeId], DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    EnableWindow(controls_[kBeforeMinutesId], model_.BeforeBoxEnabled());
    EnableWindow(controls_[kAfterMinutesId], model_.AfterBoxEnabled());
    EnableWindow(controls_[kDelayId], model_.DelayBoxEnabled());
    EnableWindow(controls_[kFridayTimeId], model_.FridayTimeEnabled());
    EnableWindow(controls_[kInformationMinutesId], model_.InformationBoxEnabled());
}

void AlertPage::ReadControls() {
    bindings_.FromControls(controls_);
    SYSTEMTIME st{};
    if (SendMessageA(controls_[kFridayTimeId], DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) ==
        GDT_VALID)
        model_.friday_time = FromSystemTime(st);
}

void AlertPage::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kSaveId) {
        ReadControls();
        Save();
        return;
    }
    const bool ticked = SendMessageA(controls_[id], BM_GETCHECK, 0, 0) == BST_CHECKED;
    ReadControls();
    switch (id) {
    case kShutdownId: model_.ClickShutdown(ticked); break;
    case kHibernateId: model_.ClickHibernate(ticked); break;
    case kShutdownAfterId: model_.ClickShutdownAfter(ticked); break;
    case kHibernateAfterId: model_.ClickHibernateAfter(ticked); break;
    default: break;
    }
    ShowModel();
}

void AlertPage::Save() {
    std::optional<std::string> refusal;
    if (const auto line = model_.Validate()) refusal = host_.Language().Line(*line);
    if (!StoreOrReport(host_, refusal, model_)) return;
    host_.LoadSettings();
    // This page's notice names it: "Main message info setting".
    host_.ShowSavedNotice(host_.Language().Line(waktuna::kLineAlertPageTitle));
}

RECT AlertPage::StripRect() const {
    RECT strip{};
    GetClientRect(hwnd(), &strip);
    strip.top = Scale(kStripTop);
    return strip;
}

void AlertPage::ApplyColours() {
    // The bottom strip: the page colour fading to the tint (above skin 20,
    // to the page colour itself), kept as a pattern brush one strip high.
    const RECT strip = StripRect();
    const int height = strip.bottom > strip.top ? strip.bottom - strip.top : 1;
    const auto& p = host_.GetLook().palette();
    WindowDC screen(nullptr);
    Bitmap bitmap(CreateCompatibleBitmap(screen, 8, height));
    {
        const MemoryDC dc(CreateCompatibleDC(screen));
        Selection selected(dc, bitmap);
        PaintVerticalGradient(dc, {0, 0, 8, height}, p.PageColor,
                              p.SkinNumber > 20 ? p.PageColor : p.TintColor);
    }
    strip_brush_.reset(CreatePatternBrush(bitmap));
    Page::ApplyColours();
}

void AlertPage::PaintPage(HDC dc, const RECT& client) {
    Page::PaintPage(dc, client);
    const RECT strip = StripRect();
    SetBrushOrgEx(dc, 0, strip.top, nullptr);
    FillRect(dc, &strip, strip_brush_);
}

LRESULT AlertPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC)
        FillGroupBox(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), page_brush_);
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
        // Labels and check boxes of the bottom strip stand on its gradient.
        HWND control = reinterpret_cast<HWND>(lp);
        const RECT r = ChildRect(control);
        const int top = StripRect().top;
        if (r.top >= top && GetDlgCtrlID(control) != kInformationMinutesId) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, host_.GetLook().palette().LabelTextColor);
            SetBrushOrgEx(dc, -r.left, top - r.top, nullptr);
            return reinterpret_cast<LRESULT>(strip_brush_.get());
        }
    }
    return Page::OnMessage(msg, wp, lp);
}

}  // namespace app
