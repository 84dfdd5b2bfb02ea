// Form1, the main window: built at start-up, hidden in the notification area
// for most of its life, the owner of everything that lives as long as the
// program (settings key, clock timer and watch, tray icon and menu, pages,
// the skin, the language list). It carries out what the watch asks for.
#pragma once

#include <array>
#include <memory>
#include <random>
#include <string>

#include "message_dialog.h"
#include "pictures.h"
#include "registry_store.h"
#include "skin_paint.h"
#include "tray_icon.h"
#include "waktuna/calc/datetime.h"
#include "waktuna/files/language.h"
#include "waktuna/watch/saved_notice.h"
#include "waktuna/settings/settings.h"
#include "waktuna/watch/tray_menu.h"
#include "waktuna/watch/watch.h"
#include "waktuna/watch/watch_actions.h"
#include "window.h"

namespace app {

class MainPage;

// The settings key as the watch and the dialog read it: the open registry
// key, or nothing while there is none (every value then reads as missing).
class SettingsKeyView final : public waktuna::SettingsStore {
public:
    void Set(RegistryStore* store) { store_ = store; }
    std::optional<waktuna::StoredValue> Read(std::string_view name) const override;
    bool Write(std::string_view name, const waktuna::StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

private:
    RegistryStore* store_ = nullptr;
};

class Form1 final : public Window, public TrayListener, public waktuna::WatchActions {
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

    // ---- Operations other windows call -----------------------------------------
    void LoadSettings();
    void RecomputeTimes();
    void ShowSavedNotice();
    // Buttons 0 = OK, 1 = OK and Cancel; kind 1..4. True when OK was pressed.
    bool ShowMessageDialog(uint8_t buttons, const std::string& text, uint8_t kind);

    void ShowMain();
    void HideMain();
    bool IsShown() const;
    void OpenPage(waktuna::Page page);

    const Skin& CurrentSkin() const { return skin_; }
    const waktuna::LanguageList& Language() const { return language_; }

    // ---- TrayListener ----------------------------------------------------------
    void OnTrayDoubleClick() override;
    void OnTrayRightButton() override;

    // ---- WatchActions ----------------------------------------------------------
    bool ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                           waktuna::DialogKind kind) override;
    void ShowBar(const std::string& first, const std::string& second,
                 waktuna::BarUse use) override;
    waktuna::DropZoneState GetDropZoneState() override;
    void SetDropZoneFirstText(const std::string& text) override;
    void SetDropZoneSecondText(const std::string& text) override;
    void StartDropZoneAlert() override;
    void SetTrayTip(const std::string& text) override;
    void HighlightCell(waktuna::PanelCell cell) override;
    void ShowDays(const waktuna::WatchDays& days) override;
    void SetDateLabel(const std::string& text) override;
    void Shutdown() override;
    bool IsHibernateAllowed() override;
    void Hibernate() override;
    void MinimizeAllWindows() override;
    bool FileExists(const std::string& path) override;
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string& file) override;
    void ShowAdzanMenu(bool visible) override;
    void ShowMultimediaMenu(bool visible) override;
    void RunCommand(const std::string& file) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Start-up and the end (form1_startup.cpp).
    Started StartUp();
    bool IsFirstInstance();
    void EndSecondInstance();
    void ApplyTexts();
    void ApplySkinNumber(int32_t n);
    void RegisterHotKeyFromSettings();
    void Close();

    // Window and controls (form1.cpp).
    void BuildControls();
    void Paint(HDC dc);
    void DrawItem(const DRAWITEMSTRUCT& di);
    void SavedNoticeTick();

    // Tray menu and commands (form1_tray.cpp).
    void BuildTrayMenu();
    void RunMenuItem(int item);
    void SetMenuCaption(int item, const std::string& caption);
    void ShowSubmenu(int item, HMENU submenu, bool visible);
    void OpenHelp();

    TrayIcon tray_;
    HANDLE instance_mutex_ = nullptr;
    std::unique_ptr<RegistryStore> key_;
    SettingsKeyView key_view_;
    waktuna::SystemClock clock_;
    std::unique_ptr<waktuna::Watch> watch_;
    waktuna::MainSettings settings_;
    std::string program_folder_;
    std::string app_data_folder_;
    Skin skin_;
    waktuna::LanguageList language_;

    DialogRequest request_;
    MessageDialog* dialog_ = nullptr;
    std::mt19937 random_{std::random_device{}()};

    HMENU tray_menu_ = nullptr;
    HMENU adzan_menu_ = nullptr;
    HMENU multimedia_menu_ = nullptr;
    PictureStrip pictures24_, pictures16_;

    HFONT font_ = nullptr, font_bold_ = nullptr, font_title_ = nullptr, font_caption_ = nullptr;
    HWND page_title_ = nullptr;    // on the caption strip: "Waktuna - [...]"
    HWND header_title_ = nullptr;  // line 48
    HWND date_label_ = nullptr;
    HWND version_label_ = nullptr;
    HWND hide_button_ = nullptr;
    std::array<HWND, waktuna::kPageCount> page_buttons_{};
    int hot_button_ = -1;
    RECT page_area_{};
    HWND saved_notice_ = nullptr;
    waktuna::SavedNotice notice_;
    HBRUSH saved_notice_brush_ = nullptr;

    std::unique_ptr<MainPage> main_page_;
    waktuna::Page current_page_ = waktuna::kPageMain;
};

}  // namespace app
