// The pages and windows of the program, one entry each. A page or window
// that is not listed here does not exist: its side-panel button and its tray
// menu item are greyed.
#include "pages/about_page.h"
#include "pages/prayer_page.h"
#include "windows/date_converter_window.h"
#include "pages/main_page.h"
#include "pages/alert_page.h"
#include "ui/page.h"
#include "pages/program_page.h"
#include "pages/schedule_page.h"
#include "windows/task_editor_window.h"

namespace app {

namespace {

template <class P>
std::unique_ptr<Page> Make(PageHost& host) {
    return std::make_unique<P>(host);
}

const PageEntry kPages[] = {
    {waktuna::kPageMain, Make<MainPage>},
    {waktuna::kPageProgramSetting, Make<ProgramPage>},
    {waktuna::kPagePrayerTimes, Make<PrayerPage>},
    {waktuna::kPageMessage, Make<AlertPage>},
    {waktuna::kPageAbout, Make<AboutPage>},
    {waktuna::kPageSchedule, Make<SchedulePage>},
    {waktuna::kPageTaskScheduler, nullptr, RunTaskEditor},
    {waktuna::kPageConverter, nullptr, RunConverter},
};

}  // namespace

const PageEntry* FindPage(waktuna::Page page) {
    for (const PageEntry& e : kPages)
        if (e.page == page) return &e;
    return nullptr;
}

}  // namespace app
