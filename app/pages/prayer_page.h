// The prayer-times setting page (UArea): place, coordinates, time zone,
// convention, Asar rule and the five corrections, bound to the core's
// PrayerPage model. Save checks, writes, and only then applies.
#pragma once

#include "ui/page.h"
#include "waktuna/pages/prayer_page.h"

namespace app {

class PrayerPage final : public Page {
public:
    explicit PrayerPage(PageHost& host) : Page(host) {}

    void Refresh() override;
    void ApplyLanguage() override;

protected:
    const char* ClassName() const override { return "WaktunaPrayerPage"; }
    void Build() override;
    void OnCommand(int id, int code) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Posted after the user changed a value a preset fills: a list's new
    // item is in its box only once the change notification has returned.
    static constexpr UINT kValueEdited = WM_APP + 50;

    void FillLists();
    void ShowModel();
    void ShowAuthority();
    void ReadControls();
    void Save();
    void SelectCity();
    float ZoneInForce() const;

    waktuna::PrayerPage model_;
    Bindings bindings_;
};

}  // namespace app
