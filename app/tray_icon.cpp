#include "tray_icon.h"

#include <shellapi.h>

#include <cstring>

namespace app {

bool TrayIcon::Create(TrayListener* listener) {
    listener_ = listener;
    taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
    icon_ = static_cast<HICON>(LoadImageA(Instance(), "ZFORM1_TRAY", IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0));
    WindowSpec spec;
    spec.class_name = kClassName;
    spec.title = "Waktuna3";
    spec.style = WS_POPUP;
    spec.x = spec.y = 0;
    spec.width = spec.height = 0;
    return CreateWin(spec);
}

NOTIFYICONDATAA TrayIcon::Data() const {
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd();
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kCallbackMessage;
    nid.hIcon = icon_;
    std::strncpy(nid.szTip, tip_.c_str(), 63);
    nid.szTip[63] = '\0';
    return nid;
}

void TrayIcon::Add() {
    wanted_ = true;
    NOTIFYICONDATAA nid = Data();
    // A shell too busy to answer in time may have added the icon after all:
    // then only a modify succeeds.
    added_ = shell_(NIM_ADD, &nid) != FALSE || shell_(NIM_MODIFY, &nid) != FALSE;
    if (added_)
        KillTimer(hwnd(), kRetryTimer);
    else
        SetTimer(hwnd(), kRetryTimer, kRetryMilliseconds, nullptr);
}

void TrayIcon::SetTip(const std::string& tip) {
    if (tip == tip_) return;
    tip_ = tip;
    if (!added_) return;
    NOTIFYICONDATAA nid = Data();
    shell_(NIM_MODIFY, &nid);
}

void TrayIcon::Remove() {
    wanted_ = false;
    KillTimer(hwnd(), kRetryTimer);
    if (!added_) return;
    NOTIFYICONDATAA nid = Data();
    nid.uFlags = 0;
    shell_(NIM_DELETE, &nid);
    added_ = false;
}

LRESULT TrayIcon::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kCallbackMessage) {
        switch (LOWORD(lp)) {
        case WM_LBUTTONDBLCLK:
            listener_->OnTrayDoubleClick();
            break;
        case WM_RBUTTONDOWN:
            listener_->OnTrayRightButton();
            break;
        }
        return 0;
    }
    if (msg == WM_TIMER && wp == kRetryTimer) {
        KillTimer(hwnd(), kRetryTimer);
        if (wanted_ && !added_) Add();
        return 0;
    }
    if (msg == taskbar_created_ && taskbar_created_ != 0) {
        // The shell restarted and forgot every icon: put ours back.
        if (wanted_) Add();
        return 0;
    }
    if (msg == WM_DESTROY) Remove();
    return Default(msg, wp, lp);
}

}  // namespace app
