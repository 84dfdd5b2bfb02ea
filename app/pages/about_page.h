// The About page (UAbout): the version, the notice, the contact and web
// links, the licence in Indonesian or English, and the help button.
#pragma once

#include "ui/hover_font.h"
#include "ui/page.h"

namespace app {

class AboutPage final : public Page {
public:
    explicit AboutPage(PageHost& host) : Page(host) {}

protected:
    const char* ClassName() const override { return "WaktunaAboutPage"; }
    void Build() override;
    void OnCommand(int id, int code) override;
    void PaintPage(HDC dc, const RECT& client) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowLicence(std::string_view fileName);

    HoverFont links_;
};

}  // namespace app
