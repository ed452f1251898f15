#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "scan/model/_TColorManager.h"

namespace {

bool Same(TRGBColor c, int r, int g, int b) { return c.R == r && c.G == g && c.B == b; }

TEST(ColorManager, SchemeZeroOverZeroToHundred)
{
    TColorManager cm;
    cm.SetColorScheme(0, 0.0f, 100.0f, 50.0f);

    // The threshold stop takes the colour of the palette stop above 50 % and sorts in after
    // the palette stops 1..9, before the equal-valued palette stop of 50 %.
    EXPECT_EQ(cm.ThresholdIndex, 9);
    EXPECT_EQ(cm.Stops[9].Value, 50.0f);
    EXPECT_TRUE(Same({cm.Stops[9].R, cm.Stops[9].G, cm.Stops[9].B}, 0, 140, 0));
    EXPECT_TRUE(Same({cm.Stops[10].R, cm.Stops[10].G, cm.Stops[10].B}, 0, 140, 51));

    EXPECT_FLOAT_EQ(cm.Stops[0].Percent, 5.0f);
    for (int i = 1; i <= 18; ++i) EXPECT_NEAR(cm.Stops[size_t(i)].Percent, 5.0 + i * 90.0 / 17.0, 1e-4) << i;
    EXPECT_FLOAT_EQ(cm.Stops[19].Percent, 95.0f);
    EXPECT_FLOAT_EQ(cm.Stops[20].Percent, 200.0f);
    // Spread values follow the percentages, the threshold stop keeps its own.
    EXPECT_NEAR(cm.Stops[3].Value, 5.0 + 3 * 90.0 / 17.0, 1e-4);

    EXPECT_TRUE(Same(cm.ColorOfValue(0.0f, 0.0f, 100.0f), 0, 0, 153));
    EXPECT_TRUE(Same(cm.ColorOfValue(50.0f, 0.0f, 100.0f), 0, 140, 0));
    EXPECT_TRUE(Same(cm.ColorOfValue(100.0f, 0.0f, 100.0f), 255, 135, 0));
}

TEST(ColorManager, LookupEnds)
{
    TColorManager cm;
    cm.SetColorScheme(1, 0.0f, 10.0f, 5.0f);
    const TColorStop& s1 = cm.Stops[1];
    const TColorStop& s20 = cm.Stops[20];
    EXPECT_TRUE(Same(cm.ColorOfPercent(-10.0f), s1.R, s1.G, s1.B));
    EXPECT_TRUE(Same(cm.ColorOfPercent(std::numeric_limits<float>::quiet_NaN()), s1.R, s1.G, s1.B));
    EXPECT_TRUE(Same(cm.ColorOfPercent(500.0f), s20.R, s20.G, s20.B));
    EXPECT_TRUE(Same(cm.ColorOfPercent(500.0f), 0, 230, 0));
}

TEST(ColorManager, TableGivesTheLookupsColourForEveryPercent)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> anywhere(-50.0f, 250.0f);
    const float inf = std::numeric_limits<float>::infinity();
    for (uint8_t scheme : {0, 1, 2, 7}) {
        for (const auto& [lower, upper, threshold] : {std::array<float, 3>{5, 95, 40}, {30, 35, -5}, {1, 99, 120},
                                                      {60, 60, std::numeric_limits<float>::quiet_NaN()}}) {
            TColorManager cm;
            cm.LowerLimit = lower;
            cm.UpperLimit = upper;
            cm.SetColorScheme(scheme, 0.0f, 100.0f, threshold);
            const TPercentColorTable table(cm);
            std::vector<float> percents = {std::numeric_limits<float>::quiet_NaN(), inf, -inf, 0.0f, -0.0f};
            for (const TColorStop& stop : cm.Stops)
                for (float p : {stop.Percent, std::nextafter(stop.Percent, -inf), std::nextafter(stop.Percent, inf)})
                    percents.push_back(p);
            for (int i = 0; i < 500; ++i) percents.push_back(anywhere(rng));
            for (float p : percents) {
                const TRGBColor a = cm.ColorOfPercent(p), b = table.ColorOf(p);
                ASSERT_TRUE(Same(b, a.R, a.G, a.B)) << "scheme " << int(scheme) << " percent " << p;
            }
        }
    }
}

TEST(ColorManager, Limits)
{
    TColorManager cm;
    EXPECT_FALSE(cm.SetUpperLimit(100.0f));
    EXPECT_FALSE(cm.SetUpperLimit(0.0f));
    EXPECT_FALSE(cm.SetUpperLimit(95.0f));  // unchanged
    EXPECT_FALSE(cm.SetUpperLimit(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(cm.SetUpperLimit(3.0f));
    EXPECT_EQ(cm.UpperLimit, 5.0f);  // not below the lower limit

    TColorManager other;
    EXPECT_FALSE(other.SetLowerLimit(0.0f));
    EXPECT_FALSE(other.SetLowerLimit(100.0f));
    EXPECT_TRUE(other.SetLowerLimit(97.0f));
    EXPECT_EQ(other.LowerLimit, 95.0f);  // not above the upper limit

    // The limits place the first and the last spread stop at the next rebuild.
    TColorManager spread;
    EXPECT_TRUE(spread.SetLowerLimit(20.0f));
    EXPECT_TRUE(spread.SetUpperLimit(80.0f));
    spread.SetColorScheme(0, 0.0f, 200.0f, 100.0f);
    EXPECT_FLOAT_EQ(spread.Stops[0].Percent, 20.0f);
    EXPECT_FLOAT_EQ(spread.Stops[0].Value, 40.0f);
    EXPECT_FLOAT_EQ(spread.Stops[19].Percent, 80.0f);
    EXPECT_FLOAT_EQ(spread.Stops[19].Value, 160.0f);
}

TEST(ColorManager, OtherSchemeKeepsStopsAndReinsertsThreshold)
{
    TColorManager cm;
    cm.SetColorScheme(0, 0.0f, 100.0f, 50.0f);
    const auto before = cm.Stops;
    cm.SetColorScheme(7, 0.0f, 100.0f, 80.0f);
    // The old lowest stop (index 0) is replaced by the threshold; the others keep colours.
    EXPECT_EQ(cm.Stops[cm.ThresholdIndex].Value, 80.0f);
    int kept = 0;
    for (int i = 1; i < 21; ++i)
        for (const TColorStop& s : cm.Stops)
            if (s.R == before[size_t(i)].R && s.G == before[size_t(i)].G && s.B == before[size_t(i)].B) {
                ++kept;
                break;
            }
    EXPECT_EQ(kept, 20);
}

TEST(ColorManager, FlatRangeAndNaNThresholdStayFinite)
{
    TColorManager cm;
    cm.SetColorScheme(0, 7.0f, 7.0f, 7.0f);
    for (const TColorStop& s : cm.Stops) {
        EXPECT_TRUE(std::isfinite(s.Percent));
        EXPECT_TRUE(std::isfinite(s.Value));
    }
    EXPECT_TRUE(Same(cm.ColorOfValue(7.0f, 7.0f, 7.0f), cm.Stops[1].R, cm.Stops[1].G, cm.Stops[1].B));

    TColorManager nan;
    nan.SetColorScheme(0, 0.0f, 10.0f, std::numeric_limits<float>::quiet_NaN());
    for (const TColorStop& s : nan.Stops) EXPECT_TRUE(std::isfinite(s.Percent));
}

TEST(ColorManager, RebuildHookRunsAfterEveryRebuild)
{
    // The hook sees the sorted stops and can derive Enabled from their colours, which the
    // sort would otherwise carry to other places.
    TColorManager cm;
    cm.SetAllStopsEnabled(1);
    int calls = 0;
    cm.OnStopsRebuilt = [&](TColorManager* sender) {
        ++calls;
        for (uint8_t i = 0; i < 21; ++i) sender->SetStopEnabled(i, sender->Stops[i].R == 255 ? 0 : 1);
    };
    cm.SetColorScheme(0, 0.0f, 100.0f, 50.0f);
    cm.SetColorScheme(0, 0.0f, 100.0f, 90.0f);
    EXPECT_EQ(calls, 2);
    for (const TColorStop& s : cm.Stops) EXPECT_EQ(s.Enabled, s.R == 255 ? 0 : 1);

    cm.SetStopEnabled(21, 1);  // out of range: ignored
    cm.SetStopEnabled(255, 1);
}

TEST(ColorManager, SortKeepsEqualValuesInOrder)
{
    // All stops share one value when Min = Max: nothing may move, the threshold stays at 0.
    TColorManager cm;
    cm.SetColorScheme(0, 3.0f, 3.0f, 3.0f);
    EXPECT_EQ(cm.ThresholdIndex, 0);
    EXPECT_TRUE(Same({cm.Stops[1].R, cm.Stops[1].G, cm.Stops[1].B}, 0, 0, 102));
}

}  // namespace
