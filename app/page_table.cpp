// The pages and windows of the program, one entry each. A page or window
// that is not listed here does not exist: its side-panel button and its tray
// menu item are greyed.
#include "about_page.h"
#include "area_page.h"
#include "converter_dialog.h"
#include "main_page.h"
#include "message_page.h"
#include "page.h"
#include "program_page.h"
#include "schedule_page.h"
#include "task_editor_window.h"

namespace app {

namespace {

template <class P>
std::unique_ptr<Page> Make(PageHost& host) {
    return std::make_unique<P>(host);
}

const PageEntry kPages[] = {
    {waktuna::kPageMain, Make<MainPage>},
    {waktuna::kPageProgramSetting, Make<ProgramSettingsPage>},
    {waktuna::kPagePrayerTimes, Make<AreaPage>},
    {waktuna::kPageMessage, Make<MessagePage>},
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
