#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <set>

#include "scan/model/_TColorManager.h"
#include "scan/model/ExactSum.h"
#include "scan/model/_TScanData.h"
#include "scan_grid_check.h"
#include "scan_test_support.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

struct ScanFixture : ::testing::Test {
    TColorManager* colors = &colorManager;
    TColorManager colorManager;
    TScanData scan{&colors};

    void ReceiveChecked(const TReceiveLayout& layout, const std::vector<float>& values)
    {
        Receive(scan, layout, values);
        ASSERT_EQ(CheckScanGrid(scan), "");
    }
    uint32_t IdAt(int column, int row) { return IdOf(RowsOf(scan)[size_t(row)][size_t(column)]->Carried); }
};

std::vector<float> Ramp(int n)
{
    std::vector<float> v;
    for (int i = 1; i <= n; ++i) v.push_back(float(i));
    return v;
}

TEST_F(ScanFixture, ZigZagColumnsWithPadding)
{
    ReceiveChecked({1, 4, 0, 0}, Ramp(10));
    EXPECT_EQ(scan.Count, 12u);
    EXPECT_EQ(scan.MaxX, 2.0f);
    // Column 0 upwards, column 1 (points 5 to 8) downwards, column 2 upwards.
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(IdAt(0, row), uint32_t(1 + row));
        EXPECT_EQ(IdAt(1, row), uint32_t(8 - row));
    }
    EXPECT_EQ(IdAt(2, 0), 9u);
    EXPECT_EQ(IdAt(2, 1), 10u);
    // The two padding points carry the mean of the values linked before each was added:
    // the line being filled is not linked yet.
    auto rows = RowsOf(scan);
    EXPECT_EQ(IdAt(2, 2), 0u);
    EXPECT_EQ(rows[2][2]->Value, 45.0f / 9.0f);
    EXPECT_EQ(rows[3][2]->Value, 55.0f / 10.0f);
    EXPECT_EQ(scan.Selected, scan.First);
    EXPECT_EQ(scan.Receiving, 0);
}

TEST_F(ScanFixture, ParallelColumns)
{
    ReceiveChecked({1, 4, 1, 0}, Ramp(10));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(IdAt(1, row), uint32_t(5 + row));
}

TEST_F(ScanFixture, ReversedLinesRunLeftToRight)
{
    ReceiveChecked({3, 2, 0, 1}, Ramp(6));
    // Line 1 arrives as columns 2, 1, 0.
    EXPECT_EQ(IdAt(0, 0), 3u);
    EXPECT_EQ(IdAt(1, 0), 2u);
    EXPECT_EQ(IdAt(2, 0), 1u);
    EXPECT_EQ(IdAt(0, 1), 6u);
}

TEST_F(ScanFixture, SeveralPointsPerLineOverSeveralBlocks)
{
    // Zig-zag, 3 points per line, 2 lines per block, 4 blocks: rows are the lines of each
    // block side by side.
    ReceiveChecked({3, 2, 0, 0}, Ramp(24));
    EXPECT_EQ(RowsOf(scan)[0].size(), 12u);
    EXPECT_EQ(IdAt(3, 1), 7u);  // block 2 starts on line 2
    EXPECT_EQ(IdAt(3, 0), 10u);
    EXPECT_EQ(IdAt(6, 0), 13u);
}

TEST_F(ScanFixture, StatisticsLevelsAndColours)
{
    ReceiveChecked({1, 2, 0, 0}, {-9.0f, -1.0f, -5.0f, -3.0f});
    EXPECT_EQ(scan.MaxValue, -1.0f);
    EXPECT_EQ(scan.MinValue, -9.0f);
    EXPECT_EQ(scan.Average, -4.5f);
    EXPECT_EQ(scan.UpperBound, -4.5f);
    EXPECT_EQ(scan.LowerBound, -9.0f);  // the larger distance is below the average
    EXPECT_FLOAT_EQ(scan.MaxLevel, 4.5f * 3.0f / 8.0f);
    EXPECT_EQ(scan.LevelValue, scan.UpperBound);
    // The maximum takes the colour of 100 %, the minimum that of 0 %.
    auto rows = RowsOf(scan);
    const TRGBColor top = colorManager.ColorOfPercent(100.0f);
    EXPECT_EQ(rows[1][0]->R, top.R);
    EXPECT_EQ(rows[1][0]->G, top.G);

    for (int i = 0; i < 100; ++i) scan.LevelUp();
    EXPECT_EQ(scan.Level, scan.MaxLevel);
    EXPECT_EQ(scan.LevelValue, scan.LowerBound);
    for (int i = 0; i < 100; ++i) scan.LevelDown();
    EXPECT_EQ(scan.Level, 0.0f);
    EXPECT_EQ(scan.LevelValue, scan.UpperBound);
}

TEST_F(ScanFixture, SoilFactor)
{
    ReceiveChecked({1, 2, 0, 0}, {1, 2, 3, 4});
    const float level = scan.MaxLevel, value = scan.LevelValue;
    scan.SetSoilFactor(3.0f);  // the current factor: nothing changes
    EXPECT_EQ(scan.MaxLevel, level);
    EXPECT_EQ(scan.LevelValue, value);
    scan.SetSoilFactor(1.5f);
    EXPECT_EQ(scan.MaxLevel, 1.5f);
    EXPECT_EQ(scan.LevelValue, 0.0f);
    scan.RecomputeStatistics();
    EXPECT_FLOAT_EQ(scan.MaxLevel, 1.5f * 1.5f / 3.0f);
}

TEST_F(ScanFixture, ScansWithoutSpreadStayFinite)
{
    for (const std::vector<float>& values :
         {std::vector<float>{NaN, NaN, NaN}, std::vector<float>{2, 2, 2, 2}, std::vector<float>{}}) {
        ReceiveChecked({1, 2, 0, 0}, values);
        for (float f : {scan.Average, scan.MinValue, scan.MaxValue, scan.MaxLevel, scan.LowerBound, scan.LevelValue})
            EXPECT_TRUE(std::isfinite(f));
        scan.LevelUp();
        EXPECT_TRUE(std::isfinite(scan.LevelValue));
        scan.SelectPoint(scan.GetNextPoint(1));
        EXPECT_FALSE(std::isinf(scan.SelectedLevel));
        scan.CorrectFaultSignals(false);
    }
    // All NaN: padding stays NaN and the points keep their Invalid mark.
    ReceiveChecked({1, 2, 0, 0}, {NaN, NaN, NaN});
    EXPECT_EQ(scan.Count, 4u);
    for (auto& row : RowsOf(scan))
        for (TScanPoint* p : row) {
            EXPECT_TRUE(std::isnan(p->Value));
            EXPECT_EQ(p->Invalid, 1);
        }
    EXPECT_EQ(scan.Average, 0.0f);
}

TEST_F(ScanFixture, InfiniteReadingsStayOutOfTheStatistics)
{
    ReceiveChecked({1, 2, 0, 0}, {1.0f, std::numeric_limits<float>::infinity(), 3.0f, 5.0f});
    EXPECT_EQ(scan.MaxValue, 5.0f);
    EXPECT_EQ(scan.Average, 3.0f);
    EXPECT_EQ(RowsOf(scan)[1][0]->Invalid, 0);  // only NaN marks a point invalid
}

TEST_F(ScanFixture, WalksVisitEveryPointOnce)
{
    ReceiveChecked({2, 3, 0, 0}, Ramp(12));
    std::vector<TScanPoint*> rowOrder;
    for (TScanPoint* p = scan.FirstPoint(); p; p = scan.NextPoint()) rowOrder.push_back(p);
    ASSERT_EQ(rowOrder.size(), 12u);
    for (size_t i = 0; i < rowOrder.size(); ++i) {
        EXPECT_EQ(rowOrder[i]->X, float(i % 4));
        EXPECT_EQ(rowOrder[i]->Y, float(i / 4));
    }
    // Column serpentine: column 0 up, column 1 down, ...
    std::vector<std::pair<float, float>> serpentine;
    for (TScanPoint* p = scan.FirstColumnPoint(); p; p = scan.NextColumnPoint()) serpentine.emplace_back(p->X, p->Y);
    ASSERT_EQ(serpentine.size(), 12u);
    EXPECT_EQ((std::set<std::pair<float, float>>(serpentine.begin(), serpentine.end()).size()), 12u);
    EXPECT_EQ(serpentine[2], std::make_pair(0.0f, 2.0f));
    EXPECT_EQ(serpentine[3], std::make_pair(1.0f, 2.0f));
    EXPECT_EQ(serpentine[5], std::make_pair(1.0f, 0.0f));
    EXPECT_EQ(serpentine[6], std::make_pair(2.0f, 0.0f));
    // A model operation in between does not disturb a walk under way.
    scan.FirstPoint();
    scan.NextPoint();
    scan.RecomputeStatistics();
    EXPECT_EQ(scan.NextPoint(), rowOrder[2]);
}

TEST_F(ScanFixture, NeighbourStepsAndSelection)
{
    ReceiveChecked({1, 3, 0, 0}, Ramp(9));
    EXPECT_EQ(scan.GetNextPoint(200), RowsOf(scan)[0][2]);  // stops at the edge
    EXPECT_EQ(scan.GetNextLinePoint(1), RowsOf(scan)[1][0]);
    EXPECT_EQ(scan.GetPreviousPoint(3), scan.First);
    EXPECT_EQ(scan.Selected, scan.First);  // steps do not select

    TScanPoint* centre = RowsOf(scan)[1][1];
    scan.SelectPoint(centre);
    EXPECT_EQ(scan.GetPreviousLinePoint(1), RowsOf(scan)[0][1]);
    EXPECT_FLOAT_EQ(scan.SelectedLevel,
                    std::fabs(scan.Average - centre->Value) * scan.MaxLevel / (scan.UpperBound - scan.LowerBound));
    const float level = scan.SelectedLevel;
    scan.SelectPoint(nullptr);
    EXPECT_EQ(scan.Selected, centre);
    EXPECT_EQ(scan.SelectedLevel, level);

    TScanData empty{TColorManagerRef{}};
    EXPECT_EQ(empty.GetNextPoint(3), nullptr);
}

TEST_F(ScanFixture, FaultSignalAtExactlyTheThresholdStays)
{
    // Average 2.0 from nine points; the minimum 0 lies exactly 2 below it.
    ReceiveChecked({1, 3, 0, 0}, {0, 2, 2, 2, 2, 2, 2, 2, 4});
    scan.SurfaceThreshold = 2.0f;
    scan.SurroundThreshold = 0.0f;
    scan.CorrectFaultSignals(false);
    EXPECT_EQ(RowsOf(scan)[0][0]->Value, 0.0f);
    scan.SurfaceThreshold = 1.9f;
    scan.CorrectFaultSignals(false);
    EXPECT_NE(RowsOf(scan)[0][0]->Value, 0.0f);
}

TEST_F(ScanFixture, FaultWithNeighboursSummingToZeroStaysAndCorrectionEnds)
{
    ReceiveChecked({1, 3, 0, 0}, {0, 0, 0, 0, 90, 0, 0, 0, 0});
    scan.SurfaceThreshold = 20.0f;  // the zeros are no faults, the 90 is
    scan.SurroundThreshold = 4.0f;
    scan.CorrectFaultSignals(false);
    EXPECT_EQ(RowsOf(scan)[1][1]->Value, 90.0f);
}

TEST_F(ScanFixture, NeighbourMeanIsWrittenOnlyWhenTheNeighboursSumAboveZero)
{
    struct Case {
        float below, left, right, above;
        float mean;
        bool writes;
    };
    const Case cases[] = {
        {-1.0f, -2.0f, -3.0f, -4.0f, -2.5f, false},  // all negative
        {2.0f, -2.0f, 3.0f, -3.0f, 0.0f, false},     // cancelling to exactly zero
        {0.5f, 0.0f, 0.0f, 0.0f, 0.125f, true},      // the smallest positive sum here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mean);
        ReceiveChecked({1, 3, 0, 0}, std::vector<float>(9, 0.0f));
        auto rows = RowsOf(scan);
        TScanPoint* centre = rows[1][1];
        rows[0][1]->Value = c.below;
        rows[1][0]->Value = c.left;
        rows[1][2]->Value = c.right;
        rows[2][1]->Value = c.above;
        centre->Value = 50.0f;
        scan.RecomputeStatistics();
        scan.Changed = 0;

        EXPECT_EQ(scan.NeighbourMean(centre, false), c.mean);
        EXPECT_EQ(centre->Value, 50.0f) << "asked without write-back";
        EXPECT_EQ(scan.NeighbourMean(centre, true), c.mean);
        EXPECT_EQ(centre->Value, c.writes ? c.mean : 50.0f);
        EXPECT_EQ(scan.Changed, c.writes ? 1 : 0);
        EXPECT_EQ(scan.MaxValue, c.writes ? std::max(c.mean, 0.5f) : 50.0f) << "statistics follow a write";

        // The correction of the selected point takes the same road.
        centre->Value = 50.0f;
        scan.SelectPoint(centre);
        scan.CorrectFaultSignals(true);
        EXPECT_EQ(centre->Value, c.writes ? c.mean : 50.0f);
    }
}

TEST_F(ScanFixture, FaultAmongNegativeNeighboursStays)
{
    // The -90 stands out from the average and from its neighbours, but their sum is below
    // zero: it is never corrected, and the correction ends.
    ReceiveChecked({1, 3, 0, 0}, {-5, -5, -5, -5, -90, -5, -5, -5, -5});
    scan.SurfaceThreshold = 20.0f;
    scan.SurroundThreshold = 4.0f;
    scan.CorrectFaultSignals(false);
    EXPECT_EQ(RowsOf(scan)[1][1]->Value, -90.0f);
    EXPECT_EQ(scan.MinValue, -90.0f);
}

TEST_F(ScanFixture, SpikeIsReplacedByItsNeighbourMean)
{
    ReceiveChecked({1, 3, 0, 0}, {1, 2, 3, 4, 90, 6, 7, 8, 9});
    scan.SurfaceThreshold = 7.0f;
    scan.SurroundThreshold = 4.0f;
    scan.Changed = 0;
    scan.CorrectFaultSignals(false);
    EXPECT_EQ(RowsOf(scan)[1][1]->Value, (2.0f + 4.0f + 6.0f + 8.0f) / 4.0f);
    EXPECT_EQ(RowsOf(scan)[1][1]->DisplayValue, 90.0f);  // correction changes Value only
    EXPECT_EQ(scan.MaxValue, 9.0f);
    EXPECT_EQ(scan.Changed, 1);

    // Selected only: the selected point takes its neighbour mean whatever the thresholds.
    scan.SelectPoint(RowsOf(scan)[0][0]);
    scan.CorrectFaultSignals(true);
    EXPECT_EQ(RowsOf(scan)[0][0]->Value, 4.0f);
    EXPECT_EQ(scan.MinValue, 2.0f);
}

TEST_F(ScanFixture, ReceiveEdges)
{
    // Outside a receive, points are ignored and EndReceive does nothing.
    scan.AddScanPoint(RecordOf(1.0f, 1));
    scan.EndReceive();
    EXPECT_EQ(scan.Count, 0u);

    // A stopped receive keeps the unfinished line out of the grid; a new receive or the end
    // of the scan releases it (LeakSanitizer watches).
    scan.SetPointsPerLine(3);
    scan.SetLinesPerBlock(2);
    scan.BeginReceive(0);
    for (uint32_t i = 1; i <= 5; ++i) scan.AddScanPoint(RecordOf(float(i), i));
    scan.SetPointsPerLine(9);  // ignored while receiving
    EXPECT_EQ(scan.PointsPerLine, 3u);
    scan.StopReceiving();
    scan.EndReceive();  // not receiving: must not pad forever
    EXPECT_EQ(scan.Count, 5u);
    ASSERT_NE(scan.First, nullptr);
    EXPECT_EQ(RowsOf(scan).size(), 1u);
    scan.BeginReceive(0);
    scan.BeginReceive(0);
    EXPECT_EQ(scan.First, nullptr);

    // No line length: no place for a point.
    scan.StopReceiving();
    scan.SetPointsPerLine(0);
    scan.BeginReceive(0);
    scan.AddScanPoint(RecordOf(1.0f, 1));
    scan.EndReceive();
    EXPECT_EQ(scan.Count, 0u);
    EXPECT_EQ(CheckScanGrid(scan), "");
}

TEST(ScanDataWhileReceiving, RunningMinimumAndMaximumFollowEachReading)
{
    const float inf = std::numeric_limits<float>::infinity();
    // Missing and infinite readings leave the running extremes alone.
    const float values[] = {-4, 3, NaN, 8, -6, inf, 7, -inf};
    const float lows[] = {-4, -4, -4, -4, -6, -6, -6, -6};
    const float highs[] = {-4, 3, 3, 8, 8, 8, 8, 8};
    for (bool withColours : {true, false}) {
        SCOPED_TRACE(withColours ? "with a colour manager" : "without a colour manager");
        TColorManager manager;
        TColorManager* colors = withColours ? &manager : nullptr;
        TScanData scan{&colors};
        scan.SetPointsPerLine(2);
        scan.SetLinesPerBlock(4);
        scan.BeginReceive(0);
        EXPECT_EQ(scan.MinValue, TScanData::MinValueStart);
        EXPECT_EQ(scan.MaxValue, TScanData::MaxValueStart);
        for (size_t i = 0; i < std::size(values); ++i) {
            scan.AddScanPoint(RecordOf(values[i], uint32_t(i + 1)));
            EXPECT_EQ(scan.MinValue, lows[i]) << "after reading " << i;
            EXPECT_EQ(scan.MaxValue, highs[i]) << "after reading " << i;
        }
        scan.EndReceive();  // a whole grid: no padding
        EXPECT_EQ(scan.Count, 8u);
        EXPECT_EQ(scan.MinValue, -6.0f);
        EXPECT_EQ(scan.MaxValue, 8.0f);
        // A new receive starts from nothing.
        scan.BeginReceive(0);
        scan.AddScanPoint(RecordOf(1.5f, 1));
        EXPECT_EQ(scan.MinValue, 1.5f);
        EXPECT_EQ(scan.MaxValue, 1.5f);
        scan.StopReceiving();
    }
}

TEST_F(ScanFixture, StatisticsOfAStoppedReceiveCoverTheLinkedLines)
{
    // Three points per line: the first line is linked into the grid, the second is still
    // being filled when the receive stops.
    scan.SetPointsPerLine(3);
    scan.SetLinesPerBlock(2);
    scan.BeginReceive(0);
    for (uint32_t i = 1; i <= 5; ++i) scan.AddScanPoint(RecordOf(float(i), i));
    scan.StopReceiving();
    scan.RecomputeStatistics();
    EXPECT_EQ(scan.MinValue, 1.0f);
    EXPECT_EQ(scan.MaxValue, 3.0f);
    EXPECT_EQ(scan.Average, 2.0f);
}

TEST(ScanDataWithoutColours, StatisticsWaitForTheColourManager)
{
    TColorManager* colors = nullptr;
    TScanData scan{&colors};
    Receive(scan, {1, 2, 0, 0}, {4, 8, 7});
    EXPECT_EQ(CheckScanGrid(scan), "");
    // Provisional statistics: running pairwise mean; the padding takes that average.
    EXPECT_EQ(scan.Average, 6.5f);
    EXPECT_EQ(RowsOf(scan)[0][1]->Value, 6.5f);
    EXPECT_EQ(scan.LevelStep, 0.0f);

    TColorManager later;
    colors = &later;  // created after the scan, read at each use
    scan.RecomputeStatistics();
    EXPECT_FLOAT_EQ(scan.Average, 6.375f);
    EXPECT_EQ(scan.LevelStep, 0.1f);
}

}  // namespace

namespace {

TEST(ExactSum, EverySingleComesBackExactly)
{
    // Across the whole range of Singles, so that the value's highest bit falls in every
    // limb and at every offset in it.
    for (int exponent = -149; exponent <= 127; ++exponent)
        for (float mantissa : {1.0f, 1.5f, 1.9999999f}) {
            const float v = std::ldexp(mantissa, exponent);
            if (!std::isfinite(v) || v == 0.0f)
                continue;
            TExactSum s;
            s.Add(v);
            ASSERT_EQ(s.Value(), double(v)) << v;
            s.Subtract(v);
            s.Subtract(v);
            ASSERT_EQ(s.Value(), -double(v)) << v;
        }
}

TEST(ExactSum, OrderAndCancellationLeaveNoTrace)
{
    TExactSum s;
    s.Add(1e30f);
    s.Add(3.0f);
    s.Add(-2.5f);
    s.Subtract(1e30f);
    EXPECT_EQ(s.Value(), 0.5);

    TExactSum tiny;
    tiny.Add(std::numeric_limits<float>::denorm_min());
    tiny.Add(std::numeric_limits<float>::max());
    tiny.Add(std::numeric_limits<float>::max());
    tiny.Subtract(std::numeric_limits<float>::max());
    tiny.Subtract(std::numeric_limits<float>::max());
    EXPECT_EQ(tiny.Value(), double(std::numeric_limits<float>::denorm_min()));

    TExactSum negative;
    negative.Add(-0.1f);
    negative.Add(-0.2f);
    EXPECT_EQ(negative.Value(), double(-0.1f) + double(-0.2f));
    negative.Add(std::numeric_limits<float>::quiet_NaN());
    negative.Add(std::numeric_limits<float>::infinity());
    EXPECT_EQ(negative.Value(), double(-0.1f) + double(-0.2f));
}

TEST(ExactSum, BinsGiveTheSumOfTheLimbs)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 200; ++round) {
        TExactSum limbs;
        TExactSumBins bins;
        const int n = 1 + int(rng() % 300);
        for (int i = 0; i < n; ++i) {
            uint32_t bits = uint32_t(rng());
            if (round % 3 == 0) bits = (bits & 0x807FFFFF) | ((120 + rng() % 16) << 23);  // few exponents
            if (round % 7 == 0) bits &= 0x807FFFFF;                                        // subnormals
            float v;
            std::memcpy(&v, &bits, sizeof v);
            limbs.Add(v);
            bins.Add(v);
        }
        ASSERT_EQ(bins.Value(), limbs.Value()) << "round " << round;
    }
    TExactSumBins cancelling;
    cancelling.Add(std::numeric_limits<float>::max());
    cancelling.Add(std::numeric_limits<float>::denorm_min());
    cancelling.Add(-std::numeric_limits<float>::max());
    cancelling.Add(std::numeric_limits<float>::quiet_NaN());
    cancelling.Add(-std::numeric_limits<float>::infinity());
    EXPECT_EQ(cancelling.Value(), double(std::numeric_limits<float>::denorm_min()));
}

}  // namespace
