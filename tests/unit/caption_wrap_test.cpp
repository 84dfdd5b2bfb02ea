// Side-panel captions on two lines: where they break, and when they still do
// not fit.
#include <gtest/gtest.h>

#include "waktuna/look/caption_wrap.h"

using namespace waktuna;

namespace {

// Every character 6 pixels wide, so the expected breaks can be counted by hand.
int SixEach(std::string_view text) { return static_cast<int>(text.size()) * 6; }

struct WrapCase {
    const char* text;
    int width;
    std::vector<std::string> lines;
    bool fits;
};

}  // namespace

TEST(CaptionWrap, BreaksAtSpacesIntoTwoLinesAtMost) {
    const WrapCase cases[] = {
        // "Program setting" is 90 px: one line at 90, two at 88.
        {"Program setting", 90, {"Program setting"}, true},
        {"Program setting", 88, {"Program", "setting"}, true},
        // The first line takes as many words as fit (96 px = 16 characters).
        {"Pengaturan waktu sholat", 96, {"Pengaturan waktu", "sholat"}, true},
        // Spaces around and between words are not shown.
        {"  Info   pesan ", 30, {"Info", "pesan"}, true},
        // A word wider than the line stays whole and does not fit.
        {"Masehi-Hijriyah Konversi", 60, {"Masehi-Hijriyah", "Konversi"}, false},
        // More words than two lines hold: the rest stays on the second line.
        {"a bb cc dd", 30, {"a bb", "cc dd"}, true},
        {"aaaa bbbb cccc", 30, {"aaaa", "bbbb cccc"}, false},
        // Nothing to break.
        {"", 30, {""}, true},
        {"About", 12, {"About"}, false},
    };
    for (const WrapCase& c : cases) {
        const WrappedCaption w = WrapCaption(c.text, c.width, 2, SixEach);
        EXPECT_EQ(w.lines, c.lines) << c.text << " at " << c.width;
        EXPECT_EQ(w.fits, c.fits) << c.text << " at " << c.width;
    }
}

TEST(CaptionWrap, OneLineWhenOnlyOneIsAllowed) {
    const WrappedCaption w = WrapCaption("schedule maker", 48, 1, SixEach);
    EXPECT_EQ(w.lines, std::vector<std::string>{"schedule maker"});
    EXPECT_FALSE(w.fits);
}
