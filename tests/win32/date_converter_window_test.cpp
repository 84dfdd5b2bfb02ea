// The date converter under Wine, driven through its correction list while
// its modal loop runs: what it shows, and what a stored or refused
// correction does to the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "modal_steps.h"
#include "recording_host.h"
#include "windows/date_converter_window.h"

using namespace app;

namespace {

// The converter's controls by id.
constexpr int kCorrectionId = 409;

std::string Text(HWND control) {
    char text[64] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// The user picks an item of a list.
void Pick(HWND window, int id, int item) {
    HWND combo = GetDlgItem(window, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

}  // namespace

TEST(DateConverterWindow, CorrectionShownStoredAppliedOrRefused) {
    RecordingHost host;
    RunWithSteps(DateConverterWindow::kClassName, {
        [&](HWND w) {
            HWND correction = GetDlgItem(w, kCorrectionId);
            EXPECT_EQ(Text(correction), "0");  // nothing stored
            Pick(w, kCorrectionId, 3);         // "1"
            EXPECT_EQ(waktuna::ReadString(host.store, "HijriyahDiff"), "1");
            EXPECT_EQ(host.corrections, std::vector<int>{1});
            EXPECT_EQ(host.loads, 0);  // no reload, which would end a preview
            // Refused: an error, the list back on "1", the main window untouched.
            host.store.refuse_all = true;
            Pick(w, kCorrectionId, 4);
            EXPECT_EQ(host.errors, 1);
            EXPECT_EQ(Text(correction), "1");
            EXPECT_EQ(host.corrections, std::vector<int>{1});
        },
        [](HWND w) { SendMessageA(w, WM_CLOSE, 0, 0); },
    }, [&] { RunConverter(host); });
}
