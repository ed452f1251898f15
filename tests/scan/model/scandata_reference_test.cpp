// The model against the straightforward versions in scan_reference.h, on many random scans.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan_grid_check.h"
#include "scan_reference.h"
#include "scan_test_support.h"

namespace {

bool SameValue(float a, float b, bool exact)
{
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (exact || std::isinf(a) || std::isinf(b)) return a == b;
    return std::fabs(a - b) <= 1e-5f * std::max(1.0f, std::fabs(a));
}

// Lists a grid in row order with each point's neighbours as row-order indices (-1 = none).
template <typename P>
struct Listing {
    std::vector<P*> points;
    std::map<const P*, int> index;
    explicit Listing(P* first)
    {
        for (P* h = first; h; h = h->Up)
            for (P* p = h; p; p = p->Next) {
                index[p] = int(points.size());
                points.push_back(p);
            }
    }
    int Of(const P* p) const { return p ? index.at(p) : -1; }
};

TEST(ScanDataAgainstReference, RandomReceives)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 600; ++round) {
        TReceiveLayout layout;
        layout.PointsPerLine = 1 + rng() % 5;
        layout.LinesPerBlock = 1 + rng() % 6;
        layout.LineOrder = uint8_t(rng() % 3);
        layout.Reverse = uint8_t(rng() % 3);
        const std::vector<float> values = RandomValues(rng, rng() % 90);
        SCOPED_TRACE(::testing::Message() << "round " << round << " ppl " << layout.PointsPerLine << " lpb "
                                          << layout.LinesPerBlock << " order " << int(layout.LineOrder)
                                          << " reverse " << int(layout.Reverse) << " count " << values.size());

        TColorManager colors;
        TColorManager* colorsVar = &colors;
        TScanData scan(&colorsVar);
        Receive(scan, layout, values);
        ASSERT_EQ(CheckScanGrid(scan), "");

        reference::Receiver ref;
        ref.PointsPerLine = layout.PointsPerLine;
        ref.LinesPerBlock = layout.LinesPerBlock;
        ref.LineOrder = layout.LineOrder;
        ref.Reverse = layout.Reverse;
        for (size_t i = 0; i < values.size(); ++i) ref.Add(RecordOf(values[i], uint32_t(i + 1)));
        ref.End();
        ASSERT_EQ(scan.Count, ref.Count);

        Listing<TScanPoint> fast(scan.First);
        Listing<reference::Point> slow(ref.First);
        ASSERT_EQ(fast.points.size(), slow.points.size());
        for (size_t i = 0; i < fast.points.size(); ++i) {
            const TScanPoint& a = *fast.points[i];
            const reference::Point& b = *slow.points[i];
            const uint32_t id = IdOf(a.Carried);
            ASSERT_EQ(id, IdOf(b.Carried)) << "at " << i;
            ASSERT_EQ(a.X, b.X);
            ASSERT_EQ(a.Y, b.Y);
            ASSERT_TRUE(SameValue(a.Value, b.Value, true)) << a.Value << " vs " << b.Value;
            ASSERT_EQ(fast.Of(a.Next), slow.Of(b.Next));
            ASSERT_EQ(fast.Of(a.Up), slow.Of(b.Up));
            ASSERT_EQ(fast.Of(a.Previous), slow.Of(b.Previous));
            ASSERT_EQ(fast.Of(a.Down), slow.Of(b.Down));
        }

        const reference::Stats stats = reference::StatisticsOf(ref.First);
        ASSERT_TRUE(SameValue(scan.MinValue, stats.Min, true));
        ASSERT_TRUE(SameValue(scan.MaxValue, stats.Max, true));
        ASSERT_TRUE(SameValue(scan.Average, stats.Average, true));

        // The column walk without the walk's state, from storage order or along the links.
        std::vector<const TScanPoint*> walked, visited;
        for (TScanPoint* p = scan.FirstColumnPoint(); p; p = scan.NextColumnPoint()) walked.push_back(p);
        scan.ForEachInColumnOrder([&visited](const TScanPoint& p) { visited.push_back(&p); });
        ASSERT_EQ(visited, walked);

        // The colours set at the end of the receive are those of the colour scale's lookup.
        for (const TScanPoint* p : walked) {
            const TRGBColor c = colors.ColorOfValue(p->Value, scan.MinValue, scan.MaxValue);
            ASSERT_EQ(p->R * 65536 + p->G * 256 + p->B, c.R * 65536 + c.G * 256 + c.B) << p->Value;
        }
    }
}

// Values with spikes and plateaus that the correction acts on.
std::vector<float> SpikyValues(std::mt19937& rng, size_t n)
{
    std::vector<float> v(n);
    const int kind = int(rng() % 4);
    for (float& x : v) {
        const int r = int(rng() % 100);
        x = float(int(rng() % 9));
        if (r < 6) x = 40.0f + float(rng() % 40);        // spike up
        else if (r < 9) x = -20.0f - float(rng() % 20);  // spike down
        if (kind == 1 && r >= 50 && r < 53) x = std::numeric_limits<float>::quiet_NaN();
        if (kind == 1 && r == 53) x = std::numeric_limits<float>::infinity();
        if (kind == 2) x = -x;
        if (kind == 3 && r > 40) x = 3.0f;  // a plateau
    }
    return v;
}

TEST(ScanDataAgainstReference, RandomFaultCorrection)
{
    std::mt19937 rng(99);
    const float surfaces[] = {0.0f, 0.5f, 2.0f, 7.0f, 20.0f};
    const float surrounds[] = {0.0f, 1.0f, 4.0f};
    for (int round = 0; round < 2000; ++round) {
        TReceiveLayout layout;
        layout.PointsPerLine = 1 + rng() % 3;
        layout.LinesPerBlock = 1 + rng() % 7;
        layout.LineOrder = uint8_t(rng() % 2);
        layout.Reverse = uint8_t(rng() % 2);
        const std::vector<float> values = SpikyValues(rng, 1 + rng() % 70);
        TColorManager colors;
        TColorManager* colorsVar = &colors;
        TScanData scan(&colorsVar);
        Receive(scan, layout, values);
        ASSERT_EQ(CheckScanGrid(scan), "");
        scan.SurfaceThreshold = surfaces[rng() % 5];
        scan.SurroundThreshold = surrounds[rng() % 3];
        SCOPED_TRACE(::testing::Message() << "round " << round << " thresholds " << scan.SurfaceThreshold << "/"
                                          << scan.SurroundThreshold);

        std::vector<std::vector<float>> grid;
        for (auto& row : RowsOf(scan)) {
            grid.emplace_back();
            for (TScanPoint* p : row) grid.back().push_back(p->Value);
        }
        reference::CorrectFaultSignals(grid, {scan.MinValue, scan.MaxValue, scan.Average, 1}, scan.SurfaceThreshold,
                                       scan.SurroundThreshold, TScanData::CorrectionLimitPerPoint * scan.Count);
        scan.CorrectFaultSignals(false);

        auto rows = RowsOf(scan);
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                ASSERT_TRUE(SameValue(rows[r][c]->Value, grid[r][c], true))
                    << "column " << c << " row " << r << ": " << rows[r][c]->Value << " vs " << grid[r][c];
        ASSERT_EQ(CheckScanGrid(scan), "");
    }
}

TEST(ScanDataAgainstReference, CorrectionWithoutColourManagerKeepsStoredStatistics)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 100; ++round) {
        TColorManager colors;
        TColorManager* colorsVar = &colors;
        TScanData scan(&colorsVar);
        Receive(scan, {1, uint32_t(2 + rng() % 5), 0, 0}, SpikyValues(rng, 1 + rng() % 40));
        colorsVar = nullptr;  // from here on nothing recomputes the statistics
        scan.SurfaceThreshold = 0.0f;
        scan.SurroundThreshold = float(rng() % 3);
        std::vector<std::vector<float>> grid;
        for (auto& row : RowsOf(scan)) {
            grid.emplace_back();
            for (TScanPoint* p : row) grid.back().push_back(p->Value);
        }
        const reference::Stats stored{scan.MinValue, scan.MaxValue, scan.Average, 1};
        reference::CorrectFaultSignals(grid, stored, scan.SurfaceThreshold, scan.SurroundThreshold,
                                       TScanData::CorrectionLimitPerPoint * scan.Count, false);
        scan.CorrectFaultSignals(false);
        EXPECT_EQ(scan.MinValue, stored.Min);
        EXPECT_EQ(scan.Average, stored.Average);
        auto rows = RowsOf(scan);
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c) ASSERT_TRUE(SameValue(rows[r][c]->Value, grid[r][c], true));
    }
}

}  // namespace
