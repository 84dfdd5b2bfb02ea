// The schedule maker page (USchedule): the range, the two export colours,
// the time format and the output format, and "Save file", which writes the
// timetable through a save dialog. The page's values live in
// waktuna::SchedulePage; the controls only show and change them.
#pragma once

#include "ui/page.h"
#include "waktuna/pages/schedule_page.h"

namespace app {

class SchedulePage final : public Page {
public:
    explicit SchedulePage(PageHost& host) : Page(host) {}

    void Refresh() override;

protected:
    const char* ClassName() const override { return "WaktunaSchedulePage"; }
    void Build() override;
    void OnCommand(int id, int code) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ReadControls();
    void ChooseColour(waktuna::Colour& colour, int button);
    void SaveFile();

    waktuna::SchedulePage model_;
};

// The date of a date-time picker, and a date shown in one.
waktuna::DateTime PickerDate(HWND picker);
void SetPickerDate(HWND picker, waktuna::DateTime date);

}  // namespace app
