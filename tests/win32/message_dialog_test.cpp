// The message dialog under Wine: the entrance effects run on the user-
// interface thread and survive the dialog closing at any moment, the effect
// ends in the rounded shape, the keys, the close picture, fading, and texts
// that are real controls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows/message_dialog.h"
#include "waktuna/files/language.h"

using namespace app;

namespace {

// What a test does while the dialog runs: called every 20 ms with the dialog
// and the milliseconds since it opened, until it returns true.
std::function<bool(HWND, int)> g_during;
DWORD g_started = 0;
bool g_done = false;

void CALLBACK Watcher(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA(MessageDialog::kClassName, nullptr);
    if (!dialog || g_done) return;
    g_done = g_during(dialog, static_cast<int>(GetTickCount() - g_started));
}

struct Harness {
    Look look;
    waktuna::LanguageList language = waktuna::BuiltInEnglish();

    void Run(DialogRequest& request, const DialogOptions& options,
             std::function<bool(HWND, int)> during) {
        g_during = std::move(during);
        g_done = false;
        g_started = GetTickCount();
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, Watcher);
        MessageDialog dialog(request, options, look, language);
        dialog.RunModal(nullptr);
        KillTimer(nullptr, timer);
        // Whatever the effect timer still had in flight arrives now, and must
        // find nothing to do.
        const DWORD until = GetTickCount() + 60;
        MSG msg;
        while (static_cast<int>(until - GetTickCount()) > 0) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(5);
        }
    }
};

HWND Child(HWND dialog, const std::string& text) {
    struct Find {
        std::string text;
        HWND found = nullptr;
    } find{text};
    EnumChildWindows(
        dialog,
        [](HWND h, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            char buf[512] = {};
            GetWindowTextA(h, buf, sizeof buf);
            if (f->text == buf) f->found = h;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

DialogOptions Effect(int effect) {
    DialogOptions o;
    o.dialog_effect = effect;
    return o;
}

}  // namespace

TEST(MessageDialog, EveryEffectSurvivesClosingWhileItRuns) {
    Harness h;
    for (int effect = 2; effect <= 8; ++effect) {
        for (int after : {0, 60}) {
            SCOPED_TRACE(testing::Message() << "effect " << effect << " closed after " << after);
            DialogRequest request;
            request.text = "closing early";
            request.result = 7;
            h.Run(request, Effect(effect), [after](HWND dialog, int ms) {
                if (ms < after) return false;
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return true;
            });
            EXPECT_EQ(request.result, 7);  // closed from outside: unchanged
            EXPECT_EQ(FindWindowA(MessageDialog::kClassName, nullptr), nullptr);
        }
    }
}

TEST(MessageDialog, TheEffectGrowsAndEndsInTheRoundedShape) {
    Harness h;
    DialogRequest request;
    request.text = "shape";
    RECT early{}, late{};
    bool rounded = false;
    h.Run(request, Effect(4), [&](HWND dialog, int ms) {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(dialog, r);
        if (ms < 250 && early.right == 0) GetRgnBox(r, &early);
        if (ms >= 1500) {
            GetRgnBox(r, &late);
            RECT w;
            GetWindowRect(dialog, &w);
            HRGN want = CreateRoundRectRgn(0, 0, w.right - w.left + 1, w.bottom - w.top + 14, 13, 13);
            HRGN difference = CreateRectRgn(0, 0, 0, 0);
            rounded = CombineRgn(difference, r, want, RGN_XOR) == NULLREGION;
            DeleteObject(difference);
            DeleteObject(want);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        DeleteObject(r);
        return ms >= 1500;
    });
    EXPECT_GT(early.right, 0);
    EXPECT_LT(early.right - early.left, late.right - late.left);
    EXPECT_TRUE(rounded);
}

TEST(MessageDialog, FocusStartsOnCancelAndEnterThereCancels) {
    Harness h;
    DialogRequest request;
    request.buttons = waktuna::DialogButtons::OkCancel;
    request.kind = waktuna::DialogKind::Question;
    request.text = "Are you sure?";
    request.result = 1;
    bool focus_on_cancel = false;
    h.Run(request, Effect(1), [&](HWND dialog, int) {
        HWND cancel = Child(dialog, "Cancel");
        focus_on_cancel = GetFocus() == cancel;
        PostMessageA(cancel, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    EXPECT_TRUE(focus_on_cancel);
    EXPECT_EQ(request.result, 0);
}

TEST(MessageDialog, TabMovesToOkAndEnterThereIsOk) {
    Harness h;
    DialogRequest request;
    request.buttons = waktuna::DialogButtons::OkCancel;
    request.text = "Continue?";
    int step = 0;
    h.Run(request, Effect(1), [&](HWND dialog, int) {
        if (step++ == 0) {
            PostMessageA(Child(dialog, "Cancel"), WM_KEYDOWN, VK_TAB, 0);
            return false;
        }
        EXPECT_EQ(GetFocus(), Child(dialog, "OK"));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    EXPECT_EQ(request.result, 1);
}

TEST(MessageDialog, WithOnlyOkEnterClosesAndLeavesTheResult) {
    Harness h;
    DialogRequest request;
    request.text = "Now is the time to pray Zuhr";
    request.result = 7;
    bool cancel_hidden = false, text_is_a_control = false;
    h.Run(request, Effect(1), [&](HWND dialog, int) {
        HWND cancel = Child(dialog, "Cancel");
        cancel_hidden = cancel && !IsWindowVisible(cancel);
        text_is_a_control = Child(dialog, "Now is the time to pray Zuhr") != nullptr &&
                            Child(dialog, "Information") != nullptr;
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
        return true;
    });
    EXPECT_TRUE(cancel_hidden);
    EXPECT_TRUE(text_is_a_control);
    EXPECT_EQ(request.result, 7);
}

TEST(MessageDialog, TheClosePictureAndOkSetTheResult) {
    Harness h;
    DialogRequest request;
    request.buttons = waktuna::DialogButtons::OkCancel;
    request.result = 1;
    h.Run(request, Effect(1), [](HWND dialog, int) {
        PostMessageA(Child(dialog, "Close"), BM_CLICK, 0, 0);
        return true;
    });
    EXPECT_EQ(request.result, 0);
    h.Run(request, Effect(1), [](HWND dialog, int) {
        PostMessageA(Child(dialog, "OK"), BM_CLICK, 0, 0);
        return true;
    });
    EXPECT_EQ(request.result, 1);
}

TEST(MessageDialog, AKindOutsideOneToFourIsInfoWithoutPicture) {
    Harness h;
    DialogRequest request;
    request.kind = static_cast<waktuna::DialogKind>(9);
    bool info = false;
    h.Run(request, Effect(1), [&](HWND dialog, int) {
        info = Child(dialog, "Info") != nullptr;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_TRUE(info);
}

TEST(MessageDialog, FadesInFrom55InStepsOfFive) {
    Harness h;
    DialogRequest request;
    DialogOptions options = Effect(1);
    options.use_alpha_blend = true;
    std::vector<int> seen;
    h.Run(request, options, [&](HWND dialog, int ms) {
        BYTE alpha = 0;
        DWORD flags = 0;
        if (GetLayeredWindowAttributes(dialog, nullptr, &alpha, &flags)) seen.push_back(alpha);
        if (ms < 2600) return false;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return true;
    });
    ASSERT_GE(seen.size(), 10u);
    EXPECT_GE(seen.front(), 55);
    EXPECT_LT(seen.front(), 255);
    EXPECT_EQ(seen.back(), 255);  // after two seconds it stays opaque
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i], seen[i - 1]);
        EXPECT_EQ(seen[i] % 5, 0);
    }
}
