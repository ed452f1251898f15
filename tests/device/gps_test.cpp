// GPS coordinate routines at the edges: the worked examples, rounding into a full degree,
// non-finite input, hemispheres and the decimal separator.
#include "device/GpsCoordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(GpsCoordinates, ConversionsBothWays)
{
    EXPECT_EQ(DegreesToNMEA(47.9f), 4754.0f);
    EXPECT_FLOAT_EQ(NMEAToDegrees(4754.0f), 47.9f);
    // The sign stays with the whole and the fractional part alike.
    EXPECT_EQ(DegreesToNMEA(-5.5f), -530.0f);
    EXPECT_FLOAT_EQ(NMEAToDegrees(-530.0f), -5.5f);
    EXPECT_FLOAT_EQ(NMEAToDegrees(DegreesToNMEA(-179.75f)), -179.75f);
    EXPECT_EQ(DegreesToNMEA(0.0f), 0.0f);
    // Beyond the range of a Single the result is infinite, never undefined.
    EXPECT_TRUE(std::isinf(DegreesToNMEA(std::numeric_limits<float>::max())));
    EXPECT_TRUE(std::isnan(NMEAToDegrees(std::numeric_limits<float>::infinity())));
    for (float x = -180.0f; x <= 180.0f; x += 0.37f)
        ASSERT_NEAR(NMEAToDegrees(DegreesToNMEA(x)), x, 5e-5f) << x;
}

TEST(GpsCoordinates, LatitudeAndLongitudeTexts)
{
    EXPECT_EQ(LatitudeToStr(47.9f), "47\xB0 54.0000\" N");
    EXPECT_EQ(LatitudeToStr(-5.5f), "05\xB0 30.0000\" S");
    EXPECT_EQ(LongitudeToStr(8.25f), "008\xB0 15.0000\" E");
    EXPECT_EQ(LongitudeToStr(123.5f), "123\xB0 30.0000\" E");
    EXPECT_EQ(LongitudeToStr(-12.1f), "012\xB0 06.0000\" W");
    EXPECT_EQ(LatitudeToStr(-0.0f), "00\xB0 00.0000\" N");
    TFormatSettings comma;
    comma.DecimalSeparator = u',';
    EXPECT_EQ(LatitudeToStr(47.9f, comma), "47\xB0 54,0000\" N");
}

TEST(GpsCoordinates, MinutesRoundIntoTheNextDegreeInsteadOfShowingSixty)
{
    EXPECT_EQ(LatitudeToStr(0.9999992f), "01\xB0 00.0000\" N");
    EXPECT_EQ(LatitudeToStr(47.999996f), "48\xB0 00.0000\" N");
    EXPECT_EQ(LongitudeToStr(-99.99999f), "100\xB0 00.0000\" W");
    // A fraction just under ten minutes is padded after rounding, not before.
    EXPECT_EQ(LatitudeToStr(0.1666666f), "00\xB0 10.0000\" N");
}

TEST(GpsCoordinates, NonFinitePositionsPrintAsNothing)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (float x : {std::numeric_limits<float>::quiet_NaN(), inf, -inf, std::numeric_limits<float>::max()}) {
        EXPECT_EQ(LatitudeToStr(x), "") << x;
        EXPECT_EQ(LongitudeToStr(x), "") << x;
    }
    // Large but finite: printed in full, with no integer conversion on the way.
    EXPECT_EQ(LatitudeToStr(1e30f).substr(0, 5), "10000");
}

} // namespace
