// The schedule page counts whole dates: the pickers' times of day never
// refuse an equal-date range or lose its last day.
#include <gtest/gtest.h>

#include <fstream>

#include "waktuna/pages/schedule_page.h"

using namespace waktuna;

TEST(SchedulePage, RangeIsMadeOfWholeDatesWithinThePickers) {
    SchedulePage page;
    page.SetStart(EncodeDate(2009, 3, 21) + 0.75);  // picked in the evening
    page.SetEnd(EncodeDate(2009, 3, 21) + 0.25);    // picked in the morning
    EXPECT_TRUE(page.RangeValid());
    page.SetEnd(EncodeDate(2009, 3, 20) + 0.99);
    EXPECT_FALSE(page.RangeValid());

    page.SetEnd(EncodeDate(2009, 3, 23) + 0.1);
    MainSettings settings = StartSettings();
    settings.calc.area = "Jakarta";
    settings.core.time_format = "HH:mm";
    const ScheduleRequest r = page.Request(settings, "tpl");
    EXPECT_EQ(r.last - r.first, 2.0);  // three days, the last one whole
    EXPECT_EQ(r.area, "Jakarta");
    EXPECT_EQ(r.html_template, "tpl");
    EXPECT_EQ(r.core.time_format, "HH:mm:ss");  // not the clock's "HH:mm": no rounding to minutes

    page.SetStart(EncodeDate(1, 1, 1));
    page.SetEnd(EncodeDate(9999, 12, 31));
    EXPECT_EQ(DecodeDate(page.start), kFirstScheduleDate);
    EXPECT_EQ(DecodeDate(page.end), kLastScheduleDate);
}

TEST(SchedulePage, ColourButtonsCaptionInTheContrastColour) {
    SchedulePage page;
    page.main_colour = Rgb(255, 200, 0);
    EXPECT_EQ(page.MainCaption(), Rgb(0, 0, 255));
    EXPECT_EQ(page.TextCaption(), Rgb(255, 255, 255));
}

// A long walk hands control back again and again, and the file it writes is
// the one WriteSchedule writes.
TEST(SchedulePage, LongWalkLetsTheClockTickAndWritesTheSameFile) {
    SchedulePage page;
    page.SetStart(EncodeDate(2000, 1, 1));
    page.SetEnd(EncodeDate(2009, 12, 31));
    page.format = 2;  // CSV
    MainSettings settings = StartSettings();
    settings.calc.latitude = "-6.175";
    settings.calc.longitude = "106.8272";
    settings.calc.time_zone = 7;
    const ScheduleRequest request = page.Request(settings, "");
    const std::string dir = ::testing::TempDir();
    int steps = 0;
    ASSERT_TRUE(WriteScheduleInSteps(request, BuiltInEnglish(), dir + "steps.csv", [&] { ++steps; }).ok);
    ASSERT_TRUE(WriteSchedule(request, BuiltInEnglish(), dir + "whole.csv").ok);
    const auto stepped = ReadWholeFile(dir + "steps.csv");
    ASSERT_TRUE(stepped);
    EXPECT_EQ(*stepped, *ReadWholeFile(dir + "whole.csv"));
    EXPECT_GE(steps, static_cast<int>(stepped->size() / kScheduleStepBytes));
    EXPECT_GT(steps, 10);
}

// A latitude no place has (imported from a settings file, say) gives no
// timetable: the main window shows no times for it either, and a file of
// that name already there is left as it was.
TEST(SchedulePage, SettingsOutOfRangeWriteNothing) {
    SchedulePage page;
    page.SetStart(EncodeDate(2024, 6, 19));
    page.SetEnd(EncodeDate(2024, 6, 22));
    page.format = 2;  // CSV
    MainSettings settings = StartSettings();
    settings.calc.latitude = "200";
    settings.calc.longitude = "10.75";
    settings.calc.time_zone = 2;
    const std::string file = ::testing::TempDir() + "refused.csv";
    std::ofstream(file, std::ios::binary) << "old timetable";

    const ScheduleRequest request = page.Request(settings, "");
    EXPECT_FALSE(ScheduleSettingsUsable(request));
    const ScheduleResult result = WriteScheduleInSteps(request, BuiltInEnglish(), file, {});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, BuiltInEnglish().Line(kLineScheduleSettingsUnusable));
    EXPECT_EQ(ReadWholeFile(file), "old timetable");

    settings.calc.latitude = "59.91";
    EXPECT_TRUE(ScheduleSettingsUsable(page.Request(settings, "")));
}
