// The interpolation command's work: pass by pass it gives what the renderer's smoothing gives
// with all passes at once, and the statistics follow the smoothed values.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

#include "app/InterpolationWork.h"
#include "scan/render/ScanScene.h"
#include "scan/render/render_support.h"

using namespace render_test;

namespace {

struct Field {
    Field() : scene(&colors.Var, sink)
    {
        ReceiveGrid(*scene.ScanData, 9, 7, [](int c, int r) {
            // A hill with two missing readings, which smoothing steps around.
            return (c == 2 && r == 3) || (c == 6 && r == 0) ? std::numeric_limits<float>::quiet_NaN()
                                                            : Hill(c, r, 9, 7);
        });
    }
    std::vector<float> Values()
    {
        std::vector<float> v;
        for (TScanPoint* p = scene.ScanData->FirstPoint(); p; p = scene.ScanData->NextPoint())
            v.push_back(p->Value);
        return v;
    }
    TColors colors;
    TRecordingSink sink;
    TScanScene scene;
};

}  // namespace

TEST(InterpolationWork, PassByPassGivesTheValuesOfAllPassesAtOnceWithStatisticsToMatch)
{
    Field stepwise, atOnce;
    std::atomic<int> progress{-1};
    const float highestBefore = stepwise.scene.ScanData->MaxValue;
    stepwise.scene.ScanData->Changed = 0;
    InterpolateScan(stepwise.scene, 4, progress);
    atOnce.scene.SmoothScan(4);

    const std::vector<float> a = stepwise.Values(), b = atOnce.Values();
    ASSERT_EQ(a.size(), b.size());
    float highest = -std::numeric_limits<float>::infinity(), lowest = -highest;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))) << i;
        if (!std::isnan(a[i])) {
            highest = std::max(highest, a[i]);
            lowest = std::min(lowest, a[i]);
        }
    }
    // Smoothing lowers the hill's top: the colours must be spread over the new range.
    EXPECT_LT(highest, highestBefore);
    EXPECT_EQ(stepwise.scene.ScanData->MaxValue, highest);
    EXPECT_EQ(stepwise.scene.ScanData->MinValue, lowest);
    EXPECT_EQ(stepwise.scene.ScanData->Changed, 1);
    EXPECT_EQ(stepwise.scene.Rebuild, 1);
    EXPECT_EQ(progress.load(), 100);
}
