// The tray icon's menus: the main menu and the two player submenus
// ("Adzan", "Multimedia"), which hang in the main menu only while their
// player exists. Owns all three; an item's command is kMenuBase + its number.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "waktuna/files/language.h"
#include "win/handles.h"

namespace app {

class TrayMenus {
public:
    TrayMenus();
    TrayMenus(const TrayMenus&) = delete;
    TrayMenus& operator=(const TrayMenus&) = delete;
    ~TrayMenus();

    // Every item's caption from the language (Open or Hide as `mainShown`).
    void ApplyLanguage(const waktuna::LanguageList& language, bool mainShown);
    void SetCaption(int item, const std::string& caption);
    std::string Caption(int item) const;
    void ShowPlayerMenu(int item, bool visible, const waktuna::LanguageList& language);
    void SetDropZoneTick(bool shown);
    // Shows the menu at the mouse for `owner`; the item chosen, if any.
    std::optional<int> Track(HWND owner) const;

private:
    HMENU MenuOf(int submenu) const;

    UniqueMenu main_, adzan_, multimedia_;
};

// Items that open a page or window the program does not have: shown greyed.
bool TrayItemGreyed(int item);

}  // namespace app
