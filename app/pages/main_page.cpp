#include "pages/main_page.h"

#include <vector>

#include "ui/controls.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/files/lines.h"
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

// Control ids: column headers, row names, cells [column][row], the rest.
enum ControlId : int {
    kHeaderId = 100,       // + column
    kRowNameId = 110,      // + row
    kCellId = 120,         // + column * 6 + row; the seventh row's cells 138 + column
    kPlaceHeadingId = 150,
    kInfoLabelId = 160,    // + item
    kInfoValueId = 170,    // + item
    kOrganisationId = 180,
    kQiblaHeadingId,
    kBearingId,
    kEastWestId,
};
// Six prayer rows, and Imsak above them when it is on; with seven the rows
// are lower so the table still ends above the information box.
constexpr int kMaxRows = 7;
constexpr int kImsakRowHeight = 17;
// The ids of the first six rows' cells stay those of the six-row table
// whether or not Imsak is shown; the seventh row has ids of its own.
int CellId(int column, int row) { return row < 6 ? kCellId + column * 6 + row : kCellId + 18 + column; }
int RowOfCell(int id) { return id - kCellId >= 18 ? 6 : (id - kCellId) % 6; }
constexpr const char* kInfoCaptions[5] = {"Latitude", "Longitude", "Altitude", "Time Zone", "Fiqh"};
constexpr int kInfoLines[5] = {waktuna::kLineLatitude, waktuna::kLineLongitude,
                               waktuna::kLineAltitude, waktuna::kLineTimeZone,
                               waktuna::kLineAsrTimes};

const std::vector<ControlSpec>& Controls() {
    static const std::vector<ControlSpec> table = [] {
        constexpr DWORD kCell = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
        std::vector<ControlSpec> t;
        for (int c = 0; c < 3; ++c)
            t.push_back({kHeaderId + c, "STATIC", kCell, kTableLeft + kNameWidth + c * kCellWidth,
                         kTableTop, kCellWidth, kRowHeight,
                         c == MainPage::kToday ? FontId::kTahomaBold : FontId::kTahoma,
                         waktuna::kPanelColumnLines[c]});
        // Rows are placed and captioned by LayOutRows.
        for (int r = 0; r < kMaxRows; ++r) {
            const int y = kTableTop + (r + 1) * kRowHeight;
            t.push_back({kRowNameId + r, "STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
                         kTableLeft, y, kNameWidth, kRowHeight, FontId::kNormal});
            for (int c = 0; c < 3; ++c)
                t.push_back({CellId(c, r), "STATIC", kCell, kTableLeft + kNameWidth + c * kCellWidth,
                             y, kCellWidth, kRowHeight,
                             c == MainPage::kToday ? FontId::kTahomaBold : FontId::kTahoma, 0, "0"});
        }
        t.push_back({kPlaceHeadingId, "STATIC", SS_NOPREFIX, 10, kInfoTop + 4, 296, 16, FontId::kBold});
        for (int i = 0; i < 5; ++i) {
            const int y = kInfoTop + 24 + i * 18;
            t.push_back({kInfoLabelId + i, "STATIC", SS_NOPREFIX, 10, y, 90, 16, FontId::kNormal,
                         kInfoLines[i], kInfoCaptions[i]});
            t.push_back({kInfoValueId + i, "STATIC", SS_NOPREFIX, 100, y, 208, 16});
        }
        t.push_back({kOrganisationId, "STATIC", SS_NOPREFIX, 10, kInfoTop + 118, 296, 34,
                     FontId::kNormal, 0, "Organization"});
        t.push_back({kQiblaHeadingId, "STATIC", SS_NOPREFIX, kQiblaLeft, kInfoTop + 4, 112, 16,
                     FontId::kBold, waktuna::kLineQiblaDirection, "Qibla Direction"});
        t.push_back({kBearingId, "STATIC", SS_NOPREFIX, kQiblaLeft, kInfoTop + 20, 112, 16});
        t.push_back({kEastWestId, "STATIC", SS_NOPREFIX, kQiblaLeft, kInfoTop + 36, 112, 16});
        return t;
    }();
    return table;
}

}  // namespace

void MainPage::Build() {
    face_brush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    controls_.Create(hwnd(), Controls(), host_.GetLook(), host_.Language());
    LayOutRows();
    ApplyColours();
}

void MainPage::OnDpiChanged() {
    Page::OnDpiChanged();
    LayOutRows();
}

void MainPage::LayOutRows() {
    const std::vector<waktuna::PanelRow> rows = waktuna::PanelRows(values_.core);
    rows_ = static_cast<int>(rows.size());
    const int height = rows_ > 6 ? kImsakRowHeight : kRowHeight;
    const auto place = [this](HWND control, int x, int y, int w, int h) {
        SetWindowPos(control, nullptr, Scale(x), Scale(y), Scale(x + w) - Scale(x), Scale(y + h) - Scale(y),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (int c = 0; c < 3; ++c)
        place(controls_[kHeaderId + c], kTableLeft + kNameWidth + c * kCellWidth, kTableTop, kCellWidth, height);
    for (int r = 0; r < kMaxRows; ++r) {
        const bool shown = r < rows_;
        const int y = kTableTop + (r + 1) * height;
        HWND name = controls_[kRowNameId + r];
        place(name, kTableLeft, y, kNameWidth, height);
        if (shown) SetText(name, host_.Language().Line(rows[static_cast<size_t>(r)].line));
        ShowWindow(name, shown ? SW_SHOWNA : SW_HIDE);
        for (int c = 0; c < 3; ++c) {
            HWND cell = controls_[CellId(c, r)];
            place(cell, kTableLeft + kNameWidth + c * kCellWidth, y, kCellWidth, height);
            ShowWindow(cell, shown ? SW_SHOWNA : SW_HIDE);
        }
    }
    MarkRedCell();
}

void MainPage::FillPanel(const PanelValues& v) {
    values_ = v;
    LayOutRows();
    const waktuna::PrayerTimes* days[3] = {&v.yesterday, &v.today, &v.tomorrow};
    for (int c = 0; c < 3; ++c) {
        const std::vector<std::string> texts = waktuna::PanelColumn(*days[c], v.core);
        for (size_t r = 0; r < texts.size() && r < kMaxRows; ++r) SetText(controls_[CellId(c, static_cast<int>(r))], texts[r]);
    }
    const auto& language = host_.Language();
    SetText(controls_[kPlaceHeadingId], waktuna::PlaceHeadingText(language, v.area));
    SetText(controls_[kInfoValueId + 0], waktuna::LatitudeValueText(v.latitude));
    SetText(controls_[kInfoValueId + 1], waktuna::LongitudeValueText(v.longitude));
    SetText(controls_[kInfoValueId + 2], waktuna::AltitudeText(v.altitude));
    SetText(controls_[kInfoValueId + 3], waktuna::TimeZoneText(v.time_zone));
    SetText(controls_[kInfoValueId + 4], waktuna::MazhabText(v.syafii));
    SetText(controls_[kOrganisationId], waktuna::OrganisationText(language, v.methods));
    BuildQiblaCompass();
}

void MainPage::ApplyLanguage() {
    Page::ApplyLanguage();
    LayOutRows();  // the row names
    const auto& language = host_.Language();
    SetText(controls_[kPlaceHeadingId], waktuna::PlaceHeadingText(language, values_.area));
    SetText(controls_[kOrganisationId], waktuna::OrganisationText(language, values_.methods));
}

void MainPage::ApplyColours() {
    const auto& p = Palette();
    even_colour_ = p.PageColor == kGreyPage ? RGB(160, 160, 164) : p.TintColor;
    even_brush_.reset(CreateSolidBrush(even_colour_));
    Page::ApplyColours();
}

void MainPage::HighlightCell(waktuna::PanelCell cell) {
    marked_ = cell;
    MarkRedCell();
}

void MainPage::MarkRedCell() {
    if (!marked_) return;
    // The row among the rows this panel shows, not the settings' rows: they
    // can differ until the panel is filled again.
    const int row = waktuna::PanelRowOf(marked_->prayer, values_.core);
    const int id = CellId(marked_->tomorrow ? kTomorrow : kToday, row);
    if (id == red_cell_) return;  // already marked: nothing to redraw
    red_cell_ = id;
    if (hwnd()) ApplyColours();  // repaints every cell: the old one loses its red
}

void MainPage::BuildQiblaCompass() {
    // Coordinates that are no place give "--" and a compass without a needle.
    const auto bearing = waktuna::PanelQiblaBearing(values_.latitude, values_.longitude);
    has_needle_ = bearing.has_value();
    bearing_ = bearing.value_or(0);
    compass_ = waktuna::BuildQiblaCompass(bearing_);
    SetText(controls_[kBearingId], bearing ? waktuna::QiblaAngleText(bearing_) : "--");
    SetText(controls_[kEastWestId],
            bearing ? waktuna::QiblaAngleText(waktuna::EastWestAngle(bearing_)) : "--");
    RECT r{Scale(kQiblaLeft), Scale(kCompassTop), Scale(kQiblaLeft + 100), Scale(kCompassTop + 100)};
    if (hwnd()) InvalidateRect(hwnd(), &r, FALSE);
}

void MainPage::PaintCompass(HDC target, int x, int y) {
    // Drawn at 100 x 100 and then scaled to the DPI, so the geometry stays exact.
    const int n = waktuna::QiblaCompass::kSize;
    const MemoryDC dc(CreateCompatibleDC(target));
    {
        Bitmap bmp(CreateCompatibleBitmap(target, n, n));
        Selection bitmap(dc, bmp);
        const auto& p = Palette();
        Brush fill(CreateSolidBrush(p.PageColor));
        Pen line(CreatePen(PS_SOLID, 1, p.EdgeColor));
        Pen red(CreatePen(PS_SOLID, 1, kRed));
        Pen blue(CreatePen(PS_SOLID, 1, kBlue));
        Font small(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                               ANTIALIASED_QUALITY, 0, "Arial"));
        Selection pen(dc, line), brush(dc, fill), font(dc, small);
        Rectangle(dc, 0, 0, n, n);
        MoveToEx(dc, 16, 50, nullptr);
        LineTo(dc, 84, 50);
        MoveToEx(dc, 50, 16, nullptr);
        LineTo(dc, 50, 84);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, p.LabelTextColor);
        TextOutA(dc, 47, 1, "N", 1);
        TextOutA(dc, 90, 45, "E", 1);
        TextOutA(dc, 47, 87, "S", 1);
        TextOutA(dc, 3, 46, "W", 1);
        Ellipse(dc, 48, 48, 52, 52);
        auto arc = [&dc](const waktuna::ArcSpec& a) {
            SetArcDirection(dc, AD_COUNTERCLOCKWISE);
            Arc(dc, a.box.left, a.box.top, a.box.right, a.box.bottom, a.start.x, a.start.y,
                a.end.x, a.end.y);
        };
        if (has_needle_) {
            {
                Selection needle(dc, red);
                MoveToEx(dc, 50, 50, nullptr);
                LineTo(dc, compass_.direction_end.x, compass_.direction_end.y);
                arc(compass_.north_arc);
            }
            Selection east_west(dc, blue);
            arc(compass_.east_west_arc);
        }
        StretchBlt(target, x, y, Scale(n), Scale(n), dc, 0, 0, n, n, SRCCOPY);
    }
}

void MainPage::PaintPage(HDC dc, const RECT& client) {
    Page::PaintPage(dc, client);
    // The information box's outline, then the compass.
    Pen pen(CreatePen(PS_SOLID, 1, Palette().EdgeColor));
    {
        Selection p(dc, pen), b(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, Scale(kTableLeft), Scale(kInfoTop), Scale(kInfoRight), Scale(kInfoBottom), 6, 6);
    }
    PaintCompass(dc, Scale(kQiblaLeft), Scale(kCompassTop));
}

HBRUSH MainPage::BrushFor(HWND control, HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    const int id = GetDlgCtrlID(control);
    if (id >= kRowNameId && id < kRowNameId + kMaxRows) {
        SetTextColor(dc, RGB(0, 0, 0));
        return (id - kRowNameId) % 2 == 1 ? even_brush_ : face_brush_;  // rows 2, 4, 6 even
    }
    if (id >= kCellId && id < kCellId + 3 * kMaxRows) {  // 120..140
        SetTextColor(dc, id == red_cell_ ? kRed : RGB(0, 0, 0));
        return RowOfCell(id) % 2 == 1 ? even_brush_ : face_brush_;
    }
    if (id >= kHeaderId && id < kHeaderId + 3) {
        SetTextColor(dc, RGB(0, 0, 0));
        return face_brush_;
    }
    SetTextColor(dc, id == kBearingId    ? kRed
                     : id == kEastWestId ? kBlue
                                         : Palette().LabelTextColor);
    return page_brush_;
}

LRESULT MainPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC)
        return reinterpret_cast<LRESULT>(BrushFor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
    return Page::OnMessage(msg, wp, lp);
}

}  // namespace app
