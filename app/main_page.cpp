#include "main_page.h"

#include "controls.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/watch/panel.h"

namespace app {

namespace {

// Layout, pixels at 96 DPI, in the page's client area.
constexpr int kTableLeft = 4, kNameWidth = 110, kCellWidth = 100, kRowHeight = 19;
constexpr int kTableTop = 4;
constexpr int kInfoTop = 144, kInfoBottom = 303, kInfoRight = 426;
constexpr int kQiblaLeft = 312;
constexpr int kCompassTop = 198;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreyPage = RGB(128, 128, 128);

// Initial captions, replaced by the language lines.
constexpr const char* kRowCaptions[6] = {"Shubuh", "Terbit", "Dhuhur", "Asar", "Maghrib", "Isya'"};
constexpr const char* kInfoCaptions[5] = {"Latitude", "Longitude", "Altitude", "Time Zone",
                                          "Fiqh"};
constexpr int kInfoLines[5] = {39, 40, 41, 42, 74};

}  // namespace

MainPage::MainPage(const Skin& skin, const waktuna::LanguageList& language)
    : skin_(skin), language_(language) {}

MainPage::~MainPage() {
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(arial_), static_cast<HGDIOBJ>(arial_bold_),
                      static_cast<HGDIOBJ>(tahoma_), static_cast<HGDIOBJ>(tahoma_bold_),
                      static_cast<HGDIOBJ>(face_brush_), static_cast<HGDIOBJ>(even_brush_),
                      static_cast<HGDIOBJ>(page_brush_)})
        if (o) DeleteObject(o);
}

bool MainPage::Create(HWND parent, const RECT& area) {
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.style = WS_CHILD | WS_CLIPCHILDREN;
    spec.parent = parent;
    spec.x = area.left + Scale(5);
    spec.y = area.top + Scale(5);
    spec.width = area.right - area.left - Scale(10);
    spec.height = area.bottom - area.top - Scale(10);
    if (!CreateWin(spec)) return false;

    arial_ = MakeFont("Arial", 9);
    arial_bold_ = MakeFont("Arial", 9, true);
    tahoma_ = MakeFont("Tahoma", 9);
    tahoma_bold_ = MakeFont("Tahoma", 9, true);
    face_brush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    even_brush_ = CreateSolidBrush(even_colour_);
    page_brush_ = CreateSolidBrush(skin_.palette.PageColor);

    for (int c = 0; c < 3; ++c)
        column_headers_[c] =
            MakeLabel(hwnd(), "", kTableLeft + kNameWidth + c * kCellWidth, kTableTop, kCellWidth,
                      kRowHeight, c == kToday ? tahoma_bold_ : tahoma_, SS_CENTER | SS_CENTERIMAGE);
    for (int r = 0; r < 6; ++r) {
        const int y = kTableTop + (r + 1) * kRowHeight;
        row_names_[r] = MakeLabel(hwnd(), kRowCaptions[r], kTableLeft, y, kNameWidth, kRowHeight,
                                  arial_, SS_LEFT | SS_CENTERIMAGE);
        for (int c = 0; c < 3; ++c)
            cells_[c][r] = MakeLabel(hwnd(), "0", kTableLeft + kNameWidth + c * kCellWidth, y,
                                     kCellWidth, kRowHeight, c == kToday ? tahoma_bold_ : tahoma_,
                                     SS_CENTER | SS_CENTERIMAGE);
    }
    place_heading_ = MakeLabel(hwnd(), "", 10, kInfoTop + 4, 296, 16, arial_bold_);
    for (int i = 0; i < 5; ++i) {
        const int y = kInfoTop + 24 + i * 18;
        info_labels_[i] = MakeLabel(hwnd(), kInfoCaptions[i], 10, y, 90, 16, arial_);
        info_values_[i] = MakeLabel(hwnd(), "", 100, y, 208, 16, arial_);
    }
    organisation_ = MakeLabel(hwnd(), "Organization", 10, kInfoTop + 118, 296, 34, arial_);
    qibla_heading_ = MakeLabel(hwnd(), "Qibla Direction", kQiblaLeft, kInfoTop + 4, 112, 16,
                               arial_bold_);
    bearing_text_ = MakeLabel(hwnd(), "", kQiblaLeft, kInfoTop + 20, 112, 16, arial_);
    east_west_text_ = MakeLabel(hwnd(), "", kQiblaLeft, kInfoTop + 36, 112, 16, arial_);
    info_box_ = {Scale(kTableLeft), Scale(kInfoTop), Scale(kInfoRight), Scale(kInfoBottom)};
    ApplyColours();
    return true;
}

void MainPage::FillPanel(const PanelValues& v) {
    values_ = v;
    const waktuna::PrayerTimes* days[3] = {&v.yesterday, &v.today, &v.tomorrow};
    for (int c = 0; c < 3; ++c) {
        const auto texts = waktuna::PanelColumn(*days[c], v.time_format);
        for (int r = 0; r < 6; ++r) SetText(cells_[c][r], texts[r]);
    }
    SetText(place_heading_, waktuna::PlaceHeadingText(language_, v.area));
    SetText(info_values_[0], waktuna::LatitudeValueText(v.latitude));
    SetText(info_values_[1], waktuna::LongitudeValueText(v.longitude));
    SetText(info_values_[2], waktuna::AltitudeText(v.altitude));
    SetText(info_values_[3], waktuna::TimeZoneText(v.time_zone));
    SetText(info_values_[4], waktuna::MazhabText(v.syafii));
    SetText(organisation_, waktuna::OrganisationText(language_, v.methods));
    BuildQiblaCompass();
}

void MainPage::ApplyLanguage() {
    for (int r = 0; r < 6; ++r) SetText(row_names_[r], language_.Line(waktuna::kPanelRowLines[r]));
    for (int c = 0; c < 3; ++c)
        SetText(column_headers_[c], language_.Line(waktuna::kPanelColumnLines[c]));
    for (int i = 0; i < 5; ++i) SetText(info_labels_[i], language_.Line(kInfoLines[i]));
    SetText(qibla_heading_, language_.Line(207));
    SetText(place_heading_, waktuna::PlaceHeadingText(language_, values_.area));
    SetText(organisation_, waktuna::OrganisationText(language_, values_.methods));
}

void MainPage::ApplyColours() {
    const auto& p = skin_.palette;
    even_colour_ = p.PageColor == kGreyPage ? RGB(160, 160, 164) : p.TintColor;
    if (even_brush_) DeleteObject(even_brush_);
    even_brush_ = CreateSolidBrush(even_colour_);
    if (page_brush_) DeleteObject(page_brush_);
    page_brush_ = CreateSolidBrush(p.PageColor);
    if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainPage::HighlightCell(int row, Column column) {
    if (row < 0 || row > 5) return;
    HWND cell = cells_[column][row];
    if (cell == red_cell_) return;  // already marked: nothing to redraw
    red_cell_ = cell;
    ApplyColours();  // repaints every cell: the old one loses its red
}

void MainPage::Show(bool visible) {
    if (visible) {
        ApplyColours();
        ApplyLanguage();
        BuildQiblaCompass();
    }
    ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

void MainPage::BuildQiblaCompass() {
    const float lat = static_cast<float>(waktuna::ReadDecimal(values_.latitude));
    const float lon = static_cast<float>(waktuna::ReadDecimal(values_.longitude));
    bearing_ = waktuna::QiblaDirection(lat, lon);
    compass_ = waktuna::BuildQiblaCompass(bearing_);
    SetText(bearing_text_, waktuna::QiblaAngleText(bearing_));
    SetText(east_west_text_, waktuna::QiblaAngleText(waktuna::EastWestAngle(bearing_)));
    RECT r{Scale(kQiblaLeft), Scale(kCompassTop), Scale(kQiblaLeft + 100), Scale(kCompassTop + 100)};
    if (hwnd()) InvalidateRect(hwnd(), &r, FALSE);
}

void MainPage::PaintCompass(HDC target, int x, int y) {
    // Drawn at 100 x 100 and then scaled to the DPI, so the geometry stays exact.
    const int n = waktuna::QiblaCompass::kSize;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, n, n);
    HGDIOBJ old_bmp = SelectObject(dc, bmp);
    const auto& p = skin_.palette;
    HBRUSH fill = CreateSolidBrush(p.PageColor);
    HPEN line = CreatePen(PS_SOLID, 1, p.EdgeColor);
    HGDIOBJ old_pen = SelectObject(dc, line);
    HGDIOBJ old_brush = SelectObject(dc, fill);
    Rectangle(dc, 0, 0, n, n);
    MoveToEx(dc, 16, 50, nullptr);
    LineTo(dc, 84, 50);
    MoveToEx(dc, 50, 16, nullptr);
    LineTo(dc, 50, 84);
    HFONT small = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                              ANTIALIASED_QUALITY, 0, "Arial");
    HGDIOBJ old_font = SelectObject(dc, small);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, p.LabelTextColor);
    TextOutA(dc, 47, 1, "N", 1);
    TextOutA(dc, 90, 45, "E", 1);
    TextOutA(dc, 47, 87, "S", 1);
    TextOutA(dc, 3, 46, "W", 1);
    Ellipse(dc, 48, 48, 52, 52);
    auto arc = [dc](const waktuna::ArcSpec& a) {
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        Arc(dc, a.box.left, a.box.top, a.box.right, a.box.bottom, a.start.x, a.start.y, a.end.x,
            a.end.y);
    };
    HPEN red = CreatePen(PS_SOLID, 1, kRed);
    SelectObject(dc, red);
    MoveToEx(dc, 50, 50, nullptr);
    LineTo(dc, compass_.direction_end.x, compass_.direction_end.y);
    arc(compass_.north_arc);
    HPEN blue = CreatePen(PS_SOLID, 1, kBlue);
    SelectObject(dc, blue);
    arc(compass_.east_west_arc);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_font);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(line);
    DeleteObject(fill);
    DeleteObject(small);
    StretchBlt(target, x, y, Scale(n), Scale(n), dc, 0, 0, n, n, SRCCOPY);
    SelectObject(dc, old_bmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

void MainPage::Paint(HDC dc) {
    // The information box's outline, then the compass.
    HPEN pen = CreatePen(PS_SOLID, 1, skin_.palette.EdgeColor);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, info_box_.left, info_box_.top, info_box_.right, info_box_.bottom, 6, 6);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    PaintCompass(dc, Scale(kQiblaLeft), Scale(kCompassTop));
}

HBRUSH MainPage::BrushFor(HWND control, HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    for (int r = 0; r < 6; ++r) {
        const bool even = r % 2 == 1;  // rows 2, 4, 6
        bool in_row = control == row_names_[r];
        for (int c = 0; c < 3; ++c) in_row = in_row || control == cells_[c][r];
        if (in_row) {
            SetTextColor(dc, control == red_cell_ ? kRed : RGB(0, 0, 0));
            return even ? even_brush_ : face_brush_;
        }
    }
    for (HWND h : column_headers_)
        if (control == h) {
            SetTextColor(dc, RGB(0, 0, 0));
            return face_brush_;
        }
    if (control == bearing_text_) SetTextColor(dc, kRed);
    else if (control == east_west_text_) SetTextColor(dc, kBlue);
    else SetTextColor(dc, skin_.palette.LabelTextColor);
    return page_brush_;
}

LRESULT MainPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, page_brush_);
        return 1;
    }
    case WM_PAINT:
        return Painted([this](HDC dc) { Paint(dc); });
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(BrushFor(reinterpret_cast<HWND>(lp),
                                                  reinterpret_cast<HDC>(wp)));
    }
    return Default(msg, wp, lp);
}

}  // namespace app
