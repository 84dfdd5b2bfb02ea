// Form1, the main window: built at start-up, hidden in the notification area
// for most of its life, the owner of everything that lives as long as the
// program (settings key, clock timer, today's times, tray icon and menu,
// pages, the skin).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "pictures.h"
#include "skin_paint.h"
#include "tray_icon.h"
#include "waktuna/language.h"
#include "waktuna/prayer.h"
#include "waktuna/tray_menu.h"
#include "window.h"

namespace app {

class MainPage;

class Form1 final : public Window, public TrayListener {
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

    // Shows the main window (restored) and brings it to the front.
    void ShowMain();
    void HideMain();
    bool IsShown() const;
    void OpenPage(waktuna::Page page);
    // Shows the "Setting saved" strip.
    void ShowSavedNotice();

    const Skin& CurrentSkin() const { return skin_; }
    const waktuna::LanguageList& Language() const { return language_; }

    // TrayListener
    void OnTrayDoubleClick() override;
    void OnTrayRightButton() override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    Started StartUp();
    bool IsFirstInstance();
    void BuildTrayMenu();
    void BuildControls();
    void Layout();
    void ApplyTexts();
    void ApplySkinNumber(int32_t n);
    void RegisterHotKeyFrom(const std::string& text);
    void RunMenuItem(int item);
    void SetMenuCaption(int item, const std::string& caption);
    void Paint(HDC dc);
    void DrawItem(const DRAWITEMSTRUCT& di);
    void SavedNoticeTick();
    void Close();

    TrayIcon tray_;
    HANDLE instance_mutex_ = nullptr;
    HKEY settings_key_ = nullptr;
    Skin skin_;
    waktuna::LanguageList language_;

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
    int saved_notice_count_ = 0;
    int saved_notice_height_ = 0;
    HBRUSH saved_notice_brush_ = nullptr;

    std::unique_ptr<MainPage> main_page_;
    waktuna::Page current_page_ = waktuna::kPageMain;
};

}  // namespace app
