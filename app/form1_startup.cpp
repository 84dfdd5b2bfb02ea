// The main window's start-up, settings, recomputation, message dialog and end.
#include <windows.h>
#include <mmsystem.h>

#include "ui/controls.h"
#include "form1.h"
#include "pages/main_page.h"
#include "ui/message_loop.h"
#include "win/power.h"
#include "win/task_command.h"
#include "waktuna/files/tasks.h"
#include "waktuna/version.h"

namespace app {

using namespace form1;

// ---- Start-up -------------------------------------------------------------------

bool Form1::IsFirstInstance() {
    instance_mutex_.reset(CreateMutexA(nullptr, FALSE, kMutexName));
    if (!instance_mutex_) return false;
    // The first instance takes the mutex and keeps it for its whole life; a
    // later one finds it owned and times out at once.
    return WaitForSingleObject(instance_mutex_, 0) != WAIT_TIMEOUT;
}

void Form1::EndSecondInstance() {
    tray_.Remove();
    // The first instance's main window, found in this session only: a
    // stored Hwnd could be any window another user or program named.
    HWND first = nullptr;
    while ((first = FindWindowExA(nullptr, first, kClassName, nullptr)) != nullptr)
        if (first != hwnd()) break;
    if (first) ShowWindow(first, SW_SHOWNORMAL);
    instance_mutex_.reset();
    DestroyWindow(tray_.hwnd());
}

Form1::Started Form1::StartUp() {
    if (!IsFirstInstance()) {
        EndSecondInstance();
        return Started::kSecond;
    }
    if (key_.Exists())
        waktuna::WriteDword(key_, "Hwnd", static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd())));

    SetText(controls_[kPageTitleId], "Waktuna");

    // Without a settings key nothing is read: the values of an empty key.
    settings_ = waktuna::StartSettings();
    program_folder_ = app::ProgramFolder();
    language_ = waktuna::BuiltInEnglish();
    desktop_ = std::make_unique<Desktop>(*this);
    watch_ = std::make_unique<waktuna::Watch>(*desktop_, clock_, &key_);
    watch_->SetZoneRule(windows_zone_.get());
    watch_->SetSettings(settings_);
    watch_->SetProgramFolder(program_folder_);
    ArmClockTimer();
    watch_->Start();
    ShowWindow(controls_[kSavedNoticeId], SW_HIDE);

    LoadSettings();
    OpenPage(waktuna::kPageMain);
    RecomputeTimes();

    app_data_folder_ = MachineDataFolder();
    ShowWindow(hwnd(), SW_HIDE);
    // Each user's own tasks, then the machine-wide ones; the first start after
    // an upgrade may bring the user's tasks over from the machine-wide folder.
    const std::string user_folder = GetUserDataFolder();
    CopyOldTaskFile(app_data_folder_, user_folder);
    watch_->SetTaskFiles(user_folder.empty() ? std::string() : waktuna::TaskFilePath(user_folder),
                         app_data_folder_.empty() || app_data_folder_ == user_folder
                             ? std::string()
                             : waktuna::TaskFilePath(app_data_folder_));
    watch_->LoadTodayTasks();
    if (settings_.show_drop_zone) desktop_->ShowDropZone();
    watch_->RunStartupTasks();
    RegisterHotKeyFromSettings();
    // The sound system is loaded now (its driver, the connection to the
    // sound server), not when the first adzan of the run has to start.
    waveOutGetNumDevs();
    return Started::kFirst;
}

void Form1::LoadSettings() {
    key_.Reopen();
    if (!key_.Exists()) {
        // No key: English texts; every setting keeps what it had.
        UseLanguage(waktuna::BuiltInEnglish());
        return;
    }
    settings_ = waktuna::ReadMainSettings(key_);
    SetWindowPos(hwnd(), settings_.always_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    own_look_.ApplySkinNumber(settings_.skin);
    ApplyLook();
    if (watch_) watch_->SetSettings(settings_);
    UseLanguage(waktuna::LoadLanguageFile(waktuna::LanguageFilePath(program_folder_, settings_.language)));
}

void Form1::UseLanguage(waktuna::LanguageList language) {
    language_ = std::move(language);
    ApplyTexts();
    // The header date at once; the countdown in the drop zone and the tray
    // tip, and the alerts, from the watch's next tick.
    if (watch_) watch_->SetLanguage(language_);
    if (desktop_) desktop_->Repaint();
}

void Form1::RecomputeTimes() {
    if (watch_) watch_->RecomputeTimes();  // the panel's columns, its texts, the date label
}

void Form1::ApplyHijriCorrection(int8_t days) {
    settings_.core.hijriyah_diff = days;
    if (watch_) watch_->SetSettings(settings_);
    RecomputeTimes();
}

float Form1::TimeZoneInForceToday(bool follow, float fixedHours) const {
    return waktuna::TimeZoneOfDay(fixedHours, follow, windows_zone_.get(), clock_.Today());
}

void Form1::ReloadTodayTasks() {
    if (watch_) watch_->LoadTodayTasks();
}

void Form1::ApplyLook() {
    for (auto& page : pages_)
        if (page) page->ApplyColours();
    dialogs_.Repaint();
    if (desktop_) desktop_->Repaint();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form1::ApplyTexts() {
    controls_.ApplyLanguage(language_);
    for (int i = 0; i < waktuna::kPageCount; ++i)
        SetText(controls_[kFirstPageButtonId + i],
                waktuna::PageButtonCaption(language_, static_cast<waktuna::Page>(i)));
    menus_.ApplyLanguage(language_, IsShown());
    for (auto& page : pages_)
        if (page) page->ApplyLanguage();
    if (CurrentPage()) SetText(controls_[kPageTitleId], waktuna::PageTitle(language_, current_page_));
}

void Form1::PreviewSkin(int32_t skin) {
    own_look_.ApplySkinNumber(skin);
    ApplyLook();
}

void Form1::PreviewLanguage(const std::string& name) {
    UseLanguage(waktuna::LoadLanguageFile(waktuna::LanguageFilePath(program_folder_, name)));
}

void Form1::ApplyDesktopSettings() {
    if (desktop_) desktop_->ApplyDesktopSettings();
}

void Form1::ShowDropZone(bool visible) {
    if (!desktop_) return;
    if (visible) desktop_->ShowDropZone();
    else desktop_->HideDropZone();
}

void Form1::SetDropZoneTick(bool shown) {
    menus_.SetDropZoneTick(shown);
    // The program page's box follows, so its Save keeps what the user did.
    for (auto& page : pages_)
        if (page) page->OnDropZoneShown(shown);
}

std::optional<bool> Form1::DropZoneVisible() const {
    if (!desktop_ || desktop_->GetDropZoneState() == waktuna::DropZoneState::Absent)
        return std::nullopt;
    return desktop_->DropZoneShown();
}

std::unique_ptr<waktuna::Player> Form1::OpenPlayer(const std::string& file) {
    return desktop_->OpenPlayer(file);
}

bool Form1::RegisterHotKeyFromSettings() {
    const uint32_t key = waktuna::ReadHotKey(key_);
    // At start a key combination that is taken simply does not work.
    return RegisterHotKey(hwnd(), kHotKeyId, MOD_ALT | MOD_CONTROL, key) != 0;
}

bool Form1::ApplyHotKey() {
    UnregisterHotKey(hwnd(), kHotKeyId);
    return RegisterHotKeyFromSettings();
}

// ---- Message dialog -------------------------------------------------------------------

bool Form1::ShowMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                              waktuna::DialogKind kind) {
    return RunMessageDialog(buttons, text, kind, waktuna::ReadDialogOpening(key_).effect);
}

void Form1::ShowEffectSample(int effect) {
    RunMessageDialog(waktuna::DialogButtons::Ok,
                     "Sample / Contoh / Tulodho\r\n" + std::string(waktuna::kProgramCaption),
                     waktuna::DialogKind::Information, dialogs_.SampleEffect(effect));
}

bool Form1::RunMessageDialog(waktuna::DialogButtons buttons, const std::string& text,
                             waktuna::DialogKind kind, int32_t effect) {
    if (dialogs_.IsOpen() || closing_) return false;  // one at a time: this message is dropped
    const bool ok = dialogs_.Run(hwnd(), buttons, text, kind, effect,
                                 waktuna::ReadDialogOpening(key_).alpha_blend);
    if (desktop_) desktop_->HideBar();  // the bar goes with the message it showed
    return ok;
}

// ---- The end ---------------------------------------------------------------------------

void Form1::CloseWhenModalsEnd() {
    // A modal window's loop may be running below this call: end each one as
    // if cancelled, and close once the last loop has returned.
    if (ModalScope::Depth() > 0) {
        closing_ = true;
        ModalScope::CancelAll();
        PostMessageA(hwnd(), kCloseLater, 0, 0);
        return;
    }
    Close();
}

void Form1::Close() {
    if (watch_) watch_->CloseMultimedia();
    ShowPlayerMenu(waktuna::kItemMultimedia, false);
    DestroyWindow(hwnd());
}

}  // namespace app
