// A scan built aside and adopted is the scan a direct receive gives, while the program's own
// settings on the scan (thresholds, diagram) stay.
#include <gtest/gtest.h>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan_grid_check.h"
#include "scan_test_support.h"

namespace {

TEST(ScanDataAdopt, AdoptedScanEqualsADirectReceiveAndKeepsTheProgramsSettings)
{
    TColorManager colorManager;
    TColorManager* colors = &colorManager;
    const std::vector<float> values = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};  // padded to 12
    const TReceiveLayout layout{1, 4, 0, 1};

    TScanData direct(&colors);
    Receive(direct, layout, values);

    TScanData current(&colors);
    Receive(current, {1, 2, 0, 0}, {7, 8});
    current.SurfaceThreshold = 4.5f;
    current.SurroundThreshold = 2.5f;
    current.DiagramSamples[10] = 42.0f;
    current.DiagramMax = 43.0f;

    TScanData built(current.ColorManager());
    built.SetPointsPerLine(layout.PointsPerLine);
    built.SetLinesPerBlock(layout.LinesPerBlock);
    built.SetReverse(layout.Reverse);
    built.BeginReceive(2);
    for (size_t i = 0; i < values.size(); ++i)
        built.AddScanPoint(RecordOf(values[i], uint32_t(i + 1)));
    built.EndReceiveAside();
    EXPECT_EQ(current.Count, 2u);  // untouched until the adoption

    current.AdoptScan(built);
    EXPECT_EQ(CheckScanGrid(current), "");
    EXPECT_EQ(built.Count, 0u);
    EXPECT_EQ(built.First, nullptr);
    EXPECT_EQ(current.Count, direct.Count);
    EXPECT_EQ(current.ScanMode, 2);
    EXPECT_EQ(current.Reverse, 1);
    EXPECT_EQ(current.Selected, current.First);
    EXPECT_EQ(current.Average, direct.Average);
    EXPECT_EQ(current.MinValue, direct.MinValue);
    EXPECT_EQ(current.MaxLevel, direct.MaxLevel);
    for (TScanPoint *a = current.FirstPoint(), *b = direct.FirstPoint(); a || b;
         a = current.NextPoint(), b = direct.NextPoint()) {
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Value, b->Value);
        EXPECT_EQ(a->X, b->X);
        EXPECT_EQ(a->Y, b->Y);
        EXPECT_EQ(a->R * 65536 + a->G * 256 + a->B, b->R * 65536 + b->G * 256 + b->B);
    }
    EXPECT_EQ(current.SurfaceThreshold, 4.5f);
    EXPECT_EQ(current.SurroundThreshold, 2.5f);
    EXPECT_EQ(current.DiagramSamples[10], 42.0f);
    EXPECT_EQ(current.DiagramMax, 43.0f);
}

} // namespace
