// The main page (UMainPage): the prayer-times table of yesterday, today and
// tomorrow, the information box with the place and its settings, and the
// Qibla texts and compass.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/page.h"
#include "waktuna/calc/prayer.h"
#include "waktuna/calc/qibla.h"
#include "waktuna/watch/watch_actions.h"

namespace app {

// What a recomputation hands to the panel.
struct PanelValues {
    waktuna::PrayerTimes yesterday{}, today{}, tomorrow{};
    // The time format and Imsak: an Imsak row above Fajr when it is on.
    waktuna::CoreSettings core = [] {
        waktuna::CoreSettings c;
        c.time_format = waktuna::kFormatHHmm;
        return c;
    }();
    std::string area, latitude, longitude;  // as stored
    int32_t altitude = 0;
    float time_zone = 0;
    bool syafii = true;
    int methods = 0;
};

class MainPage final : public Page {
public:
    enum Column { kYesterday = 0, kToday = 1, kTomorrow = 2 };

    explicit MainPage(PageHost& host) : Page(host) {}

    void FillPanel(const PanelValues& values);
    void ApplyLanguage() override;
    void ApplyColours() override;
    // Writes exactly one cell in red: the prayer's cell in today's or
    // tomorrow's column. The cell follows its prayer when the rows change
    // (the Imsak row shown or hidden), at once, not at the next tick.
    void HighlightCell(waktuna::PanelCell cell);
    void Refresh() override { BuildQiblaCompass(); }

protected:
    const char* ClassName() const override { return "WaktunaMainPage"; }
    void Build() override;
    void PaintPage(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnDpiChanged() override;
    // Places, captions and shows the rows the settings ask for.
    void LayOutRows();
    // Reds the marked prayer's cell in the rows shown now.
    void MarkRedCell();
    void BuildQiblaCompass();
    void PaintCompass(HDC dc, int x, int y);
    HBRUSH BrushFor(HWND control, HDC dc);
    const waktuna::SkinPalette& Palette() const { return host_.GetLook().palette(); }

    PanelValues values_;
    Brush face_brush_, even_brush_;
    COLORREF even_colour_ = RGB(234, 244, 255);
    std::optional<waktuna::PanelCell> marked_;  // the next prayer's cell
    int red_cell_ = 0;  // the id of the red cell; 0 for none
    int rows_ = 6;      // rows shown: 7 with the Imsak row

    double bearing_ = 0;
    bool has_needle_ = false;
    waktuna::QiblaCompass compass_{};
};

}  // namespace app
