// The main page (UMainPage): the prayer-times table of yesterday, today and
// tomorrow, the information box with the place and its settings, and the
// Qibla texts and compass.
#pragma once

#include <array>
#include <string>

#include "skin_paint.h"
#include "waktuna/files/language.h"
#include "waktuna/calc/prayer.h"
#include "waktuna/calc/qibla.h"
#include "window.h"

namespace app {

// What a recomputation hands to the panel.
struct PanelValues {
    waktuna::PrayerTimes yesterday{}, today{}, tomorrow{};
    std::string time_format{waktuna::kFormatHHmm};
    std::string area, latitude, longitude;  // as stored
    int32_t altitude = 0;
    float time_zone = 0;
    bool syafii = true;
    int methods = 0;
};

class MainPage final : public Window {
public:
    static constexpr const char* kClassName = "WaktunaMainPage";
    enum Column { kYesterday = 0, kToday = 1, kTomorrow = 2 };

    MainPage(const Skin& skin, const waktuna::LanguageList& language);
    ~MainPage() override;
    bool Create(HWND parent, const RECT& area);

    void FillPanel(const PanelValues& values);
    void ApplyLanguage();
    void ApplyColours();
    // Writes exactly one cell in red: `row` (0..5, panel order) of `column`.
    void HighlightCell(int row, Column column);
    void Show(bool visible);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BuildQiblaCompass();
    void Paint(HDC dc);
    void PaintCompass(HDC dc, int x, int y);
    HBRUSH BrushFor(HWND control, HDC dc);

    const Skin& skin_;
    const waktuna::LanguageList& language_;
    PanelValues values_;

    HFONT arial_ = nullptr, arial_bold_ = nullptr, tahoma_ = nullptr, tahoma_bold_ = nullptr;
    HBRUSH face_brush_ = nullptr, even_brush_ = nullptr, page_brush_ = nullptr;
    COLORREF even_colour_ = RGB(234, 244, 255);

    std::array<HWND, 6> row_names_{};
    std::array<HWND, 3> column_headers_{};
    std::array<std::array<HWND, 6>, 3> cells_{};  // [column][row]
    HWND red_cell_ = nullptr;

    HWND place_heading_ = nullptr;
    std::array<HWND, 5> info_labels_{};  // latitude, longitude, altitude, time zone, fiqh
    std::array<HWND, 5> info_values_{};
    HWND organisation_ = nullptr;
    HWND qibla_heading_ = nullptr, bearing_text_ = nullptr, east_west_text_ = nullptr;

    double bearing_ = 0;
    waktuna::QiblaCompass compass_{};
    RECT info_box_{};
};

}  // namespace app
