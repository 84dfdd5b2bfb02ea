// The program settings page in a window of its own, with a host that
// records what the page asks of the main window: a Save that is not wholly
// stored shows the error and applies nothing.
#include <gtest/gtest.h>

#include "pages/program_page.h"
#include "recording_host.h"
#include "waktuna/files/language.h"

using namespace app;

namespace {

constexpr int kSaveId = 2122;

void PressSave(ProgramPage& page) {
    HWND save = GetDlgItem(page.hwnd(), kSaveId);
    ASSERT_NE(save, nullptr);
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(kSaveId, BN_CLICKED), reinterpret_cast<LPARAM>(save));
}

}  // namespace

TEST(ProgramPage, SaveAppliesOnlyWhatWasWhollyStored) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, nullptr, nullptr);
    RecordingHost host;
    waktuna::WriteString(host.store, "Skin", "12");
    ProgramPage page(host);
    ASSERT_TRUE(page.Create(parent, RECT{0, 0, 450, 330}));
    page.Show(true);

    host.store.refused = {"Skin"};
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
