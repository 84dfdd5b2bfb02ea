// The tray menu's commands and the main window's other commands.
#include <windows.h>

#include <shellapi.h>

#include "form1.h"
#include "form1_ids.h"
#include "win/power.h"
#include "waktuna/files/lines.h"

namespace app {

using namespace form1;

void Form1::ShowPlayerMenu(int item, bool visible) { menus_.ShowPlayerMenu(item, visible, language_); }

void Form1::SetDropZoneFlags(bool transparent, bool snap, bool remaining) {
    settings_.dz_transparent = transparent;
    settings_.dz_snap = snap;
    settings_.dz_remaining = remaining;
    if (watch_) watch_->SetSettings(settings_);
}

void Form1::OnTrayDoubleClick() {
    ShowMain();
    OpenPage(waktuna::kPageMain);
}

void Form1::OnTrayRightButton() {
    if (const auto item = menus_.Track(hwnd())) RunMenuItem(*item);
}

void Form1::OpenHelp() {
    const std::string path = program_folder_ + waktuna::HelpFileName(menus_.Caption(waktuna::kItemHelp));
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
    if (TrayItemGreyed(item)) return;
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
