// Form1, the main window: built at start-up, hidden in the notification area
// for most of its life, the owner of everything that lives as long as the
// program (settings key, clock timer and watch, tray icon and menu, the
// pages, the look, the language list). The watch's requests reach the
// desktop through `Desktop`; pages reach the main window through PageHost.
#pragma once

#include <array>
#include <memory>
#include <random>
#include <string>

#include "desktop.h"
#include "form1_ids.h"
#include "local_clock.h"
#include "look.h"
#include "message_dialog.h"
#include "page.h"
#include "registry_store.h"
#include "skinned_window.h"
#include "tray_icon.h"
#include "waktuna/files/language.h"
#include "waktuna/settings/settings.h"
#include "waktuna/watch/saved_notice.h"
#include "waktuna/watch/tray_menu.h"
#include "waktuna/watch/watch.h"
#include "windows_zone.h"

namespace app {

class MainPage;

// The look of the program, built before the main window's own base.
struct LookHolder {
    Look own_look_;
};

class Form1 final : private LookHolder,
                    public SkinnedWindow,
                    public TrayListener,
                    public PageHost {
public:
    static constexpr const char* kClassName = "WaktunaForm1";
    static constexpr int kWidth = 586, kHeight = 407;
    static constexpr int kHotKeyId = 1001;
    // The single-instance mutex: "Waktuna3 " and a fixed text of ours.
    static constexpr const char* kMutexName = "Waktuna3 single instance 5E1B07A2";

    enum class Started { kFirst, kSecond, kFailed };

    Form1();
    ~Form1() override;

    // Builds the application window and the main window, then runs StartUp.
    Started Create();

    void ShowMain();
    void HideMain();
    bool IsShown() const;

    // ---- PageHost --------------------------------------------------------------
    void LoadSettings() override;
    void RecomputeTimes() override;
    void ShowSavedNotice(const std::string& text = {}) override;
    bool ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                           waktuna::DialogKind kind) override;
    void OpenPage(waktuna::Page page) override;
    void ReloadTodayTasks() override;
    void PreviewSkin(int32_t skin) override;
    void PreviewLanguage(const std::string& name) override;
    void ApplyDesktopSettings() override;
    void ShowDropZone(bool visible) override;
    std::optional<bool> DropZoneVisible() const override;
    void ShowEffectSample(int effect) override;
    void OpenHelp() override;
    waktuna::SettingsStore& Settings() override { return key_; }
    const waktuna::LanguageList& Language() const override { return language_; }
    const Look& GetLook() const override { return own_look_; }
    const std::string& ProgramFolder() const override { return program_folder_; }
    const std::string& AppDataFolder() const override { return app_data_folder_; }
    HWND DialogOwner() const override { return hwnd(); }
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string& file) override;
    float TimeZoneInForceToday(bool follow, float fixedHours) const override;
    const waktuna::ZoneRule* SystemZone() const override { return windows_zone_.get(); }

    // ---- What the desktop forwards to the main window -------------------------
    MainPage* main_page() const;
    TrayIcon& tray() { return tray_; }
    const waktuna::MainSettings& settings() const { return settings_; }
    void SetDateLabel(const std::string& text);
    // The tray menu's player submenus ("Adzan", "Multimedia") shown or removed.
    void ShowPlayerMenu(int item, bool visible);
    // The drop zone was shown or hidden: the tray menu's tick follows.
    void SetDropZoneTick(bool shown);
    // The drop zone's menu changed dzTransparent, dzSnap or dzRemaining.
    void SetDropZoneFlags(bool transparent, bool snap, bool remaining);
    // A Command task was not run (task_command.h): the user is warned once
    // the watch's tick has ended, since a dialog opened inside it would run
    // the watch again.
    void WarnCommandRefused(const std::string& command);

    // ---- TrayListener ----------------------------------------------------------
    void OnTrayDoubleClick() override;
    void OnTrayRightButton() override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintBody(HDC dc, const RECT& client) override;
    bool IsDragArea(POINT point) const override;
    COLORREF LabelColour(HWND label) const override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void OnCaptionButton(int id) override;
    void OnDpiChanged() override;

private:
    // Start-up and the end (form1_startup.cpp).
    Started StartUp();
    bool IsFirstInstance();
    void EndSecondInstance();
    void ApplyTexts();
    void ApplyLook();
    void RegisterHotKeyFromSettings();
    void Close();
    void CloseWhenModalsEnd();

    // Window and controls (form1.cpp).
    void BuildControls();
    // Where the pages go, in the client area.
    RECT PageArea() const;
    void SavedNoticeTick();
    Page* CurrentPage() const;

    // Tray menu and commands (form1_tray.cpp).
    void BuildTrayMenu();
    void RunMenuItem(int item);
    bool Confirm(int line);
    void SetMenuCaption(int item, const std::string& caption);
    bool RunMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                          waktuna::DialogKind kind, int32_t effect);
    // Command tasks refused because another user saved the task file: the
    // warning waits for the message loop (kCommandRefused).
    void WarnRefusedCommands();
    std::string refused_commands_;

    TrayIcon tray_;
    HANDLE instance_mutex_ = nullptr;
    SettingsKey key_{HKEY_LOCAL_MACHINE, kSettingsKeyPath};
    LocalClock clock_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<waktuna::Watch> watch_;
    // The zone Windows is set to, read again at each computation.
    std::unique_ptr<WindowsZone> windows_zone_ = WindowsZone::Current();
    waktuna::MainSettings settings_;
    std::string program_folder_;
    std::string app_data_folder_;
    waktuna::LanguageList language_;

    DialogRequest request_;
    MessageDialog* dialog_ = nullptr;
    std::mt19937 random_{std::random_device{}()};

    HMENU tray_menu_ = nullptr;
    HMENU adzan_menu_ = nullptr;
    HMENU multimedia_menu_ = nullptr;

    int hot_button_ = -1;
    waktuna::SavedNotice notice_;
    Brush saved_notice_brush_;

    std::array<std::unique_ptr<Page>, waktuna::kPageCount> pages_;
    waktuna::Page current_page_ = waktuna::kPageMain;
    bool closing_ = false;
};

}  // namespace app
