// Colour arithmetic, gradient schedule, blending and border hit testing (portable).
#include "widgets/el/foundation/ElColorMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

TEST(ColorMath, LightenAndScale)
{
    EXPECT_EQ(LightenRGB(MakeRGB(0, 0, 0), 50), MakeRGB(128, 128, 128));  // MulDiv rounds
    EXPECT_EQ(LightenRGB(clWhite, 37), clWhite);
    EXPECT_EQ(LightenRGB(MakeRGB(0, 100, 255), 200), MakeRGB(255, 255, 255));  // clamped, never wrapped
    EXPECT_EQ(ScaleRGB(MakeRGB(200, 100, 0), 150), MakeRGB(44, 150, 0));    // 300 wraps to 44
    EXPECT_EQ(ScaleRGB(MakeRGB(200, 100, 50), 0), clBlack);
    EXPECT_EQ(MakeRGB(0x1FF, -1, 0x100), MakeRGB(0xFF, 0xFF, 0));
}

TEST(ColorMath, HLSOfRedAndGrey)
{
    const uint32_t red = RGBToHLS(MakeRGB(255, 0, 0));
    EXPECT_EQ(red & 0xFF, 0u);
    EXPECT_EQ((red >> 8) & 0xFF, 126u);
    EXPECT_EQ((red >> 16) & 0xFF, 252u);
    const uint32_t grey = RGBToHLS(MakeRGB(128, 128, 128));
    EXPECT_EQ(grey & 0xFF, 168u);
    EXPECT_EQ((grey >> 16) & 0xFF, 0u);
    EXPECT_EQ(HLSToColor(MakeHLS(0, 126, 252)), MakeRGB(255, 0, 0));
    // The least saturation is a colour already, not grey.
    const TColor faint = HLSToColor(MakeHLS(0, 126, 1));
    EXPECT_GT(RedOf(faint), BlueOf(faint));
}

TEST(ColorMath, SaturationIsTheRoundedShareOfTheSpread)
{
    // Dark colours divide the spread by max + min, light ones by 2 * 255 - max - min; the
    // result rounds to the nearest step of 252.
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 15)
            for (int b : {0, 77, 200, 255}) {
                const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
                if (hi == lo)
                    continue;
                const int l = ((hi + lo) * 252 + 255) / 510;
                const double share = double(hi - lo) / (l <= 126 ? hi + lo : 510 - hi - lo);
                const uint32_t hls = RGBToHLS(MakeRGB(r, g, b));
                EXPECT_EQ(int((hls >> 16) & 0xFF), int(std::floor(share * 252 + 0.5))) << r << "," << g << "," << b;
            }
}

TEST(ColorMath, HLSRoundTripsWithinHalfAHueStep)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const TColor c = MakeRGB(r, g, b);
                const TColor back = HLSToColor(RGBToHLS(c));
                // The 0..252 scale holds fewer steps than 0..255: a hue step is about 6 RGB units, so allow half of it.
                EXPECT_LE(std::abs(RedOf(back) - r), 3) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(GreenOf(back) - g), 3) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(BlueOf(back) - b), 3) << r << "," << g << "," << b;
            }
}

TEST(ColorMath, GradientBandsCoverTheExtentAndRunFromStartToEnd)
{
    EXPECT_EQ(GradientBandColor(MakeRGB(10, 20, 30), MakeRGB(200, 0, 0), 0, 1), MakeRGB(10, 20, 30));
    const TColor start = MakeRGB(0, 0, 0), end = MakeRGB(255, 100, 10);
    EXPECT_EQ(GradientBandColor(start, end, 0, 4), start);
    EXPECT_EQ(GradientBandColor(start, end, 3, 4), end);
    EXPECT_EQ(GradientBandColor(start, end, 1, 4), MakeRGB(85, 33, 3));
    // Downwards from a colour that is not black.
    EXPECT_EQ(GradientBandColor(MakeRGB(200, 100, 50), MakeRGB(100, 100, 250), 1, 3), MakeRGB(150, 100, 150));
    EXPECT_EQ(GradientBandStart(0, 10, 3), 0);
    EXPECT_EQ(GradientBandStart(1, 10, 3), 3);
    EXPECT_EQ(GradientBandStart(2, 10, 3), 7);
    EXPECT_EQ(GradientBandStart(3, 10, 3), 10);
}

TEST(ColorMath, BlendWeighsSourceAndDestination)
{
    EXPECT_EQ(BlendPixel(0x00FF0000, 0x000000FF, 128), 0x007F007Fu);
    EXPECT_EQ(BlendPixel(0xFF102030, 0x00405060, 0), 0x00405060u);
    EXPECT_EQ(BlendPixel(0x00FFFFFF, 0xFF000000, 256), 0x00FFFFFFu);  // alpha byte of the result is 0
}

TEST(ColorMath, BorderHitTest)
{
    const TRect r{0, 0, 100, 100};
    EXPECT_EQ(BorderHitTest(r, {2, 5}, 10, 4), htTopLeft);
    EXPECT_EQ(BorderHitTest(r, {50, 2}, 10, 4), htTop);
    EXPECT_EQ(BorderHitTest(r, {50, 95}, 10, 4), htBottom);  // the bottom band spans rows 95 to 99
    EXPECT_EQ(BorderHitTest(r, {50, 94}, 10, 4), htClient);
    EXPECT_EQ(BorderHitTest(r, {2, 50}, 10, 4), htLeft);
    EXPECT_EQ(BorderHitTest(r, {95, 50}, 10, 4), htRight);
    EXPECT_EQ(BorderHitTest(r, {4, 50}, 10, 4), htClient);   // the left band is 4 wide
    EXPECT_EQ(BorderHitTest(r, {0, 99}, 10, 4), htBottomLeft);
    EXPECT_EQ(BorderHitTest(r, {99, 0}, 10, 4), htTopRight);
    // Where the corner grips begin along each band: K + 1 from the far edge.
    EXPECT_EQ(BorderHitTest(r, {97, 88}, 10, 4), htRight);
    EXPECT_EQ(BorderHitTest(r, {97, 89}, 10, 4), htBottomRight);
    EXPECT_EQ(BorderHitTest(r, {2, 88}, 10, 4), htLeft);
    EXPECT_EQ(BorderHitTest(r, {2, 89}, 10, 4), htBottomLeft);
    EXPECT_EQ(BorderHitTest(r, {88, 2}, 10, 4), htTop);
    EXPECT_EQ(BorderHitTest(r, {89, 2}, 10, 4), htTopRight);
    EXPECT_EQ(BorderHitTest(r, {88, 97}, 10, 4), htBottom);
    EXPECT_EQ(BorderHitTest(r, {89, 97}, 10, 4), htBottomRight);
    EXPECT_EQ(BorderHitTest(r, {99, 99}, 10, 4), htBottomRight);
    EXPECT_EQ(BorderHitTest(r, {1, 1}, 10, 4), htTopLeft);
    EXPECT_EQ(BorderHitTest(r, {100, 50}, 10, 4), htNowhere);
    EXPECT_EQ(BorderHitTest(r, {-1, 50}, 10, 4), htNowhere);
}

}  // namespace
