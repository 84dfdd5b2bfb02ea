// A page host for tests: a settings store that can refuse one value, and a
// record of what the page asked of the main window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake_store.h"
#include "ui/page.h"
#include "waktuna/files/language.h"

namespace app {

class RecordingHost final : public PageHost {
public:
    void LoadSettings() override { ++loads; }
    void RecomputeTimes() override {}
    void ApplyHijriCorrection(int8_t days) override { corrections.push_back(days); }
    void ShowSavedNotice(const std::string&) override { ++notices; }
    bool ShowMessageDialog(waktuna::DialogButtons, const std::string& text, waktuna::DialogKind kind) override {
        dialogs.push_back(text);
        errors += kind == waktuna::DialogKind::Error;
        return answer;
    }
    void OpenPage(waktuna::Page) override {}
    void ReloadTodayTasks() override {}
    void PreviewSkin(int32_t) override {}
    void PreviewLanguage(const std::string&) override {}
    bool ApplyHotKey() override {
        ++hot_keys;
        return hot_key_free;
    }
    void ApplyDesktopSettings() override { ++desktop; }
    waktuna::SettingsStore& Settings() override { return store; }
    const waktuna::LanguageList& Language() const override { return language; }
    const Look& GetLook() const override { return look; }
    const std::string& ProgramFolder() const override { return folder; }
    const std::string& AppDataFolder() const override { return folder; }
    std::string UserDataFolder() const override { return user_folder.empty() ? folder : user_folder; }
    bool MayWriteMachineTasks() const override { return may_write_machine; }
    HWND DialogOwner() const override { return nullptr; }
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string&) override {
        return std::make_unique<waktuna::SilentPlayer>();
    }

    waktuna::FakeStore store;
    waktuna::LanguageList language = waktuna::BuiltInEnglish();
    Look look;
    std::string folder = "C:\\";
    std::string user_folder;  // empty: `folder`
    bool may_write_machine = false;
    bool answer = true;  // what every question is answered
    bool hot_key_free = true;  // whether the hot key can be registered
    int loads = 0, notices = 0, desktop = 0, errors = 0, hot_keys = 0;
    std::vector<std::string> dialogs;
    std::vector<int> corrections;  // each ApplyHijriCorrection
};

}  // namespace app
