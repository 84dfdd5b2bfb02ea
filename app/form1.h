// Form1, the main window: built at start-up, hidden in the notification area
// for most of its life, the owner of everything that lives as long as the
// program (settings key, clock timer and watch, tray icon and menus, the
// message dialogs, the pages, the look, the language list). The watch's
// requests reach the desktop through `Desktop`, which asks the main window
// through DesktopHost; pages reach it through PageHost.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "desktop.h"
#include "form1_ids.h"
#include "tray_icon.h"
#include "tray_menus.h"
#include "ui/look.h"
#include "ui/page.h"
#include "ui/skinned_window.h"
#include "waktuna/files/language.h"
#include "waktuna/look/saved_notice.h"
#include "waktuna/settings/settings.h"
#include "waktuna/watch/watch.h"
#include "win/handles.h"
#include "win/local_clock.h"
#include "win/registry_store.h"
#include "win/windows_zone.h"
#include "windows/message_dialog.h"

namespace app {

// The look of the program, built before the main window's own base.
struct LookHolder {
    Look own_look_;
};

class Form1 final : private LookHolder,
                    public SkinnedWindow,
                    public TrayListener,
                    public PageHost,
                    public DesktopHost {
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

    // ---- PageHost --------------------------------------------------------------
    void LoadSettings() override;
    void RecomputeTimes() override;
    void ApplyHijriCorrection(int8_t days) override;
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
    bool ApplyHotKey() override;
    waktuna::SettingsStore& Settings() override { return key_; }
    const waktuna::LanguageList& Language() const override { return language_; }
    const Look& GetLook() const override { return own_look_; }
    const std::string& ProgramFolder() const override { return program_folder_; }
    const std::string& AppDataFolder() const override { return app_data_folder_; }
    HWND DialogOwner() const override { return hwnd(); }
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string& file) override;
    float TimeZoneInForceToday(bool follow, float fixedHours) const override;
    const waktuna::ZoneRule* SystemZone() const override { return windows_zone_.get(); }

    // ---- DesktopHost (the rest is shared with PageHost) ------------------------
    const waktuna::MainSettings& CurrentSettings() const override { return settings_; }
    MainPage* MainPanel() const override;
    void SetDateLabel(const std::string& text) override;
    void SetTrayTip(const std::string& text) override { tray_.SetTip(text); }
    bool IsShown() const override;
    void ToggleMain() override;
    void ShowPlayerMenu(int item, bool visible) override;
    void SetDropZoneTick(bool shown) override;
    void SetDropZoneFlags(bool transparent, bool snap, bool remaining) override;
    void WarnCommandRefused(const std::string& command) override;
    void ReportPlayerError(const std::string& text) override;

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
    // The one way a language comes into force, stored or previewed: every
    // window's texts, the header date, the drop zone, the tray tip and the
    // watch's next messages.
    void UseLanguage(waktuna::LanguageList language);
    void ApplyLook();
    bool RegisterHotKeyFromSettings();
    void Close();
    void CloseWhenModalsEnd();

    // Window and controls (form1.cpp).
    void BuildControls();
    // Where the pages go, in the client area.
    RECT PageArea() const;
    void SavedNoticeTick();
    // The clock timer, due on the next second (each tick arms the next).
    void ArmClockTimer();
    Page* CurrentPage() const;

    // Tray menu commands (form1_tray.cpp).
    void RunMenuItem(int item);
    bool Confirm(int line);
    bool RunMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                          waktuna::DialogKind kind, int32_t effect);
    // Command tasks refused because another user saved the task file: the
    // warning waits for the message loop (kCommandRefused).
    void WarnRefusedCommands();
    std::string refused_commands_;
    // Errors shown from the message loop (kErrorsLater), after the tick or
    // handler they came from: a handler's unexpected error, a player's refusals.
    void ShowErrorLater(const std::string& text);
    void ShowErrorsLater();
    void ReportUnexpected(const std::string& what);
    std::vector<std::string> later_errors_;

    TrayIcon tray_;
    TrayMenus menus_;
    UniqueHandle instance_mutex_;
    // The user's settings over the machine's (every write to the user's).
    ProgramSettingsKey key_{HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, kSettingsKeyPath};
    LocalClock clock_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<waktuna::Watch> watch_;
    // The zone Windows is set to, read again at each computation.
    std::unique_ptr<WindowsZone> windows_zone_ = WindowsZone::Current();
    waktuna::MainSettings settings_;
    std::string program_folder_;
    std::string app_data_folder_;
    waktuna::LanguageList language_;

    MessageDialogRunner dialogs_{own_look_, language_};

    int hot_button_ = -1;
    waktuna::SavedNotice notice_;
    Brush saved_notice_brush_;

    std::array<std::unique_ptr<Page>, waktuna::kPageCount> pages_;
    waktuna::Page current_page_ = waktuna::kPageMain;
    bool closing_ = false;
};

}  // namespace app
