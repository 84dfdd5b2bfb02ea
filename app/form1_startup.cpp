// The main window's start-up, settings, recomputation, message dialog and end.
#include <windows.h>

#include "controls.h"
#include "form1.h"
#include "form1_ids.h"
#include "main_page.h"
#include "power.h"
#include "waktuna/files/tasks.h"

namespace app {

using namespace form1;

// ---- The settings key as the watch sees it --------------------------------------

std::optional<waktuna::StoredValue> SettingsKeyView::Read(std::string_view name) const {
    return store_ ? store_->Read(name) : std::nullopt;
}
bool SettingsKeyView::Write(std::string_view name, const waktuna::StoredValue& value) {
    return store_ && store_->Write(name, value);
}
bool SettingsKeyView::Delete(std::string_view name) { return store_ && store_->Delete(name); }
std::vector<std::string> SettingsKeyView::Names() const {
    return store_ ? store_->Names() : std::vector<std::string>{};
}

// ---- Start-up -------------------------------------------------------------------

bool Form1::IsFirstInstance() {
    instance_mutex_ = CreateMutexA(nullptr, FALSE, kMutexName);
    if (!instance_mutex_) return false;
    // The first instance takes the mutex and keeps it for its whole life; a
    // later one finds it owned and times out at once.
    return WaitForSingleObject(instance_mutex_, 0) != WAIT_TIMEOUT;
}

void Form1::EndSecondInstance() {
    tray_.Remove();
    HWND first = nullptr;
    if (key_) {
        const uint32_t value = waktuna::ReadDword(*key_, "Hwnd");
        first = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value)));
    }
    key_.reset();
    key_view_.Set(nullptr);
    if (first) ShowWindow(first, SW_SHOWNORMAL);
    if (instance_mutex_) CloseHandle(instance_mutex_);
    instance_mutex_ = nullptr;
    DestroyWindow(tray_.hwnd());
}

Form1::Started Form1::StartUp() {
    key_ = RegistryStore::Open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_READ | KEY_WRITE);
    key_view_.Set(key_.get());

    if (!IsFirstInstance()) {
        EndSecondInstance();
        return Started::kSecond;
    }
    if (key_)
        waktuna::WriteDword(*key_, "Hwnd",
                            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd())));

    SetText(version_label_, "Waktuna v3.10");
    SetText(page_title_, "Waktuna");
    ApplySkinNumber(0);
    SetWindowRgn(hwnd(), CreateRoundRectRgn(0, 0, Scale(kWidth) + 1, Scale(kHeight) + 14, 13, 13),
                 FALSE);

    // Without a settings key nothing is read: the start values, with the
    // clock shown as "HH:mm" like a key whose TimeFormat is missing.
    settings_ = waktuna::StartSettings();
    settings_.core.time_format = std::string(waktuna::kFormatHHmm);
    program_folder_ = ProgramFolder();
    language_ = waktuna::BuiltInEnglish();
    watch_ = std::make_unique<waktuna::Watch>(*this, clock_, &key_view_);
    watch_->SetSettings(settings_);
    watch_->SetProgramFolder(program_folder_);
    SetTimer(hwnd(), kClockTimer, 1000, nullptr);
    watch_->Start();
    ShowWindow(saved_notice_, SW_HIDE);

    LoadSettings();
    ApplySkinNumber(settings_.skin);
    main_page_ = std::make_unique<MainPage>(skin_, language_);
    main_page_->Create(hwnd(), page_area_);
    OpenPage(waktuna::kPageMain);
    RecomputeTimes();

    app_data_folder_ = GetAppDataFolder();
    ShowWindow(hwnd(), SW_HIDE);
    watch_->SetTaskFile(waktuna::TaskFilePath(app_data_folder_));
    watch_->LoadTodayTasks();
    watch_->RunStartupTasks();
    SetText(header_title_, language_.Line(48));
    RegisterHotKeyFromSettings();
    return Started::kFirst;
}

void Form1::LoadSettings() {
    if (!key_) {
        key_ = RegistryStore::Open(HKEY_LOCAL_MACHINE, kSettingsKeyPath, KEY_READ);
        key_view_.Set(key_.get());
    }
    if (!key_) {
        // No key: English texts; every setting keeps what it had.
        language_ = waktuna::BuiltInEnglish();
        ApplyTexts();
        if (watch_) watch_->SetLanguage(language_);
        return;
    }
    settings_ = waktuna::ReadMainSettings(*key_);
    SetWindowPos(hwnd(), settings_.always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    language_ = waktuna::LoadLanguageFile(
        waktuna::LanguageFilePath(program_folder_, settings_.language));
    ApplyTexts();
    if (watch_) {
        watch_->SetSettings(settings_);
        watch_->SetLanguage(language_);
    }
}

void Form1::RecomputeTimes() {
    if (watch_) watch_->RecomputeTimes();  // the panel's columns, its texts, the date label
}

void Form1::ApplySkinNumber(int32_t n) {
    ApplySkin(n, skin_);
    if (main_page_) main_page_->ApplyColours();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Form1::ApplyTexts() {
    SetText(header_title_, language_.Line(48));
    for (int i = 0; i < waktuna::kPageCount; ++i)
        SetText(page_buttons_[i], waktuna::PageButtonCaption(language_, static_cast<waktuna::Page>(i)));
    for (const auto& item : waktuna::TrayMenuItems())
        if (item.language_line) SetMenuCaption(item.number, language_.Line(item.language_line));
    SetMenuCaption(waktuna::kItemOpen, language_.Line(waktuna::OpenItemLine(IsShown())));
    if (main_page_) {
        main_page_->ApplyLanguage();
        SetText(page_title_, waktuna::PageTitle(language_, current_page_));
    }
}

void Form1::RegisterHotKeyFromSettings() {
    const uint32_t key = waktuna::HotKeyFromText(waktuna::ReadString(key_view_, "HotKey"));
    // A key combination that is taken simply does not work.
    RegisterHotKey(hwnd(), kHotKeyId, MOD_ALT | MOD_CONTROL, key);
}

// ---- Message dialog -------------------------------------------------------------------

bool Form1::ShowMessageDialog(uint8_t buttons, const std::string& text, uint8_t kind) {
    if (dialog_) return false;  // one at a time: this message is dropped
    request_.buttons = buttons == 1 ? waktuna::DialogButtons::OkCancel : waktuna::DialogButtons::Ok;
    request_.text = text;
    request_.kind = kind;
    // A confirmation never inherits an earlier OK: only this dialog's OK counts.
    request_.result = 0;
    DialogOptions options;
    options.dialog_effect = static_cast<int32_t>(waktuna::ReadDword(key_view_, "DialogEffect"));
    options.use_alpha_blend = waktuna::ReadDword(key_view_, "UseAlphaBlend") == 1;
    options.random_effect = std::uniform_int_distribution<int>(2, waktuna::kEffectLast)(random_);
    MessageDialog dialog(request_, options, skin_, language_, pictures16_);
    dialog_ = &dialog;
    const bool was_enabled = !EnableWindow(hwnd(), FALSE);
    dialog.RunModal(hwnd());
    if (was_enabled) EnableWindow(hwnd(), TRUE);
    dialog_ = nullptr;
    return request_.result == 1;
}

bool Form1::ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                              waktuna::DialogKind kind) {
    return ShowMessageDialog(static_cast<uint8_t>(buttons), text, static_cast<uint8_t>(kind));
}

// ---- The end ---------------------------------------------------------------------------

void Form1::Close() {
    if (watch_) watch_->CloseMultimedia();
    ShowSubmenu(waktuna::kItemMultimedia, multimedia_menu_, false);
    DestroyWindow(hwnd());
}

}  // namespace app
