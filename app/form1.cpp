#include "form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls.h"
#include "main_page.h"
#include "waktuna/saved_notice.h"

namespace app {

namespace {

enum TimerId : UINT_PTR { kClockTimer = 1, kSavedNoticeTimer = 2 };
enum ControlId : int { kHideButtonId = 100, kFirstPageButtonId = 200 };
// Menu command identifiers are the item numbers plus this.
constexpr UINT kMenuBase = 1000;

// Layout of the main window, pixels at 96 DPI.
constexpr int kCaptionHeight = 29;
constexpr int kHeaderBottom = 82;
constexpr int kSideLeft = 6, kSideWidth = 130;
constexpr int kButtonTop = 88, kButtonHeight = 38;

// The pages built so far; the others come with their own windows.
bool PageAvailable(waktuna::Page page) { return page == waktuna::kPageMain; }

}  // namespace

Form1::Form1() = default;

Form1::~Form1() {
    if (tray_menu_) DestroyMenu(tray_menu_);
    for (HFONT f : {font_, font_bold_, font_title_, font_caption_})
        if (f) DeleteObject(f);
    if (saved_notice_brush_) DeleteObject(saved_notice_brush_);
    if (instance_mutex_) CloseHandle(instance_mutex_);
    if (settings_key_) RegCloseKey(settings_key_);
}

Form1::Started Form1::Create() {
    if (!tray_.Create(this)) return Started::kFailed;
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna3";
    // No WS_CLIPCHILDREN: the labels are drawn transparently over the skin, so
    // the window paints below them first.
    spec.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    spec.ex_style = WS_EX_TOPMOST | WS_EX_APPWINDOW;
    spec.width = Scale(kWidth);
    spec.height = Scale(kHeight);
    spec.x = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    spec.y = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    spec.icon = LoadIconA(Instance(), "MAINICON");
    if (!CreateWin(spec)) return Started::kFailed;

    // No Close in the system menu: the program ends through the tray menu.
    DeleteMenu(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    BuildTrayMenu();
    pictures24_.Load("FORM1_IMAGELIST24");
    pictures16_.Load("FORM1_IMAGELIST16");
    BuildControls();
    tray_.Add();
    return StartUp();
}

bool Form1::IsFirstInstance() {
    instance_mutex_ = CreateMutexA(nullptr, FALSE, kMutexName);
    if (!instance_mutex_) return false;
    // The first instance owns the mutex for its whole life; a later one finds
    // it owned and times out at once.
    return WaitForSingleObject(instance_mutex_, 0) != WAIT_TIMEOUT;
}

Form1::Started Form1::StartUp() {
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Waktuna3", 0, KEY_READ | KEY_WRITE,
                      &settings_key_) != ERROR_SUCCESS)
        settings_key_ = nullptr;

    if (!IsFirstInstance()) {
        tray_.Remove();
        DWORD value = 0, size = sizeof value, type = 0;
        HWND first = nullptr;
        if (settings_key_ &&
            RegQueryValueExA(settings_key_, "Hwnd", nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof value)
            first = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
        if (settings_key_) RegCloseKey(settings_key_);
        settings_key_ = nullptr;
        if (first) ShowWindow(first, SW_SHOWNORMAL);
        DestroyWindow(tray_.hwnd());
        return Started::kSecond;
    }
    if (settings_key_) {
        const DWORD value =
            static_cast<DWORD>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd())));
        RegSetValueExA(settings_key_, "Hwnd", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }

    SetText(version_label_, "Waktuna v3.10");
    SetText(page_title_, "Waktuna");
    ApplySkinNumber(0);

    HRGN region = CreateRoundRectRgn(0, 0, Scale(kWidth) + 1, Scale(kHeight) + 14, 13, 13);
    SetWindowRgn(hwnd(), region, FALSE);
    Layout();

    SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    ShowWindow(saved_notice_, SW_HIDE);

    main_page_ = std::make_unique<MainPage>(skin_, language_);
    main_page_->Create(hwnd(), page_area_);
    OpenPage(waktuna::kPageMain);

    ShowWindow(hwnd(), SW_HIDE);
    ApplyTexts();
    RegisterHotKeyFrom("");
    return Started::kFirst;
}

void Form1::BuildTrayMenu() {
    tray_menu_ = CreatePopupMenu();
    adzan_menu_ = CreatePopupMenu();
    multimedia_menu_ = CreatePopupMenu();
    for (const auto& item : waktuna::TrayMenuItems()) {
        HMENU target = item.submenu == waktuna::kItemAdzan        ? adzan_menu_
                       : item.submenu == waktuna::kItemMultimedia ? multimedia_menu_
                                                                  : tray_menu_;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
        mi.wID = kMenuBase + static_cast<UINT>(item.number);
        if (!item.initial_caption) {
            mi.fType = MFT_SEPARATOR;
        } else {
            mi.dwTypeData = const_cast<char*>(item.initial_caption);
        }
        if (item.number == waktuna::kItemAdzan || item.number == waktuna::kItemMultimedia) {
            // The two player submenus are shown only while their player exists.
            continue;
        }
        const bool later = item.number == waktuna::kItemProgramSetting ||
                           item.number == waktuna::kItemPrayerTimesSetting ||
                           item.number == waktuna::kItemMessageSetting ||
                           item.number == waktuna::kItemScheduleMaker ||
                           item.number == waktuna::kItemTaskScheduler ||
                           item.number == waktuna::kItemConverter ||
                           item.number == waktuna::kItemAbout ||
                           item.number == waktuna::kItemDropZone;
        if (later) mi.fState = MFS_GRAYED;
        InsertMenuItemA(target, GetMenuItemCount(target), TRUE, &mi);
    }
    SetMenuDefaultItem(tray_menu_, kMenuBase + waktuna::kItemOpen, FALSE);
}

void Form1::BuildControls() {
    font_ = MakeFont("Arial", 9);
    font_bold_ = MakeFont("Arial", 9, true);
    font_title_ = MakeFont("Arial", 14, true);
    font_caption_ = MakeFont("Arial", 9, true);
    page_title_ = MakeLabel(hwnd(), "", 12, 7, 420, 16, font_caption_);
    hide_button_ = MakeChild(hwnd(), "BUTTON", "Hide", BS_OWNERDRAW, kWidth - 26, 6, 16, 16,
                             kHideButtonId);
    header_title_ = MakeLabel(hwnd(), "", 14, 34, 380, 24, font_title_);
    date_label_ = MakeLabel(hwnd(), "Tanggal", 14, 60, 420, 16, font_);
    version_label_ = MakeLabel(hwnd(), "", kWidth - 130, 60, 118, 16, font_, SS_RIGHT);
    for (int i = 0; i < waktuna::kPageCount; ++i) {
        page_buttons_[i] = MakeChild(hwnd(), "BUTTON", "", BS_OWNERDRAW | WS_TABSTOP,
                                     kSideLeft + 4, kButtonTop + i * kButtonHeight,
                                     kSideWidth - 8, kButtonHeight - 4, kFirstPageButtonId + i,
                                     font_);
        EnableWindow(page_buttons_[i], PageAvailable(static_cast<waktuna::Page>(i)));
        // Hover tracking: the caption turns bold under the mouse.
        SetWindowSubclass(
            page_buttons_[i],
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
    saved_notice_ = MakeLabel(hwnd(), "Setting saved", 0, 0, 10, 0, font_bold_,
                              SS_CENTER | SS_CENTERIMAGE);
}

void Form1::Layout() {
    page_area_ = {Scale(kSideLeft + kSideWidth + 4), Scale(kHeaderBottom + 4),
                  Scale(kWidth - 6), Scale(kHeight - 6)};
}

void Form1::ApplySkinNumber(int32_t n) {
    ApplySkin(n, skin_);
    if (main_page_) main_page_->ApplyColours();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Form1::ApplyTexts() {
    // Until the language list is loaded the controls keep their built-in captions.
    if (language_.Count() == 0) {
        SetText(header_title_, "Prayer times reminder");
    } else {
        SetText(header_title_, language_.Line(48));
        for (const auto& item : waktuna::TrayMenuItems())
            if (item.language_line && item.number != waktuna::kItemOpen)
                SetMenuCaption(item.number, language_.Line(item.language_line));
        SetMenuCaption(waktuna::kItemOpen, language_.Line(waktuna::OpenItemLine(IsShown())));
    }
    for (int i = 0; i < waktuna::kPageCount; ++i)
        SetText(page_buttons_[i], language_.Count()
                                      ? waktuna::PageButtonCaption(language_,
                                                                   static_cast<waktuna::Page>(i))
                                      : "");
    if (main_page_) main_page_->ApplyLanguage();
}

void Form1::SetMenuCaption(int item, const std::string& caption) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<char*>(caption.c_str());
    SetMenuItemInfoA(tray_menu_, kMenuBase + static_cast<UINT>(item), FALSE, &mi);
}

void Form1::RegisterHotKeyFrom(const std::string& text) {
    UnregisterHotKey(hwnd(), kHotKeyId);
    (void)text;
    // A failed registration (the keys are taken) is ignored.
    RegisterHotKey(hwnd(), kHotKeyId, MOD_ALT | MOD_CONTROL, VK_F12);
}

bool Form1::IsShown() const { return IsWindowVisible(hwnd()) != FALSE; }

void Form1::ShowMain() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

void Form1::HideMain() { ShowWindow(hwnd(), SW_HIDE); }

void Form1::OpenPage(waktuna::Page page) {
    if (!PageAvailable(page)) return;
    current_page_ = page;
    if (main_page_) main_page_->Show(page == waktuna::kPageMain);
    SetText(page_title_, language_.Count() ? waktuna::PageTitle(language_, page) : "Waktuna");
}

void Form1::ShowSavedNotice() {
    SetWindowPos(saved_notice_, HWND_TOP, page_area_.left, page_area_.top,
                 page_area_.right - page_area_.left, 0, SWP_SHOWWINDOW);
    saved_notice_count_ = 0;
    saved_notice_height_ = 0;
    SetTimer(hwnd(), kSavedNoticeTimer, 10, nullptr);
}

void Form1::SavedNoticeTick() {
    waktuna::SavedNotice notice{saved_notice_count_, saved_notice_height_, true};
    const bool running = notice.Tick();
    saved_notice_count_ = notice.counter;
    saved_notice_height_ = notice.height;
    if (saved_notice_brush_) DeleteObject(saved_notice_brush_);
    saved_notice_brush_ = CreateSolidBrush(notice.CurrentColor());
    if (!running) {
        KillTimer(hwnd(), kSavedNoticeTimer);
        ShowWindow(saved_notice_, SW_HIDE);
        return;
    }
    SetWindowPos(saved_notice_, HWND_TOP, 0, 0, page_area_.right - page_area_.left,
                 Scale(saved_notice_height_), SWP_NOMOVE);
    InvalidateRect(saved_notice_, nullptr, TRUE);
}

void Form1::OnTrayDoubleClick() {
    ShowMain();
    OpenPage(waktuna::kPageMain);
}

void Form1::OnTrayRightButton() {
    // The window must be in front, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(hwnd());
    POINT pt;
    GetCursorPos(&pt);
    const UINT cmd = TrackPopupMenu(tray_menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                    hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);
    if (cmd >= kMenuBase) RunMenuItem(static_cast<int>(cmd - kMenuBase));
}

void Form1::RunMenuItem(int item) {
    switch (item) {
    case waktuna::kItemOpen:
        if (!IsShown()) {
            ShowMain();
            OpenPage(waktuna::kPageMain);
        } else {
            HideMain();
        }
        break;
    case waktuna::kItemClose:
        Close();
        break;
    default:
        break;
    }
}

void Form1::Close() { DestroyWindow(hwnd()); }

void Form1::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    const auto& p = skin_.palette;
    // The open page paints itself; painting below it only makes it flicker.
    if (main_page_ && IsWindowVisible(main_page_->hwnd())) {
        const RECT page = ChildRect(main_page_->hwnd());
        ExcludeClipRect(dc, page.left, page.top, page.right, page.bottom);
    }
    RECT caption{0, 0, client.right, Scale(kCaptionHeight)};
    PaintCaption(dc, caption, skin_);
    RECT header{1, caption.bottom, client.right - 1, Scale(kHeaderBottom)};
    PaintVerticalGradient(dc, header, p.PageColor, waktuna::GradientEnd(p));
    RECT body{1, header.bottom, client.right - 1, client.bottom - 1};
    FillSolid(dc, body, p.AccentColor);
    RECT side{Scale(kSideLeft), Scale(kHeaderBottom + 4), Scale(kSideLeft + kSideWidth),
              client.bottom - Scale(6)};
    PaintVerticalGradient(dc, side, p.PageColor, waktuna::GradientEnd(p));
    // The page area: rounded corners (radius 3) around the pages, which sit
    // 5 pixels inside it.
    HPEN pen = CreatePen(PS_SOLID, 1, p.EdgeColor);
    HBRUSH fill = CreateSolidBrush(p.PageColor);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, fill);
    RoundRect(dc, page_area_.left, page_area_.top, page_area_.right, page_area_.bottom, Scale(6),
              Scale(6));
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(fill);
    PaintFrame(dc, client, skin_);
}

void Form1::DrawItem(const DRAWITEMSTRUCT& di) {
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    if (di.CtlID == kHideButtonId) {
        PaintCaption(di.hDC, {-Scale(kWidth - 26), -Scale(6), Scale(26), Scale(23)}, skin_);
        pictures16_.Draw(di.hDC, pressed ? 6 : 5, 0, 0, Scale(16));
        return;
    }
    const int index = static_cast<int>(di.CtlID) - kFirstPageButtonId;
    const auto& p = skin_.palette;
    RECT r = di.rcItem;
    const bool hot = index == hot_button_;
    const bool selected = index == current_page_;
    if (selected || pressed)
        PaintVerticalGradient(di.hDC, r, p.TintColor, p.AccentColor);
    else
        PaintVerticalGradient(di.hDC, r, p.PageColor, waktuna::GradientEnd(p));
    pictures24_.Draw(di.hDC, index, r.left + Scale(4), r.top + (r.bottom - r.top - Scale(24)) / 2,
                     Scale(24));
    RECT text = r;
    text.left += Scale(34);
    SetBkMode(di.hDC, TRANSPARENT);
    const bool enabled = (di.itemState & ODS_DISABLED) == 0;
    SetTextColor(di.hDC, enabled ? p.LabelTextColor : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(di.hDC, hot ? font_bold_ : font_);
    const std::string caption = GetText(di.hwndItem);
    DrawTextA(di.hDC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(di.hDC, old);
    if (di.itemState & ODS_FOCUS) {
        RECT f = r;
        InflateRect(&f, -2, -2);
        DrawFocusRect(di.hDC, &f);
    }
}

LRESULT Form1::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        HWND control = reinterpret_cast<HWND>(lp);
        SetBkMode(dc, TRANSPARENT);
        if (control == saved_notice_) {
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(saved_notice_brush_ ? saved_notice_brush_
                                                                : GetStockObject(WHITE_BRUSH));
        }
        SetTextColor(dc, control == page_title_ ? skin_.palette.LightTextColor
                                                : skin_.palette.LabelTextColor);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wp);
        if (id == kHideButtonId) {
            HideMain();
        } else if (id >= kFirstPageButtonId && id < kFirstPageButtonId + waktuna::kPageCount) {
            OpenPage(static_cast<waktuna::Page>(id - kFirstPageButtonId));
            for (HWND b : page_buttons_) InvalidateRect(b, nullptr, FALSE);
        } else if (id >= static_cast<int>(kMenuBase)) {
            RunMenuItem(id - static_cast<int>(kMenuBase));
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (GET_Y_LPARAM(lp) < Scale(kHeaderBottom)) {
            // No caption bar of our own: dragging the header moves the window.
            ReleaseCapture();
            SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        }
        return 0;
    case WM_HOTKEY:
        if (wp == kHotKeyId) {
            if (IsShown())
                HideMain();
            else
                ShowMain();
        }
        return 0;
    case WM_SHOWWINDOW:
        if (language_.Count())
            SetMenuCaption(waktuna::kItemOpen, language_.Line(waktuna::OpenItemLine(wp != 0)));
        break;
    case WM_TIMER:
        if (wp == kSavedNoticeTimer) SavedNoticeTick();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd(), kClockTimer);
        KillTimer(hwnd(), kSavedNoticeTimer);
        UnregisterHotKey(hwnd(), kHotKeyId);
        if (instance_mutex_) CloseHandle(instance_mutex_);
        instance_mutex_ = nullptr;
        tray_.Remove();
        PostQuitMessage(0);
        return 0;
    }
    return Default(msg, wp, lp);
}

}  // namespace app
