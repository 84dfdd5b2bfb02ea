// The main window's menu and pages as data: the tray popup menu's items with
// their initial captions and language lines, the eight page buttons, and the
// page titles shown in the header.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "waktuna/files/language.h"

namespace waktuna {

// Items of the tray popup menu, numbered in menu order (separators count).
enum TrayItem : int {
    kItemOpen = 0,
    kItemProgramSetting = 2,
    kItemPrayerTimesSetting = 3,
    kItemMessageSetting = 4,
    kItemScheduleMaker = 6,
    kItemTaskScheduler = 7,
    kItemConverter = 8,
    kItemHelp = 9,
    kItemShutdown = 11,
    kItemHibernate = 12,
    kItemClose = 13,
    kItemAdzan = 15,
    kItemStopAdzan = 16,
    kItemPauseAdzan = 17,
    kItemPlayAdzan = 18,
    kItemAbout = 19,
    kItemMultimedia = 20,
    kItemPause = 21,
    kItemStop = 22,
    kItemPlay = 23,
    kItemDropZone = 24,
};

struct TrayMenuItem {
    int number;
    const char* initial_caption;  // nullptr for a separator
    int language_line;            // 0: the caption is never replaced
    int submenu = -1;             // the submenu item this one belongs to
};

std::span<const TrayMenuItem> TrayMenuItems();

// Item 0: line 143 "Open Waktuna" while the main window is hidden, 144 shown.
int OpenItemLine(bool mainWindowVisible);

// The help file chosen by item 9's caption: "Waktuna3en.chm" when it
// contains "help" (lower case), else "Waktuna3id.chm".
std::string HelpFileName(std::string_view helpCaption);

// The pages of the main window, in the order of the side panel's buttons.
enum Page : int {
    kPageMain = 0,
    kPageProgramSetting,
    kPagePrayerTimes,
    kPageMessage,
    kPageSchedule,
    kPageTaskScheduler,  // a separate window, not a page
    kPageConverter,      // a separate window, not a page
    kPageAbout,
    kPageCount
};

// The page or window a tray menu item opens; nullopt for other items.
std::optional<Page> PageOfItem(int item);

struct PageInfo {
    int button_line;           // the button's caption; 0 for the fixed "Konversi"
    int title_line;            // the header title "Waktuna - [...]"; 0 when not a page
};
const PageInfo& PageInfoOf(Page page);
// The side-panel caption of a page's button.
std::string PageButtonCaption(const LanguageList& language, Page page);
// "Waktuna - [" + the page's line + "]".
std::string PageTitle(const LanguageList& language, Page page);

}  // namespace waktuna
