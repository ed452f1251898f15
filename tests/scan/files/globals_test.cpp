#include <gtest/gtest.h>

#include <cmath>

#include "framework/FormatSettings.h"
#include "scan/files/globals.h"

namespace {

constexpr double Tuesday5March2024 = 45356.0;

double At(double Day, int Hour, int Minute) { return Day + (Hour * 60 + Minute) / 1440.0; }

TEST(Globals, DateAndTimeTextsInEveryFormat)
{
    ASSERT_EQ(FormatSettings().LongMonthNames[2], u"March"); // English names in the tests
    const double T = At(Tuesday5March2024, 14, 7);
    EXPECT_EQ(DateToText(0, T), "05.03.2024");
    EXPECT_EQ(DateToText(1, T), "5. March 2024");
    EXPECT_EQ(DateToText(2, T), "Tuesday, 5. March 2024");
    EXPECT_EQ(TimeToText(0, T), "14:07");
    EXPECT_EQ(TimeToText(1, T), "02:07 pm");
    EXPECT_EQ(TimeToText(1, At(Tuesday5March2024, 0, 5)), "12:05 am");
    EXPECT_EQ(TimeToText(1, At(Tuesday5March2024, 12, 0)), "12:00 pm");
    EXPECT_EQ(TimeToText(1, At(Tuesday5March2024, 23, 59)), "11:59 pm");
}

TEST(Globals, DateIndexOutOfRangeUsesTheFirstFormatAndBadDatesGiveNoText)
{
    const double T = At(Tuesday5March2024, 14, 7);
    EXPECT_EQ(DateToText(3, T), "05.03.2024");
    EXPECT_EQ(DateToText(255, T), "05.03.2024");
    EXPECT_EQ(TimeToText(2, T), "14:07");
    EXPECT_EQ(DateToText(0, std::nan("")), "");
    EXPECT_EQ(TimeToText(0, INFINITY), "");
    EXPECT_EQ(DateToText(0, 3.0e9), "");
    EXPECT_EQ(DateToText(0, -693594.0), "");
    EXPECT_EQ(DateToText(0, -693593.0), "01.01.0001");
    EXPECT_EQ(DateToText(0, 2958465.0), "31.12.9999");
}

TEST(Globals, ColorGroups)
{
    EXPECT_EQ(ColorGroupOf(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(ColorGroupOf(0, 0, 150), 0xFF0000u);
    EXPECT_EQ(ColorGroupOf(0, 200, 50), 0x008000u);
    EXPECT_EQ(ColorGroupOf(128, 128, 50), 0x008000u);
    EXPECT_EQ(ColorGroupOf(128, 128, 128), 0x1FFFFFFFu);
    EXPECT_EQ(ColorGroupOf(128, 128, 99), 0x008000u);      // green up to a blue of 99
    EXPECT_EQ(ColorGroupOf(128, 128, 100), 0x1FFFFFFFu);
}

TEST(Globals, JoinedValuesForBothReadingDirections)
{
    std::vector<TVarValue> V{u"Import", u" - ", int64_t(3)};
    EXPECT_EQ(VarArrayToWideString(1, V), u"Import - 3");
    EXPECT_EQ(VarArrayToWideString(0, V), u"3 - Import");
    EXPECT_EQ(VarArrayToWideString(2, {u"a", 1.5}), u"1.5a");
    EXPECT_EQ(VarArrayToWideString(1, {}), u"");
}

TEST(Globals, GLPixelsBecomeBitmapBitsWithOptionalWhiteBackground)
{
    // Two pixels: the background (10, 20, 30) and another colour.
    const TColor Background = 10 | 20 << 8 | 30 << 16;
    std::vector<uint8_t> P{10, 20, 30, 255, 1, 2, 3, 255};
    std::vector<uint8_t> Q = P;
    ASSERT_TRUE(GLPixelsToBitmapBits(P, 2, 1, Background, 0));
    EXPECT_EQ(P, (std::vector<uint8_t>{30, 20, 10, 255, 3, 2, 1, 255}));
    ASSERT_TRUE(GLPixelsToBitmapBits(Q, 2, 1, Background, 1));
    EXPECT_EQ(Q, (std::vector<uint8_t>{255, 255, 255, 255, 3, 2, 1, 255}));
    EXPECT_FALSE(GLPixelsToBitmapBits(Q, 3, 1, Background, 1));
}

TEST(Globals, SettingsDefaultsAndFormats)
{
    TSettingsRecord R;
    EXPECT_EQ(R.DeviceIndex, -1);
    EXPECT_EQ(R.ZoomStep, 1.25f);
    EXPECT_EQ(R.ColorLimitStep, 3.0f);
    EXPECT_EQ(R.SurfaceThreshold, 7);
    EXPECT_EQ(R.SurroundThreshold, 4);
    EXPECT_EQ(DateTimeFormats.DateFormats[2], "dddd', 'd'. 'mmmm' 'yyyy");
    EXPECT_EQ(DateTimeFormats.TimeFormats[1], "hh:nn am/pm");
    EXPECT_EQ(LiveScan.DeviceIndex, -1);
}

} // namespace
