// The alert-message page (UMessage): what happens before, at and after each
// prayer time, the Friday reminder and the periodic information, bound to
// the core's AlertPage model.
#pragma once

#include "ui/page.h"
#include "waktuna/pages/alert_page.h"

namespace app {

class AlertPage final : public Page {
public:
    explicit AlertPage(PageHost& host) : Page(host) {}

    void ApplyLanguage() override;
    void ApplyColours() override;
    void Refresh() override;

protected:
    const char* ClassName() const override { return "WaktunaAlertPage"; }
    void Build() override;
    void OnCommand(int id, int code) override;
    void PaintPage(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDpiChanged() override;

private:
    void LayOut();
    void ShowModel();
    void ReadControls();
    void Save();

    RECT StripRect() const;

    waktuna::AlertPage model_;
    Bindings bindings_;
    // The bottom strip's gradient as a brush, so the controls on it show it.
    Brush strip_brush_;
};

}  // namespace app
