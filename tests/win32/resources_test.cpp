// The compiled-in pictures: the skin strip bitmaps are the strips the core
// computes with, and every picture the windows load is there.
#include <gtest/gtest.h>

#include "ui/pictures.h"
#include "ui/skin_paint.h"
#include "waktuna/files/language.h"
#include "ui/window.h"

using namespace app;

TEST(Resources, SkinStripBitmapsMatchTheCoreTable) {
    for (int i = 0; i < waktuna::kStripCount; ++i) {
        SCOPED_TRACE(waktuna::SkinStripName(i));
        waktuna::SkinStrip rows{};
        ASSERT_TRUE(LoadStripResource(waktuna::SkinStripName(i), rows));
        EXPECT_EQ(rows, waktuna::SkinStripRows(i));
    }
    waktuna::SkinStrip rows{};
    EXPECT_FALSE(LoadStripResource("NO_SUCH_STRIP", rows));
}

TEST(Resources, PicturesAndIconsAreThere) {
    struct Strip {
        const char* name;
        int count, size;
    };
    for (const Strip& s : {Strip{"FORM1_IMAGELIST24", 8, 24}, Strip{"FORM1_IMAGELIST16", 9, 16},
                           Strip{"ERROR", 1, 32}, Strip{"WARNING", 1, 32},
                           Strip{"information", 1, 32}, Strip{"Question", 1, 32}}) {
        SCOPED_TRACE(s.name);
        PictureStrip p;
        ASSERT_TRUE(p.Load(s.name));  // names are found whatever their case
        EXPECT_EQ(p.Count(), s.count);
        EXPECT_EQ(p.Size(), s.size);
    }
    EXPECT_NE(LoadIconA(Instance(), "ZFORM1_TRAY"), nullptr);
    EXPECT_NE(LoadIconA(Instance(), "MAINICON"), nullptr);
}

TEST(Resources, ApplySkinUsesTheLoadedStrip) {
    Skin skin;
    ApplySkin(0, skin);
    EXPECT_EQ(skin.palette.BandColor, RGB(0x72, 0xb2, 0xf5));
    EXPECT_EQ(skin.strip[10], RGB(0x58, 0x92, 0xde));
    ApplySkin(45, skin);  // ZBLUEX, regenerated
    EXPECT_EQ(skin.palette.BandColor, RGB(0x12, 0x5c, 0xc4));
    EXPECT_EQ(skin.strip[27], skin.palette.BandColor);
    EXPECT_EQ(skin.strip[28], RGB(0x27, 0x41, 0x94));
}

TEST(Resources, TheEnglishTextIsTheBuiltInOne) {
    HRSRC found = FindResourceA(nullptr, "ENGLISH", MAKEINTRESOURCEA(10));  // RT_RCDATA
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string_view text(bytes, SizeofResource(nullptr, found));
    EXPECT_EQ(text, waktuna::BuiltInEnglishText());
}
