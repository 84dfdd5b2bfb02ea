#include "tray_menus.h"

#include "form1_ids.h"
#include "ui/page.h"
#include "waktuna/watch/tray_menu.h"

namespace app {

namespace {

UINT CommandOf(int item) { return form1::kMenuBase + static_cast<UINT>(item); }

}  // namespace

bool TrayItemGreyed(int item) {
    const auto page = waktuna::PageOfItem(item);
    return page && !FindPage(*page);
}

TrayMenus::TrayMenus()
    : main_(CreatePopupMenu()), adzan_(CreatePopupMenu()), multimedia_(CreatePopupMenu()) {
    for (const auto& item : waktuna::TrayMenuItems()) {
        // The two player submenus are inserted only while their player exists.
        if (item.number == waktuna::kItemAdzan || item.number == waktuna::kItemMultimedia) continue;
        HMENU target = MenuOf(item.submenu);
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
        mi.wID = CommandOf(item.number);
        if (item.initial_caption) {
            mi.fMask |= MIIM_STRING;
            mi.dwTypeData = const_cast<char*>(item.initial_caption);
        } else {
            mi.fType = MFT_SEPARATOR;
        }
        if (TrayItemGreyed(item.number)) mi.fState = MFS_GRAYED;
        InsertMenuItemA(target, static_cast<UINT>(GetMenuItemCount(target)), TRUE, &mi);
    }
    SetMenuDefaultItem(main_, CommandOf(waktuna::kItemOpen), FALSE);
}

TrayMenus::~TrayMenus() {
    // A submenu hanging in the main menu would go with it: each menu is
    // destroyed once, by its own owner.
    ShowPlayerMenu(waktuna::kItemAdzan, false, {});
    ShowPlayerMenu(waktuna::kItemMultimedia, false, {});
}

HMENU TrayMenus::MenuOf(int submenu) const {
    return submenu == waktuna::kItemAdzan        ? adzan_.get()
           : submenu == waktuna::kItemMultimedia ? multimedia_.get()
                                                 : main_.get();
}

void TrayMenus::ApplyLanguage(const waktuna::LanguageList& language, bool mainShown) {
    for (const auto& item : waktuna::TrayMenuItems())
        if (item.language_line) SetCaption(item.number, language.Line(item.language_line));
    SetCaption(waktuna::kItemOpen, language.Line(waktuna::OpenItemLine(mainShown)));
}

void TrayMenus::SetCaption(int item, const std::string& caption) {
    const auto& info = waktuna::TrayMenuItems()[static_cast<size_t>(item)];
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<char*>(caption.c_str());
    SetMenuItemInfoA(MenuOf(info.submenu), CommandOf(item), FALSE, &mi);
}

std::string TrayMenus::Caption(int item) const {
    char caption[256] = {};
    GetMenuStringA(main_, CommandOf(item), caption, sizeof caption, MF_BYCOMMAND);
    return caption;
}

void TrayMenus::ShowPlayerMenu(int item, bool visible, const waktuna::LanguageList& language) {
    HMENU submenu = MenuOf(item);
    // Where the submenu item sits: before About (Adzan) or Drop Zone (Multimedia).
    const UINT before = CommandOf(item == waktuna::kItemAdzan ? waktuna::kItemAbout
                                                              : waktuna::kItemDropZone);
    int position = -1;
    for (int i = 0; i < GetMenuItemCount(main_); ++i)
        if (GetSubMenu(main_, i) == submenu) position = i;
    if (visible && position < 0) {
        const auto& info = waktuna::TrayMenuItems()[static_cast<size_t>(item)];
        const std::string caption =
            info.language_line ? language.Line(info.language_line) : info.initial_caption;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mi.wID = CommandOf(item);
        mi.hSubMenu = submenu;
        mi.dwTypeData = const_cast<char*>(caption.c_str());
        InsertMenuItemA(main_, before, FALSE, &mi);
    } else if (!visible && position >= 0) {
        RemoveMenu(main_, static_cast<UINT>(position), MF_BYPOSITION);  // keeps the submenu
    }
}

void TrayMenus::SetDropZoneTick(bool shown) {
    CheckMenuItem(main_, CommandOf(waktuna::kItemDropZone), MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

std::optional<int> TrayMenus::Track(HWND owner) const {
    // In front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    POINT pt;
    GetCursorPos(&pt);
    const UINT cmd = TrackPopupMenu(main_, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (cmd < form1::kMenuBase) return std::nullopt;
    return static_cast<int>(cmd - form1::kMenuBase);
}

}  // namespace app
