#include "waktuna/watch/tray_menu.h"

#include <array>

namespace waktuna {

namespace {

constexpr TrayMenuItem kItems[] = {
    {0, "Open Waktuna", 143},
    {1, nullptr, 0},
    {2, "Program Setting", 145},
    {3, "Prayer times setting", 146},
    {4, "Message Info setting", 147},
    {5, nullptr, 0},
    {6, "Schedule maker", 148},
    {7, "Task Scheduler", 149},
    {8, "Masehi - Hijriyah converter", 150},
    {9, "Open Help", 151},
    {10, nullptr, 0},
    {11, "Shutdown PC", 152},
    {12, "Hibernate PC", 153},
    {13, "Close Waktuna", 154},
    {14, nullptr, 0},
    {15, "Adzan", 155},
    {16, "Stop Adzan", 156, kItemAdzan},
    {17, "Pause Adzan", 157, kItemAdzan},
    {18, "Play Adzan", 158, kItemAdzan},
    {19, "About Waktuna...", 159},
    {20, "Multimedia", 0},
    {21, "Pause", 0, kItemMultimedia},
    {22, "Stop", 0, kItemMultimedia},
    {23, "Play", 0, kItemMultimedia},
    {24, "Drop Zone", 0},
};

constexpr std::array<PageInfo, kPageCount> kPages = {{
    {50, 49},   // main page
    {51, 61},   // program settings
    {52, 71},   // prayer-times settings
    {53, 90},   // alert message settings
    {54, 107},  // schedule maker
    {55, 0},    // task scheduler
    {0, 0},     // converter ("Konversi")
    {56, 132},  // about
}};

}  // namespace

std::span<const TrayMenuItem> TrayMenuItems() { return kItems; }

int OpenItemLine(bool mainWindowVisible) { return mainWindowVisible ? 144 : 143; }

std::string HelpFileName(std::string_view helpCaption) {
    return helpCaption.find("help") != std::string_view::npos ? "Waktuna3en.chm"
                                                              : "Waktuna3id.chm";
}

const PageInfo& PageInfoOf(Page page) { return kPages[static_cast<size_t>(page)]; }

std::string PageButtonCaption(const LanguageList& language, Page page) {
    const int line = PageInfoOf(page).button_line;
    return line ? language.Line(line) : "Konversi";
}

std::string PageTitle(const LanguageList& language, Page page) {
    return "Waktuna - [" + language.Line(PageInfoOf(page).title_line) + "]";
}

std::optional<Page> PageOfItem(int item) {
    switch (item) {
    case kItemProgramSetting: return kPageProgramSetting;
    case kItemPrayerTimesSetting: return kPagePrayerTimes;
    case kItemMessageSetting: return kPageMessage;
    case kItemScheduleMaker: return kPageSchedule;
    case kItemTaskScheduler: return kPageTaskScheduler;
    case kItemConverter: return kPageConverter;
    case kItemAbout: return kPageAbout;
    default: return std::nullopt;
    }
}

}  // namespace waktuna
