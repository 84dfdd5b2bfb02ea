// The side panel's page buttons show their whole captions, in English and
// in Indonesian, at 96 and at 144 DPI.
#include <gtest/gtest.h>

#include <string>

#include "form1_ids.h"
#include "ui/side_caption.h"
#include "ui/control_table.h"
#include "ui/gdi.h"
#include "ui/window.h"
#include "waktuna/files/language.h"
#include "waktuna/watch/tray_menu.h"

namespace app {
namespace {

// The Indonesian file shipped in the source tree's dist folder.
std::string IndonesianFile() {
    std::string path = std::string(WAKTUNA_SOURCE_DIR) + "/dist/languages/Indonesia.wlp";
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path[0] == '\\' ? "Z:" + path : path;
}

int TextWidth(HDC dc, HFONT font, const std::string& text) {
    Selection use(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

TEST(SidePanel, EveryCaptionFitsItsButtonInBothLanguagesAtBothDpis) {
    const Look look;
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const waktuna::LanguageList indonesian = waktuna::LoadLanguageFile(IndonesianFile());
    ASSERT_EQ(indonesian.Line(51), "Pengaturan program");  // the file, not the English fallback
    const struct {
        const char* name;
        waktuna::LanguageList list;
    } languages[] = {{"English", waktuna::BuiltInEnglish()}, {"Indonesian", indonesian}};

    for (int dpi : {96, 144}) {
        for (const auto& language : languages) {
            for (int page = 0; page < waktuna::kPageCount; ++page) {
                const std::string caption =
                    waktuna::PageButtonCaption(language.list, static_cast<waktuna::Page>(page));
                const RECT on_form = ScaledRect(form1::SideButtonSpec(page, 0), dpi);
                const RECT client{0, 0, on_form.right - on_form.left, on_form.bottom - on_form.top};
                const SideCaption laid = LayOutSideCaption(dc, look, dpi, client, caption);
                SCOPED_TRACE(std::string(language.name) + " at " + std::to_string(dpi) + " DPI: \"" +
                             caption + "\"");

                // Every word is shown, in order.
                std::string shown;
                for (const std::string& line : laid.lines) shown += (shown.empty() ? "" : " ") + line;
                EXPECT_EQ(shown, caption);
                // The lines lie right of the picture (4 + 24 pixels at 96 DPI)
                // and inside the button, and each is no wider than they, in the
                // normal font and in the bold one under the mouse.
                EXPECT_GE(laid.text.left, ScaleTo(28, dpi));
                EXPECT_LE(laid.text.right, client.right);
                EXPECT_LE(static_cast<int>(laid.lines.size()) * laid.line_height, client.bottom);
                for (FontId font : {FontId::kNormal, FontId::kBold})
                    for (const std::string& line : laid.lines)
                        EXPECT_LE(TextWidth(dc, look.Get(font, dpi), line), laid.text.right - laid.text.left)
                            << line;
            }
        }
    }
    DeleteDC(dc);
}

}  // namespace app
