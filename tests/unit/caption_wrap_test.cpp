// Side-panel captions on two lines: where they break, and when they still do
// not fit.
#include <gtest/gtest.h>

#include "waktuna/look/caption_wrap.h"

using namespace waktuna;

TEST(CaptionWrap, BreaksAtSpacesIntoAtMostTheLinesAllowed) {
    // Every character 6 pixels wide, so the breaks can be counted by hand.
    const auto six_each = [](std::string_view text) { return static_cast<int>(text.size()) * 6; };
    const struct {
        const char* text;
        int width, max_lines;
        std::vector<std::string> lines;
        bool fits;
    } cases[] = {
        // "Program setting" is 90 px: one line at 90, two at 88.
        {"Program setting", 90, 2, {"Program setting"}, true},
        {"Program setting", 88, 2, {"Program", "setting"}, true},
        // The first line takes as many words as fit (96 px = 16 characters).
        {"Pengaturan waktu sholat", 96, 2, {"Pengaturan waktu", "sholat"}, true},
        // Spaces around and between words are not shown.
        {"  Info   pesan ", 30, 2, {"Info", "pesan"}, true},
        // A word wider than the line stays whole and does not fit.
        {"Masehi-Hijriyah Konversi", 60, 2, {"Masehi-Hijriyah", "Konversi"}, false},
        // More words than the lines hold: the rest stays on the last line.
        {"aaaa bbbb cccc", 30, 2, {"aaaa", "bbbb cccc"}, false},
        {"schedule maker", 48, 1, {"schedule maker"}, false},
        {"", 30, 2, {""}, true},
    };
    for (const auto& c : cases) {
        const WrappedCaption w = WrapCaption(c.text, c.width, c.max_lines, six_each);
        EXPECT_EQ(w.lines, c.lines) << c.text << " at " << c.width;
        EXPECT_EQ(w.fits, c.fits) << c.text << " at " << c.width;
    }
}
