// The application window "Waktuna3": a hidden window that owns the icon in the
// notification area and receives its messages. It puts the icon back when the
// taskbar is re-created (the shell restarted), and keeps trying while the shell
// does not take it (at logon the program may start before the taskbar).
#pragma once

#include <string>

#include "ui/window.h"  // <windows.h> first

#include <shellapi.h>

namespace app {

class TrayListener {
public:
    virtual ~TrayListener() = default;
    virtual void OnTrayDoubleClick() = 0;
    virtual void OnTrayRightButton() = 0;
};

class TrayIcon final : public Window {
public:
    static constexpr const char* kClassName = "WaktunaApplication";
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT_PTR kRetryTimer = 1;
    static constexpr UINT kRetryMilliseconds = 2000;
    using ShellNotify = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

    explicit TrayIcon(ShellNotify shell = Shell_NotifyIconA) : shell_(shell) {}

    bool Create(TrayListener* listener);
    // Adds the icon (resource ZFORM1_TRAY) with its tip; while the shell
    // refuses, tries again every kRetryMilliseconds until it takes it.
    void Add();
    // The tip; the notification area shows at most 63 characters of it.
    void SetTip(const std::string& tip);
    void Remove();
    bool Added() const { return added_; }
    bool Wanted() const { return wanted_; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    NOTIFYICONDATAA Data() const;
    ShellNotify shell_;
    TrayListener* listener_ = nullptr;
    HICON icon_ = nullptr;
    std::string tip_ = "Waktuna";
    bool added_ = false;
    bool wanted_ = false;  // until Remove: re-added when the taskbar comes back
    UINT taskbar_created_ = 0;
};

}  // namespace app
