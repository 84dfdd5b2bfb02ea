// The window foundation under Wine: control tables laid out for any DPI,
// windows laid out again when they move to a monitor of another DPI,
// bindings in both directions, dialog keys through the one message loop, and
// modal windows ended by the program before it closes.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_table.h"
#include "ui/controls.h"
#include "ui/message_loop.h"
#include "recording_host.h"
#include "ui/skinned_window.h"

using namespace app;

namespace {

enum : int { kName = 10, kMinutes, kOn, kChoice, kFirst, kSecond };

const ControlSpec kTable[] = {
    {kName, "EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 40, 120, 20},
    {kMinutes, "EDIT", WS_TABSTOP | WS_BORDER, 130, 40, 50, 20},
    {kOn, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 64, 170, 18, FontId::kNormal, 45},
    {kChoice, "COMBOBOX", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 86, 170, 120},
    {kFirst, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 10, 120, 80, 24, FontId::kNormal, 0, "First"},
    {kSecond, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 100, 120, 80, 24, FontId::kNormal, 47},
};

// A skinned dialog with the table's controls; it records the commands it gets.
class TestDialog final : public SkinnedWindow {
public:
    explicit TestDialog(const Look& look) : SkinnedWindow(look) {}
    bool Create(const waktuna::LanguageList& language) {
        WindowSpec spec;
        spec.class_name = "WaktunaTestDialog";
        spec.style = WS_POPUP | WS_VISIBLE;
        spec.ex_style = WS_EX_CONTROLPARENT;
        spec.x = spec.y = 50;
        spec.width = Scale(200);
        spec.height = Scale(160);
        SkinnedLayout layout;
        layout.buttons[0] = {100, 24, kClosePicture, "Close"};
        layout.corner = 13;
        if (!CreateSkinned(spec, layout)) return false;
        controls.Create(hwnd(), kTable, look(), language);
        return true;
    }
    ControlSet& controls{controls_};
    std::vector<int> commands;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_USER + 1) throw std::runtime_error("disk full");
        if (msg == WM_USER + 2) throw 42;
        if (msg == WM_COMMAND && LOWORD(wp) != 100 && HIWORD(wp) == BN_CLICKED)
            commands.push_back(LOWORD(wp));
        return SkinnedWindow::OnMessage(msg, wp, lp);
    }
    void OnCaptionButton(int) override { commands.push_back(100); }
};

// A page holding the same table.
class TestPage final : public Page {
public:
    using Page::Page;

protected:
    const char* ClassName() const override { return "WaktunaTestPage"; }
    void Build() override { controls_.Create(hwnd(), kTable, host_.GetLook(), host_.Language()); }
};

// Where a control is, in its parent's client area, and its font's height.
struct Placed {
    RECT rect;
    LONG font_height;
};
Placed PlacedOf(HWND control) {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return {ChildRect(control), lf.lfHeight};
}
void ExpectLaidOutFor(int dpi, HWND parent) {
    for (const ControlSpec& spec : kTable) {
        SCOPED_TRACE(spec.id);
        const Placed placed = PlacedOf(GetDlgItem(parent, spec.id));
        RECT wanted = ScaledRect(spec, dpi);
        // A drop-down list is as high as its edit box, whatever it was given.
        if (std::string_view(spec.cls) == "COMBOBOX") wanted.bottom = placed.rect.bottom;
        EXPECT_TRUE(EqualRect(&placed.rect, &wanted));
        EXPECT_EQ(placed.font_height, -MulDiv(9, dpi, 72));  // 9 points
    }
}

// A key pressed on the focused control, through the program's loop.
void Press(WPARAM key) {
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 1;
    if (!PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

}  // namespace

TEST(ControlTable, EdgesScaleSoNeighboursStillMeet) {
    // Two controls that meet at 96 DPI meet at every DPI, and the sizes are
    // within a pixel of the scaled size.
    for (int dpi : {96, 120, 144, 168, 192}) {
        const RECT a = ScaledRect(kTable[0], dpi), b = ScaledRect(kTable[1], dpi);
        EXPECT_EQ(a.right, b.left) << dpi;
        EXPECT_NEAR(a.right - a.left, 120.0 * dpi / 96, 1.0) << dpi;
    }
    const RECT r = ScaledRect(kTable[2], 144);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 96);
    EXPECT_EQ(r.bottom, 123);
}

TEST(ControlTable, CaptionsFollowTheLanguageAndBindingsGoBothWays) {
    Look look;
    const waktuna::LanguageList english = waktuna::BuiltInEnglish();
    TestDialog dialog(look);
    ASSERT_TRUE(dialog.Create(english));
    ASSERT_EQ(dialog.controls.size(), 6u);
    char text[64];
    GetWindowTextA(dialog.controls[kOn], text, sizeof text);
    EXPECT_STREQ(text, "OK");

    std::vector<std::string> lines(227, "x");
    lines[44] = "Baik";
    dialog.controls.ApplyLanguage(waktuna::LanguageList(lines));
    GetWindowTextA(dialog.controls[kOn], text, sizeof text);
    EXPECT_STREQ(text, "Baik");
    GetWindowTextA(dialog.controls[kFirst], text, sizeof text);
    EXPECT_STREQ(text, "First");  // no language line: keeps its text

    const std::vector<std::string> items = {"Blue", "Green", "Red"};
    FillChoices(dialog.controls[kChoice], items);
    struct Model {
        std::string name = "Jakarta";
        int32_t minutes = 15;
        bool on = true;
        int32_t choice = 2;
    } model;
    Bindings bind;
    bind.Text(kName, &model.name);
    bind.Number(kMinutes, &model.minutes);
    bind.Check(kOn, &model.on);
    bind.Choice(kChoice, &model.choice);
    bind.ToControls(dialog.controls);
    GetWindowTextA(dialog.controls[kMinutes], text, sizeof text);
    EXPECT_STREQ(text, "15");
    EXPECT_EQ(SendMessageA(dialog.controls[kChoice], CB_GETCURSEL, 0, 0), 2);

    SetWindowTextA(dialog.controls[kName], "Bandung");
    SetWindowTextA(dialog.controls[kMinutes], "7 min");  // read leniently
    SendMessageA(dialog.controls[kOn], BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(dialog.controls[kChoice], CB_SETCURSEL, 0, 0);
    bind.FromControls(dialog.controls);
    EXPECT_EQ(model.name, "Bandung");
    EXPECT_EQ(model.minutes, 7);
    EXPECT_FALSE(model.on);
    EXPECT_EQ(model.choice, 0);
}

TEST(MessageLoop, TabShiftTabEnterAndEscapeActInASkinnedDialog) {
    Look look;
    TestDialog dialog(look);
    ASSERT_TRUE(dialog.Create(waktuna::BuiltInEnglish()));
    SetForegroundWindow(dialog.hwnd());
    SetFocus(dialog.controls[kName]);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.controls[kMinutes]);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.controls[kOn]);
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.controls[kFirst]);
    // Enter on a focused button presses it.
    Press(VK_RETURN);
    ASSERT_FALSE(dialog.commands.empty());
    EXPECT_EQ(dialog.commands.back(), kFirst);
    // Shift+Tab goes back.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Press(VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), dialog.controls[kChoice]);
    // Esc is Cancel.
    SetFocus(dialog.controls[kName]);
    Press(VK_ESCAPE);
    EXPECT_EQ(dialog.commands.back(), IDCANCEL);
}

TEST(MessageLoop, AnErrorAHandlerLetsOutIsReportedAndTheWindowLivesOn) {
    Look look;
    TestDialog dialog(look);
    ASSERT_TRUE(dialog.Create(waktuna::BuiltInEnglish()));
    std::vector<std::string> reported;
    SetUnexpectedErrorHandler([&](const std::string& what) { reported.push_back(what); });
    SendMessageA(dialog.hwnd(), WM_USER + 1, 0, 0);
    SendMessageA(dialog.hwnd(), WM_USER + 2, 0, 0);
    SetUnexpectedErrorHandler(nullptr);
    EXPECT_EQ(reported, (std::vector<std::string>{"disk full", "unknown error"}));
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
    SendMessageA(dialog.controls[kFirst], BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.commands, std::vector<int>{kFirst});
    DestroyWindow(dialog.hwnd());
}

TEST(MessageLoop, TheProgramEndsEveryModalLoopBeforeClosing) {
    // Two nested modal windows; ending them all unwinds both loops and
    // leaves the quit message for nobody.
    bool outer_done = false, inner_done = false, inner_ran = false;
    int depth_inside = 0;
    ModalScope outer([&] { outer_done = true; });
    PostMessageA(nullptr, WM_NULL, 0, 0);
    {
        ModalScope inner([&] { inner_done = true; });
        depth_inside = ModalScope::Depth();
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
        ModalScope::CancelAll();
        inner_ran = RunModalLoop([&] { return inner_done; });
    }
    EXPECT_EQ(depth_inside, 2);
    EXPECT_TRUE(inner_ran);
    EXPECT_TRUE(outer_done);
    EXPECT_EQ(ModalScope::Depth(), 1);
    EXPECT_TRUE(RunModalLoop([&] { return outer_done; }));
}

TEST(Dpi, AWindowMovedToAMonitorOfAnotherDpiLaysItselfAndItsPagesOutAgain) {
    // Wine gives every monitor one DPI, so the move is told the way Windows
    // tells it: WM_DPICHANGED with the new DPI and the suggested bounds.
    RecordingHost host;
    TestDialog dialog(host.look);
    ASSERT_TRUE(dialog.Create(host.language));
    TestPage page(host);
    ASSERT_TRUE(page.Create(dialog.hwnd(), RECT{0, 160, 200, 400}));
    ASSERT_EQ(dialog.Dpi(), 96);
    ExpectLaidOutFor(96, dialog.hwnd());

    for (const int dpi : {144, 120, 96}) {
        SCOPED_TRACE(dpi);
        RECT bounds{70, 60, 70 + MulDiv(200, dpi, 96), 60 + MulDiv(160, dpi, 96)};
        SendMessageA(dialog.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
        RECT window;
        GetWindowRect(dialog.hwnd(), &window);
        EXPECT_TRUE(EqualRect(&window, &bounds));
        EXPECT_EQ(dialog.Dpi(), dpi);
        EXPECT_EQ(page.Dpi(), dpi);  // a child follows its window
        ExpectLaidOutFor(dpi, dialog.hwnd());
        ExpectLaidOutFor(dpi, page.hwnd());
        // The close button 24 pixels from the right edge.
        const RECT close = ChildRect(GetDlgItem(dialog.hwnd(), 100));
        EXPECT_EQ(close.left, bounds.right - bounds.left - MulDiv(24, dpi, 96));
        EXPECT_EQ(close.right - close.left, MulDiv(16, dpi, 96));
    }
}

TEST(Dpi, TheProgramIsAwareOfEachMonitorsDpi) {
    // The manifest is the program's; the tests carry it too.
    using Context = HANDLE;
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto current = reinterpret_cast<Context(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto awareness = reinterpret_cast<int(WINAPI*)(Context)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(current && awareness);
    constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
    EXPECT_EQ(awareness(current()), kPerMonitorAware);
}
