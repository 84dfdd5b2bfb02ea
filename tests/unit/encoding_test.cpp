#include "waktuna/files/encoding.h"

#include <gtest/gtest.h>

using namespace waktuna;

TEST(Encoding, EveryAssignedByteSurvivesTheRoundTrip) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;  // unassigned
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << "byte " << b;
    }
}

TEST(Encoding, Utf8ToCp1252) {
    EXPECT_EQ(Utf8ToCp1252("D\xC3\xBCsseldorf"), "D\xFCsseldorf");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5 \xE2\x80\x93 6"), "\x80 5 \x96 6");  // euro, en dash
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD!"), "?!");             // not in the code page
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x95\x8C"), "?");           // outside the BMP
    EXPECT_EQ(Utf8ToCp1252("a\xFC" "b"), "a?b");                // a lone Latin-1 byte
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");                       // cut short
    EXPECT_EQ(Utf8ToCp1252("\xC0\xBC"), "??");                  // overlong "<"
}
