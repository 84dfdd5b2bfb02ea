// The tray icon's menu, its commands and the main window's other commands.
#include <windows.h>

#include <shellapi.h>

#include "form1.h"
#include "form1_ids.h"
#include "power.h"

namespace app {

using namespace form1;

namespace {

// Items whose windows come with later work: shown greyed until then.
bool Greyed(int item) {
    switch (item) {
    case waktuna::kItemProgramSetting:
    case waktuna::kItemPrayerTimesSetting:
    case waktuna::kItemMessageSetting:
    case waktuna::kItemScheduleMaker:
    case waktuna::kItemTaskScheduler:
    case waktuna::kItemConverter:
    case waktuna::kItemAbout:
    case waktuna::kItemDropZone:
        return true;
    default:
        return false;
    }
}

UINT CommandOf(int item) { return kMenuBase + static_cast<UINT>(item); }

}  // namespace

void Form1::BuildTrayMenu() {
    tray_menu_ = CreatePopupMenu();
    adzan_menu_ = CreatePopupMenu();
    multimedia_menu_ = CreatePopupMenu();
    for (const auto& item : waktuna::TrayMenuItems()) {
        // The two player submenus are inserted only while their player exists.
        if (item.number == waktuna::kItemAdzan || item.number == waktuna::kItemMultimedia) continue;
        HMENU target = item.submenu == waktuna::kItemAdzan        ? adzan_menu_
                       : item.submenu == waktuna::kItemMultimedia ? multimedia_menu_
                                                                  : tray_menu_;
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
        if (Greyed(item.number)) mi.fState = MFS_GRAYED;
        InsertMenuItemA(target, static_cast<UINT>(GetMenuItemCount(target)), TRUE, &mi);
    }
    SetMenuDefaultItem(tray_menu_, CommandOf(waktuna::kItemOpen), FALSE);
}

void Form1::ShowSubmenu(int item, HMENU submenu, bool visible) {
    // Where the submenu item sits: before About (Adzan) or Drop Zone (Multimedia).
    const UINT before = CommandOf(item == waktuna::kItemAdzan ? waktuna::kItemAbout
                                                              : waktuna::kItemDropZone);
    int position = -1;
    for (int i = 0; i < GetMenuItemCount(tray_menu_); ++i)
        if (GetSubMenu(tray_menu_, i) == submenu) position = i;
    if (visible && position < 0) {
        const auto& info = waktuna::TrayMenuItems()[static_cast<size_t>(item)];
        const std::string caption =
            info.language_line ? language_.Line(info.language_line) : info.initial_caption;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mi.wID = CommandOf(item);
        mi.hSubMenu = submenu;
        mi.dwTypeData = const_cast<char*>(caption.c_str());
        InsertMenuItemA(tray_menu_, before, FALSE, &mi);
    } else if (!visible && position >= 0) {
        RemoveMenu(tray_menu_, static_cast<UINT>(position), MF_BYPOSITION);  // keeps the submenu
    }
}

void Form1::SetMenuCaption(int item, const std::string& caption) {
    const auto& info = waktuna::TrayMenuItems()[static_cast<size_t>(item)];
    HMENU target = info.submenu == waktuna::kItemAdzan        ? adzan_menu_
                   : info.submenu == waktuna::kItemMultimedia ? multimedia_menu_
                                                              : tray_menu_;
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = const_cast<char*>(caption.c_str());
    SetMenuItemInfoA(target, CommandOf(item), FALSE, &mi);
}

void Form1::OnTrayDoubleClick() {
    ShowMain();
    OpenPage(waktuna::kPageMain);
}

void Form1::OnTrayRightButton() {
    // In front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(hwnd());
    POINT pt;
    GetCursorPos(&pt);
    const UINT cmd = TrackPopupMenu(tray_menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                                    hwnd(), nullptr);
    PostMessageA(hwnd(), WM_NULL, 0, 0);
    if (cmd >= kMenuBase) RunMenuItem(static_cast<int>(cmd - kMenuBase));
}

void Form1::OpenHelp() {
    char caption[256] = {};
    GetMenuStringA(tray_menu_, CommandOf(waktuna::kItemHelp), caption, sizeof caption, MF_BYCOMMAND);
    const std::string path = program_folder_ + waktuna::HelpFileName(caption);
    if (FileExists(path)) {
        ShellExecuteA(hwnd(), "Open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
        HideMain();
    } else {
        ShowMessageDialog(0, language_.Line(142), 1);
    }
}

void Form1::RunMenuItem(int item) {
    // Disabled items are never chosen; a message naming one does nothing.
    if (Greyed(item)) return;
    switch (item) {
    case waktuna::kItemOpen:
        if (!IsShown()) {
            ShowMain();
            OpenPage(waktuna::kPageMain);
        } else {
            HideMain();
        }
        break;
    case waktuna::kItemHelp:
        OpenHelp();
        break;
    case waktuna::kItemShutdown:
        if (ShowMessageDialog(1, language_.Line(141), 4)) Shutdown();
        break;
    case waktuna::kItemHibernate:
        if (ShowMessageDialog(1, language_.Line(139), 4)) Hibernate();
        break;
    case waktuna::kItemClose:
        if (ShowMessageDialog(1, language_.Line(138), 4)) Close();
        break;
    case waktuna::kItemStopAdzan:
        watch_->CloseAdzan();
        break;
    case waktuna::kItemPauseAdzan:
        watch_->PauseAdzan();
        break;
    case waktuna::kItemPlayAdzan:
        watch_->ResumeAdzan();
        break;
    case waktuna::kItemPause:
        watch_->PauseMultimedia();
        break;
    case waktuna::kItemStop:
        watch_->CloseMultimedia();
        break;
    case waktuna::kItemPlay:
        watch_->ResumeMultimedia();
        break;
    default:
        break;
    }
}

}  // namespace app
