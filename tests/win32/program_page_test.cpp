// The program settings page in a window of its own, with a host that
// records what the page asks of the main window: a Save that is not wholly
// stored shows the error and applies nothing.
#include <gtest/gtest.h>

#include "program_page.h"
#include "waktuna/files/language.h"

using namespace app;

namespace {

class RefusingStore final : public waktuna::SettingsStore {
public:
    std::optional<waktuna::StoredValue> Read(std::string_view name) const override { return inner.Read(name); }
    bool Write(std::string_view name, const waktuna::StoredValue& value) override {
        return !waktuna::SameValueName(name, refused) && inner.Write(name, value);
    }
    bool Delete(std::string_view name) override { return inner.Delete(name); }
    std::vector<std::string> Names() const override { return inner.Names(); }
    std::string refused;
    waktuna::MemorySettingsStore inner;
};

class RecordingHost final : public PageHost {
public:
    void LoadSettings() override { ++loads; }
    void RecomputeTimes() override {}
    void ShowSavedNotice(const std::string&) override { ++notices; }
    bool ShowMessageDialog(waktuna::DialogButtons, const std::string& text, waktuna::DialogKind kind) override {
        dialogs.push_back(text);
        errors += kind == waktuna::DialogKind::Error;
        return true;
    }
    void OpenPage(waktuna::Page) override {}
    void ReloadTodayTasks() override {}
    void PreviewSkin(int32_t) override {}
    void PreviewLanguage(const std::string&) override {}
    void ApplyDesktopSettings() override { ++desktop; }
    waktuna::SettingsStore& Settings() override { return store; }
    const waktuna::LanguageList& Language() const override { return language; }
    const Look& GetLook() const override { return look; }
    const std::string& ProgramFolder() const override { return folder; }
    const std::string& AppDataFolder() const override { return folder; }
    HWND DialogOwner() const override { return nullptr; }
    std::unique_ptr<waktuna::Player> OpenPlayer(const std::string&) override {
        return std::make_unique<waktuna::SilentPlayer>();
    }

    RefusingStore store;
    waktuna::LanguageList language = waktuna::BuiltInEnglish();
    Look look;
    std::string folder = "C:\\";
    int loads = 0, notices = 0, desktop = 0, errors = 0;
    std::vector<std::string> dialogs;
};

constexpr int kSaveId = 2122;

void PressSave(ProgramSettingsPage& page) {
    HWND save = GetDlgItem(page.hwnd(), kSaveId);
    ASSERT_NE(save, nullptr);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kSaveId, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

}  // namespace

TEST(ProgramSettingsPage, SaveAppliesOnlyWhatWasWhollyStored) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    waktuna::WriteString(host.store, "Skin", "12");
    ProgramSettingsPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
    page.Show(true);

    host.store.refused = "Skin";
    PressSave(page);
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.errors, 1);
    EXPECT_NE(host.dialogs[0].find("Skin"), std::string::npos);
    EXPECT_EQ(host.loads + host.notices + host.desktop, 0);

    host.store.refused.clear();
    PressSave(page);
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.loads, 1);
    EXPECT_EQ(host.desktop, 1);
    EXPECT_EQ(host.notices, 1);
    EXPECT_EQ(waktuna::ReadString(host.store, "Skin"), "12");
    DestroyWindow(parent);
}
