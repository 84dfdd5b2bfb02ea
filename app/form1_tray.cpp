// The tray icon's menu, its commands and the main window's other commands.
#include <windows.h>

#include <shellapi.h>

#include "form1.h"
#include "form1_ids.h"
#include "power.h"
#include "waktuna/files/lines.h"

namespace app {

using namespace form1;

namespace {

// Items that open a page or window the program does not have: shown greyed.
bool Greyed(int item) {
    const auto page = waktuna::PageOfItem(item);
    return page && !FindPage(*page);
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

void Form1::ShowPlayerMenu(int item, bool visible) {
    HMENU submenu = item == waktuna::kItemAdzan ? adzan_menu_ : multimedia_menu_;
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

void Form1::SetDropZoneTick(bool shown) {
    CheckMenuItem(tray_menu_, CommandOf(waktuna::kItemDropZone),
                  MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

void Form1::SetDropZoneFlags(bool transparent, bool snap, bool remaining) {
    settings_.dz_transparent = transparent;
    settings_.dz_snap = snap;
    settings_.dz_remaining = remaining;
    if (watch_) watch_->SetSettings(settings_);
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
    if (FileExistsOnDisk(path)) {
        ShellExecuteA(hwnd(), "Open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
        HideMain();
    } else {
        ShowMessageDialog(waktuna::DialogButtons::Ok, language_.Line(waktuna::kLineHelpNotFound),
                          waktuna::DialogKind::Error);
    }
}

bool Form1::Confirm(int line) {
    return ShowMessageDialog(waktuna::DialogButtons::OkCancel, language_.Line(line),
                             waktuna::DialogKind::Question);
}

void Form1::RunMenuItem(int item) {
    // Disabled items are never chosen; a message naming one does nothing.
    if (Greyed(item)) return;
    if (const auto page = waktuna::PageOfItem(item)) {
        if (FindPage(*page)->run == nullptr) ShowMain();
        OpenPage(*page);
        return;
    }
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
        if (Confirm(waktuna::kLineConfirmShutdown)) app::Shutdown();
        break;
    case waktuna::kItemHibernate:
        if (Confirm(waktuna::kLineConfirmHibernate)) app::Hibernate();
        break;
    case waktuna::kItemClose:
        if (Confirm(waktuna::kLineConfirmClose)) CloseWhenModalsEnd();
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
    case waktuna::kItemDropZone:
        if (desktop_->DropZoneShown()) desktop_->HideDropZone();
        else desktop_->ShowDropZone();
        break;
    default:
        break;
    }
}

}  // namespace app
