// The display-list geometry: colour bands of the smooth form, subdivision counts, the flat
// form, invalid points, folding, and the top and side views' stream rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <new>
#include <random>
#include <set>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <vector>

#include "scan/render/BatchPipeline.h"
#include "scan/render/ListBudget.h"
#include "scan/render/SurfaceLists.h"
#include "scan/render/VertexBatch.h"
#include "scan/render/render_support.h"

using namespace render_test;

namespace {

// Stop values of a scale over 0..100 with the threshold at 50: ascending, stop 20 far above.
struct BandFixture : ::testing::Test {
    BandFixture() { colors.Manager.SetColorScheme(0, 0.0f, 100.0f, 50.0f); }

    TBandVertex At(float X, float Y, float Value)
    {
        TBandVertex v;
        v.X = X;
        v.Y = Y;
        v.Value = Value;
        v.DisplayValue = Value;
        return v;
    }
    float Stop(int i) const { return colors.Manager.Stops[static_cast<size_t>(i)].Value; }

    // The band a polygon lies in: the stop i with every height in [stop i-1, stop i].
    int BandOf(const TRecordedPrimitive& P) const
    {
        for (int i = 0; i < 21; ++i) {
            const float lo = i == 0 ? -1e30f : Stop(i - 1);
            const float hi = Stop(i);
            bool inside = true;
            for (const auto& v : P.Vertices)
                inside = inside && v.Z >= lo - 1e-3f && v.Z <= hi + 1e-3f;
            if (inside)
                return i;
        }
        return -1;
    }

    TColors colors;
    TRecordingSink sink;
};

TEST_F(BandFixture, BandPolygonsPartitionEachTriangleInAscendingBands)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-5.0f, 110.0f), pos(0.0f, 10.0f);
    TSurfaceBuilder builder(colors.Manager, 0.0f, 100.0f, false, sink);
    for (int n = 0; n < 300; ++n) {
        sink.Clear();
        const TBandVertex a = At(pos(rng), pos(rng), value(rng));
        const TBandVertex b = At(pos(rng), pos(rng), value(rng));
        const TBandVertex c = At(pos(rng), pos(rng), value(rng));
        builder.DrawBandedTriangle(a, b, c);
        const double whole = AreaXY({{-a.X, a.Y, 0, 0, 0, 0}, {-b.X, b.Y, 0, 0, 0, 0}, {-c.X, c.Y, 0, 0, 0, 0}});
        double sum = 0.0;
        int lastBand = -1;
        for (const auto& p : sink.Primitives) {
            ASSERT_EQ(p.Kind, TPrimitive::Polygon);
            ASSERT_GE(p.Vertices.size(), 3u);
            const int band = BandOf(p);
            ASSERT_GE(band, 0) << "polygon spans more than one band";
            EXPECT_GT(band, lastBand) << "one polygon per band, in stop order";
            lastBand = band;
            sum += AreaXY(p.Vertices);
        }
        EXPECT_NEAR(sum, whole, 1e-3 * (1.0 + whole)) << "triangle " << n;
        EXPECT_EQ(sink.Open, 0);
    }
}

TEST_F(BandFixture, DisabledStopsLeaveExactlyTheirBandsOut)
{
    TSurfaceBuilder all(colors.Manager, 0.0f, 100.0f, false, sink);
    const TBandVertex a = At(0, 0, 1.0f), b = At(10, 0, 99.0f), c = At(0, 10, 50.0f);
    all.DrawBandedTriangle(a, b, c);
    const auto full = sink.Primitives;

    const uint8_t hidden[] = {3, 10, 11};
    for (uint8_t i : hidden)
        colors.Manager.SetStopEnabled(i, 0);
    TRecordingSink gaps;
    TSurfaceBuilder some(colors.Manager, 0.0f, 100.0f, false, gaps);
    some.DrawBandedTriangle(a, b, c);

    std::vector<TRecordedPrimitive> expected;
    for (const auto& p : full) {
        const int band = BandOf(p);
        if (band != 3 && band != 10 && band != 11)
            expected.push_back(p);
    }
    ASSERT_LT(expected.size(), full.size());
    ASSERT_EQ(gaps.Primitives.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(gaps.Primitives[i].Vertices.size(), expected[i].Vertices.size());
        EXPECT_FLOAT_EQ(AreaXY(gaps.Primitives[i].Vertices), AreaXY(expected[i].Vertices));
    }

    colors.Manager.SetAllStopsEnabled(0);
    TRecordingSink none;
    TSurfaceBuilder hiddenAll(colors.Manager, 0.0f, 100.0f, false, none);
    hiddenAll.DrawBandedTriangle(a, b, c);
    EXPECT_TRUE(none.Primitives.empty());
}

TEST_F(BandFixture, CornerOnAStopValueBordersTwoBandsWithoutACrossing)
{
    const float t = Stop(8);
    const float below = (Stop(7) + t) / 2.0f;
    const float above = (t + Stop(9)) / 2.0f;
    TSurfaceBuilder builder(colors.Manager, 0.0f, 100.0f, false, sink);
    builder.DrawBandedTriangle(At(0, 0, t), At(10, 0, below), At(0, 10, above));
    ASSERT_EQ(sink.Primitives.size(), 2u);
    for (const auto& p : sink.Primitives) {
        EXPECT_EQ(p.Vertices.size(), 3u);
        int atCorner = 0;
        for (const auto& v : p.Vertices)
            atCorner += (v.X == 0.0f && v.Y == 0.0f) ? 1 : 0;
        EXPECT_EQ(atCorner, 1) << "the corner is emitted once in each band, no vertex is added at it";
    }
    EXPECT_EQ(BandOf(sink.Primitives[0]), 8);
    EXPECT_EQ(BandOf(sink.Primitives[1]), 9);
    // The crossing on the far edge takes the colour of the stop's percent; corners keep theirs.
    const TRGBColor stopColor = colors.Manager.ColorOfPercent(colors.Manager.Stops[8].Percent);
    std::vector<TRecordedVertex> crossings;
    for (const auto& v : sink.Primitives[0].Vertices)
        if ((v.X != 0.0f || v.Y != 0.0f) && std::fabs(v.Z - t) < 1e-4f)
            crossings.push_back(v);
    ASSERT_EQ(crossings.size(), 1u);
    EXPECT_EQ(crossings[0].R, stopColor.R);
    EXPECT_EQ(crossings[0].G, stopColor.G);
    EXPECT_EQ(crossings[0].B, stopColor.B);
    const float along = (t - below) / (above - below);  // where the far edge reaches the stop
    EXPECT_NEAR(crossings[0].Y, 10.0f * along, 1e-4f);
    EXPECT_NEAR(crossings[0].X, -10.0f * (1.0f - along), 1e-4f);
}

TEST_F(BandFixture, FoldDrawsValuesAboveTheThresholdBelowIt)
{
    const float threshold = colors.Manager.Stops[colors.Manager.ThresholdIndex].Value;
    TSurfaceBuilder folding(colors.Manager, 0.0f, 100.0f, true, sink);
    TBandVertex high = At(0, 0, threshold + 20.0f);
    folding.FoldHeight(high);
    EXPECT_FLOAT_EQ(high.DisplayValue, threshold - 20.0f);
    TBandVertex low = At(0, 0, threshold - 7.0f);
    folding.FoldHeight(low);
    EXPECT_FLOAT_EQ(low.DisplayValue, threshold - 7.0f);

    TSurfaceBuilder flatMode(colors.Manager, 0.0f, 100.0f, false, sink);
    TBandVertex other = At(0, 0, threshold + 20.0f);
    flatMode.FoldHeight(other);
    EXPECT_FLOAT_EQ(other.DisplayValue, threshold + 20.0f);

    // A triangle wholly above the threshold is drawn whole, mirrored below it.
    folding.DrawBandedTriangle(At(0, 0, 90), At(5, 0, 95), At(0, 5, 99));
    double area = 0.0;
    float lowest = 1e30f, highest = -1e30f;
    for (const auto& p : sink.Primitives) {
        area += AreaXY(p.Vertices);
        for (const auto& v : p.Vertices) {
            lowest = std::min(lowest, v.Z);
            highest = std::max(highest, v.Z);
        }
    }
    EXPECT_NEAR(area, 12.5, 1e-4);
    EXPECT_FLOAT_EQ(lowest, 2.0f * threshold - 99.0f);
    EXPECT_FLOAT_EQ(highest, 2.0f * threshold - 90.0f);
}

TEST_F(BandFixture, EachResolutionLevelQuadruplesTheTriangles)
{
    // All four corners inside one band: one polygon per triangle.
    const float inside = (Stop(4) + Stop(5)) / 2.0f;
    for (uint8_t depth = 0; depth <= 4; ++depth) {
        sink.Clear();
        TSurfaceBuilder builder(colors.Manager, 0.0f, 100.0f, false, sink);
        builder.SubdivideCell(At(0, 1, inside), At(0, 0, inside), At(1, 0, inside), At(1, 1, inside), depth);
        EXPECT_EQ(sink.Primitives.size(), 2u << (2 * depth)) << "depth " << int(depth);
        double area = 0.0;
        for (const auto& p : sink.Primitives)
            area += AreaXY(p.Vertices);
        EXPECT_NEAR(area, 1.0, 1e-5) << "sub-cells tile the cell";
    }
}

struct GridFixture : ::testing::Test {
    GridFixture() : scan(&colors.Var) {}
    TColors colors;
    TScanData scan;
    TRecordingSink sink;
};

TEST_F(GridFixture, FlatFormIgnoresEnabledAndSmoothFormHonoursIt)
{
    ReceiveGrid(scan, 6, 5, [](int c, int r) { return Hill(c, r, 6, 5); });
    colors.Manager.SetAllStopsEnabled(0);
    TSurfaceOptions flat;
    flat.Smooth = false;
    BuildSurfaceGeometry(scan, colors.Manager, flat, sink);
    ASSERT_EQ(sink.Primitives.size(), 1u);
    EXPECT_EQ(sink.Primitives[0].Kind, TPrimitive::Quads);
    EXPECT_EQ(sink.Primitives[0].Vertices.size(), 5u * 4u * 4u) << "four corners for each of 5 x 4 cells";

    sink.Clear();
    TSurfaceOptions smooth;
    BuildSurfaceGeometry(scan, colors.Manager, smooth, sink);
    EXPECT_TRUE(sink.Primitives.empty()) << "every band hidden";

    colors.Manager.SetAllStopsEnabled(1);
    BuildSurfaceGeometry(scan, colors.Manager, smooth, sink);
    EXPECT_GE(sink.Primitives.size(), 5u * 4u * 2u);
    double area = 0.0;
    for (const auto& p : sink.Primitives)
        area += AreaXY(p.Vertices);
    EXPECT_NEAR(area, 5.0 * 4.0, 1e-3) << "the bands cover every cell once";
}

TEST_F(GridFixture, APartlyReceivedScanDrawsTheCellsOfItsWholeLinesFlatWhileItArrivesAndBandedOnceStopped)
{
    // A live scan draws after every reading and may be stopped anywhere: the line being filled
    // is not yet part of the grid, and the blocks after the first leave its rows ragged. A cell
    // is drawn exactly where all four of its corners came in whole lines.
    struct TLayout {
        uint32_t PointsPerLine, LinesPerBlock;
        uint8_t LineOrder;  // 1 parallel, else zig-zag
    };
    for (const TLayout layout : {TLayout{1, 4, 0}, TLayout{1, 4, 1}, TLayout{3, 2, 0}, TLayout{2, 3, 1}}) {
        const uint32_t perBlock = layout.PointsPerLine * layout.LinesPerBlock;
        // Where reading I lands: its line, the line's block and place in the block, and the
        // direction the block's lines run in.
        auto placeOf = [&](uint32_t I) {
            const uint32_t line = I / layout.PointsPerLine, block = line / layout.LinesPerBlock;
            const uint32_t inBlock = line % layout.LinesPerBlock;
            const bool downwards = layout.LineOrder != 1 && block % 2 == 1;
            return std::pair<int, int>(int(block * layout.PointsPerLine + I % layout.PointsPerLine),
                                       int(downwards ? layout.LinesPerBlock - 1 - inBlock : inBlock));
        };
        for (uint32_t received = 1; received < 4 * perBlock; ++received) {
            SCOPED_TRACE(::testing::Message() << layout.PointsPerLine << " per line, " << layout.LinesPerBlock
                                              << " lines, order " << int(layout.LineOrder) << ": " << received
                                              << " readings");
            const uint32_t filling = (received - 1) % layout.PointsPerLine + 1;
            std::map<std::pair<int, int>, float> whole;  // the readings of whole lines by place
            for (uint32_t i = 0; i + filling < received; ++i)
                whole[placeOf(i)] = 10.0f + float(i);
            // The cell of a point on the grid of every Step-th point reaches Step points along
            // its row and up its column, or as far as they go; it is drawn where the point that
            // far along the row above is there too. Its corners: P, Next, Up.Next, Up.
            auto stepsFrom = [&](std::pair<int, int> At, int DX, int DY, int Step) {
                int k = 0;
                while (k < Step && whole.count({At.first + (k + 1) * DX, At.second + (k + 1) * DY}))
                    ++k;
                return k;
            };
            auto cellsOf = [&](int Step) {
                std::map<std::pair<int, int>, std::pair<int, int>> reach;  // cell: across, up
                for (const auto& [at, value] : whole) {
                    const int across = stepsFrom(at, 1, 0, Step), up = stepsFrom(at, 0, 1, Step);
                    if (at.first % Step == 0 && at.second % Step == 0 && across > 0 && up > 0 &&
                        whole.count({at.first + across, at.second + up}))
                        reach[at] = {across, up};
                }
                return reach;
            };
            std::set<std::pair<int, int>> cells;
            for (const auto& [cell, size] : cellsOf(1))
                cells.insert(cell);

            scan.SetPointsPerLine(layout.PointsPerLine);
            scan.SetLinesPerBlock(layout.LinesPerBlock);
            scan.SetLineOrder(layout.LineOrder);
            scan.SetReverse(0);
            scan.BeginReceive(0);
            for (uint32_t i = 0; i < received; ++i) {
                TScanRecord r;
                r.Value = 10.0f + float(i);
                scan.AddScanPoint(r);
            }
            // While it arrives: one quad per cell, its corners at their places and readings, on
            // the whole grid and on the grid of every second point.
            for (const uint32_t step : {1u, 2u}) {
                SCOPED_TRACE(::testing::Message() << "every " << step << " point");
                const auto expected = cellsOf(int(step));
                TSurfaceOptions options;
                options.Step = step;
                sink.Clear();
                BuildSurfaceGeometry(scan, colors.Manager, options, sink);
                ASSERT_EQ(sink.Primitives.size(), 1u);
                ASSERT_EQ(sink.Primitives[0].Kind, TPrimitive::Quads);
                const auto& v = sink.Primitives[0].Vertices;
                ASSERT_EQ(v.size() % 4, 0u);
                std::map<std::pair<int, int>, std::pair<int, int>> flat;
                for (size_t q = 0; q < v.size(); q += 4) {
                    const std::pair<int, int> cell(int(-v[q].X), int(v[q].Y));
                    const std::pair<int, int> size(int(-v[q + 2].X) - cell.first, int(v[q + 2].Y) - cell.second);
                    EXPECT_TRUE(flat.emplace(cell, size).second) << "cell " << cell.first << "," << cell.second << " twice";
                    const int cornerX[4] = {0, size.first, size.first, 0}, cornerY[4] = {0, 0, size.second, size.second};
                    for (size_t k = 0; k < 4; ++k) {
                        const std::pair<int, int> at(cell.first + cornerX[k], cell.second + cornerY[k]);
                        const auto reading = whole.find(at);
                        EXPECT_TRUE(-v[q + k].X == float(at.first) && v[q + k].Y == float(at.second) &&
                                    reading != whole.end() && v[q + k].Z == reading->second)
                            << "corner " << k << " of cell " << cell.first << "," << cell.second;
                    }
                }
                EXPECT_TRUE(flat == expected) << flat.size() << " cells drawn of " << expected.size();
            }

            // Stopped: the smooth form's bands tile exactly the same cells.
            scan.StopReceiving();
            scan.RecomputeStatistics();
            sink.Clear();
            BuildSurfaceGeometry(scan, colors.Manager, TSurfaceOptions{}, sink);
            std::map<std::pair<int, int>, double> area;
            for (const auto& p : sink.Primitives) {
                float cx = 0.0f, cy = 0.0f;
                for (const auto& q : p.Vertices) {
                    cx += -q.X / float(p.Vertices.size());
                    cy += q.Y / float(p.Vertices.size());
                }
                const std::pair<int, int> cell(int(std::floor(cx)), int(std::floor(cy)));
                for (const auto& q : p.Vertices)
                    EXPECT_TRUE(-q.X >= cell.first - 1e-4f && -q.X <= cell.first + 1 + 1e-4f &&
                                q.Y >= cell.second - 1e-4f && q.Y <= cell.second + 1 + 1e-4f)
                        << "a band of cell " << cell.first << "," << cell.second << " reaches out of it";
                area[cell] += AreaXY(p.Vertices);
            }
            std::set<std::pair<int, int>> banded;
            for (const auto& [cell, a] : area) {
                banded.insert(cell);
                EXPECT_NEAR(a, 1.0, 1e-4) << "cell " << cell.first << "," << cell.second;
            }
            EXPECT_EQ(banded, cells);
        }
    }
}

TEST_F(GridFixture, InvalidPointDrawsNoCellAndNeighboursStandInAtThePointsValue)
{
    // 3 x 3 with the centre missing: of four cells, the one whose origin is the centre goes.
    ReceiveGrid(scan, 3, 3, [](int c, int r) { return c == 1 && r == 1 ? NAN : float(10 * r + c); });
    TSurfaceOptions flat;
    flat.Smooth = false;
    BuildSurfaceGeometry(scan, colors.Manager, flat, sink);
    ASSERT_EQ(sink.Primitives.size(), 1u);
    const auto& v = sink.Primitives[0].Vertices;
    ASSERT_EQ(v.size(), 3u * 4u);
    for (const auto& p : v)
        EXPECT_FALSE(std::isnan(p.Z));
    // Cell (0,0): corners P(0,0)=0, Next(1,0)=1, Up.Next(1,1)=missing -> 0, Up(0,1)=10.
    EXPECT_FLOAT_EQ(v[2].Z, 0.0f);
    EXPECT_FLOAT_EQ(v[2].X, -1.0f);
    EXPECT_FLOAT_EQ(v[2].Y, 1.0f);
    // Cell (0,1): its Next, the missing centre, stands in with P(0,1)'s height and colour.
    const TScanPoint& p = *scan.First->Up;
    const TScanPoint& missing = *p.Next;
    ASSERT_FALSE(p.R == missing.R && p.G == missing.G && p.B == missing.B) << "colours that tell them apart";
    EXPECT_FLOAT_EQ(v[9].Z, p.DisplayValue);
    EXPECT_EQ(v[9].R, p.R);
    EXPECT_EQ(v[9].G, p.G);
    EXPECT_EQ(v[9].B, p.B);

    sink.Clear();
    TSurfaceOptions smooth;
    BuildSurfaceGeometry(scan, colors.Manager, smooth, sink);
    double area = 0.0;
    size_t nan = 0;
    for (const auto& p : sink.Primitives) {
        area += AreaXY(p.Vertices);
        for (const auto& q : p.Vertices)
            nan += std::isnan(q.Z) ? 1 : 0;
    }
    EXPECT_NEAR(area, 3.0, 1e-4) << "three of the four cells";
    EXPECT_EQ(nan, 0u);
}

// The batches a batcher hands over, as they come.
struct TBatchRecorder : TRecordingSink {
    struct TBatch {
        TPrimitive Kind;
        std::vector<TArrayVertex> Vertices;
        std::vector<uint8_t> Edges;
    };
    std::vector<TBatch> Batches;
    void DrawArrays(TPrimitive Kind, const TArrayVertex* V, const uint8_t* E, uint32_t Count) override
    {
        Batches.push_back({Kind, {V, V + Count}, E ? std::vector<uint8_t>(E, E + Count) : std::vector<uint8_t>{}});
    }
};

TEST(VertexBatcher, OutlinesKeepOnlyThePolygonsEdgesAndBatchesEndOnWholePrimitives)
{
    TBatchRecorder target;
    {
        TVertexBatcher batch(target, true);
        batch.Begin(TPrimitive::Polygon);  // a pentagon: three fan triangles
        for (int i = 0; i < 5; ++i)
            batch.Vertex(float(i), 0.0f, 0.0f);
        batch.End();
        batch.Begin(TPrimitive::Polygon);  // two corners cover nothing
        batch.Vertex(0, 0, 0);
        batch.Vertex(1, 0, 0);
        batch.End();
        batch.Begin(TPrimitive::Quads);  // another kind: a batch of its own; the odd vertex goes
        for (int i = 0; i < 9; ++i)
            batch.Vertex(float(i), 1.0f, 0.0f);
        batch.End();
        batch.Flush();
    }
    ASSERT_EQ(target.Batches.size(), 2u);
    // Edge flags say whether the edge from a vertex to the next of its triangle is drawn.
    EXPECT_EQ(target.Batches[0].Edges, (std::vector<uint8_t>{1, 1, 0, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(target.Batches[1].Kind, TPrimitive::Quads);
    EXPECT_EQ(target.Batches[1].Vertices.size(), 8u);
    EXPECT_EQ(target.Batches[1].Edges, std::vector<uint8_t>(8, 1));

    // A run longer than a batch is handed over in full batches of whole quads.
    TBatchRecorder big;
    TVertexBatcher batch(big, false);
    const uint32_t quads = TVertexBatcher::BatchVertices / 4 + 10;
    batch.Begin(TPrimitive::Quads);
    for (uint32_t i = 0; i < quads * 4; ++i) {
        batch.Color(uint8_t(i), 0, 0);
        batch.Vertex(float(i), 0, 0);
    }
    batch.End();
    batch.Flush();
    ASSERT_EQ(big.Batches.size(), 2u);
    EXPECT_EQ(big.Batches[0].Vertices.size(), TVertexBatcher::BatchVertices);
    EXPECT_EQ(big.Batches[1].Vertices.size(), 40u);
    EXPECT_EQ(big.Batches[1].Vertices[0].X, float(TVertexBatcher::BatchVertices));
    EXPECT_EQ(big.Batches[1].Vertices[0].R, uint8_t(TVertexBatcher::BatchVertices));
}

TEST(BatchPipeline, BatchesComeInOrderOnTheCallingThreadWithTheirOutlinesAndAFailureOnEitherSideEndsTheBuild)
{
    // Pentagons (three fan triangles each) numbered by their first vertex, enough for many
    // more batches than the queue holds; Fail throws after that many pentagons. A batch holds
    // no whole number of pentagons, so fans are split between batches and between chunks.
    bool built = false;
    auto pentagons = [&](int Count, int Fail) {
        return [&built, Count, Fail](TGeometrySink& Sink, const TBuildStop&) {
            built = false;
            for (int p = 0; p < Count; ++p) {
                if (p == Fail)
                    throw std::bad_alloc();
                Sink.Begin(TPrimitive::Polygon);
                for (int i = 0; i < 5; ++i) {
                    Sink.Color(uint8_t(p), uint8_t(i), 0);
                    Sink.Vertex(float(p), float(i), 0.0f);
                }
                Sink.End();
            }
            built = true;
        };
    };
    const int many = int(TVertexBatcher::BatchVertices / 9) * (ChunkBatches * (QueuedChunks + 2) + 5);
    TBatchRecorder direct;
    {
        struct : TBuildStop {
            void Check() const override {}
        } never;
        TVertexBatcher batch(direct, true);
        pentagons(many, -1)(batch, never);
        batch.Flush();
    }
    ASSERT_NE(TVertexBatcher::BatchVertices % 9, 0u);
    struct TOnCaller : TBatchRecorder {
        std::thread::id Caller = std::this_thread::get_id();
        int ThrowAt = -1;
        bool Elsewhere = false;
        void DrawArrays(TPrimitive Kind, const TArrayVertex* V, const uint8_t* E, uint32_t Count) override
        {
            Elsewhere = Elsewhere || std::this_thread::get_id() != Caller;
            if (int(Batches.size()) == ThrowAt)
                throw std::runtime_error("the target gave up");
            TBatchRecorder::DrawArrays(Kind, V, E, Count);
        }
    } target;
    int after = 0;
    BuildInBatches(target, true, true, pentagons(many, -1), [&] { ++after; });
    EXPECT_FALSE(target.Elsewhere);
    ASSERT_EQ(target.Batches.size(), direct.Batches.size());
    ASSERT_GT(target.Batches.size(), size_t{ChunkBatches * (QueuedChunks + 2)});
    EXPECT_EQ(after, int(target.Batches.size()));
    for (size_t i = 0; i < direct.Batches.size(); ++i) {
        ASSERT_EQ(target.Batches[i].Vertices.size(), direct.Batches[i].Vertices.size());
        EXPECT_EQ(std::memcmp(target.Batches[i].Vertices.data(), direct.Batches[i].Vertices.data(),
                              direct.Batches[i].Vertices.size() * sizeof(TArrayVertex)), 0) << "batch " << i;
        EXPECT_EQ(target.Batches[i].Edges, direct.Batches[i].Edges) << "batch " << i;
    }
    // Across the batches, each pentagon's three triangles draw its five sides and hide the two
    // diagonals of the fan (corners 0 1 2, 0 2 3, 0 3 4), wherever a batch ends.
    constexpr float corner[9] = {0, 1, 2, 0, 2, 3, 0, 3, 4};
    constexpr uint8_t drawn[9] = {1, 1, 0, 0, 1, 0, 0, 1, 1};
    size_t at = 0, wrong = 0;
    for (const auto& b : target.Batches) {
        ASSERT_EQ(b.Edges.size(), b.Vertices.size());
        for (size_t v = 0; v < b.Vertices.size(); ++v, ++at)
            wrong += b.Vertices[v].X != float(at / 9) || b.Vertices[v].Y != corner[at % 9] ||
                     b.Edges[v] != drawn[at % 9];
    }
    EXPECT_EQ(at, size_t(many) * 9);
    EXPECT_EQ(wrong, 0u) << "vertices out of place or edges drawn where they should not be";

    // The build runs out of memory: its full batches are handed over, then the failure comes back.
    target.Batches.clear();
    EXPECT_THROW(BuildInBatches(target, false, true, pentagons(many, many / 2), nullptr), std::bad_alloc);
    EXPECT_FALSE(built);
    EXPECT_EQ(target.Batches.size(), size_t(many / 2 * 9 / TVertexBatcher::BatchVertices));

    // The target fails at its third batch: the worker stops instead of building on.
    target.Batches.clear();
    target.ThrowAt = 2;
    EXPECT_THROW(BuildInBatches(target, false, true, pentagons(many, -1), nullptr), std::runtime_error);
    EXPECT_FALSE(built);
    EXPECT_EQ(target.Batches.size(), 2u);
}

TEST(ListPlan, TheDeepestLevelThatFitsElseTheLeastStepThatFitsAsCountedWithoutCountingFarPastTheAllowance)
{
    // 11 x 11 points, 100 cells; the counts as a build with three colour bands across each grid
    // triangle would make them. The counter notes the most triangles a count went through: a
    // count stops once it passes its limit.
    uint64_t mostCounted = 0;
    int counts = 0;
    const TPlanCount count = [&](uint8_t Depth, uint32_t Step, uint64_t Limit) {
        ++counts;
        const uint64_t whole = 3 * SurfaceTriangleCount(11, 11, Depth, Step);
        TTriangleTally t;
        t.Passed = whole > Limit;
        t.Triangles = t.Passed ? Limit + 1 : whole;
        t.ShareWalked = t.Passed ? double(t.Triangles) / double(whole) : 1.0;
        mostCounted = std::max(mostCounted, t.Triangles);
        return t;
    };
    using P = std::tuple<int, uint32_t, uint64_t>;
    auto plan = [&](TListPlan Finest, uint64_t Allowed) {
        mostCounted = 0;
        counts = 0;
        const TListPlan p = PlanList(11, 11, Finest, Allowed, count);
        return P(p.Depth, p.Step, p.Triangles);
    };
    const uint64_t level0 = 3 * 200;
    EXPECT_EQ(plan({4, 1}, level0 * 256), P(4, 1, level0 * 256));
    EXPECT_EQ(plan({4, 1}, level0 * 256 - 1), P(3, 1, level0 * 64));
    EXPECT_LE(mostCounted, level0 * 256) << "level 5 was counted only up to the allowance";
    EXPECT_EQ(plan({2, 1}, level0 * 100), P(2, 1, level0 * 16)) << "never finer than asked";
    EXPECT_EQ(plan({4, 1}, 3 * 200 * 4), P(1, 1, level0 * 4));
    EXPECT_EQ(counts, 3) << "levels 1 to 3 counted, the count of level 3 ending where it passed";
    // Level 1 of every point does not fit: the least step that fits (and the last row and
    // column), however fine the level asked for.
    EXPECT_EQ(plan({4, 1}, level0 - 1), P(0, 2, 3 * 50));
    EXPECT_EQ(plan({4, 1}, 3 * 49), P(0, 3, 3 * 32));
    EXPECT_EQ(plan({0, 3}, level0), P(0, 3, 3 * 32)) << "never finer than asked";
    EXPECT_EQ(plan({4, 1}, 1), P(0, 10, 3 * 2)) << "one cell is as coarse as it gets, whatever it draws";
    EXPECT_EQ(plan({4, 1}, 0), P(0, 10, 3 * 2));
    EXPECT_EQ(PlanList(1, 7, {4, 1}, 1000, count).Triangles, 0u) << "no cell at all";

    // A build that ran short is built again one notch coarser each time, down to one cell.
    std::vector<std::pair<int, uint32_t>> notches;
    for (std::optional<TListPlan> p = TListPlan{2, 1, 0}; p; p = NextCoarserPlan(*p, 11, 6))
        notches.emplace_back(p->Depth, p->Step);
    EXPECT_EQ(notches, (std::vector<std::pair<int, uint32_t>>{{2, 1}, {1, 1}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5},
                                                              {0, 6}, {0, 7}, {0, 8}, {0, 9}, {0, 10}}));

    EXPECT_EQ(SurfaceTriangleCount(11, 11, 4, 1), 200u * 256u);
    EXPECT_EQ(SurfaceTriangleCount(11, 11, 0, 3), 32u);
    EXPECT_EQ(SurfaceTriangleCount(4, 2, 0, 1), 3u * 2u) << "two rows make one row of cells";
    EXPECT_EQ(SurfaceTriangleCount(1, 7, 0, 1), 0u);

    // The address space: a reserve and the builder's arrays stay free of what is not in use;
    // unknown means no limit.
    const uint64_t gb = uint64_t{1} << 30;
    const uint64_t any = UINT64_MAX;
    EXPECT_EQ(ListBytesWithin(TAddressSpace{4 * gb, 0, gb, 3 * gb}, 1000), 3 * gb - AddressSpaceReserve(4 * gb) - 1000);
    EXPECT_EQ(ListBytesWithin(TAddressSpace{4 * gb, 4 * gb, 3 * gb + gb / 2, 0}, 0), 0u);
    EXPECT_EQ(ListBytesWithin(TAddressSpace{}, 0), any);
}

TEST_F(GridFixture, ACountStopsWhereItPassesItsLimitAndCountsWhatTheBuildDraws)
{
    ReceiveGrid(scan, 40, 30, [](int c, int r) { return Hill(c, r, 40, 30); });
    const TGeometryBuild build = [this](const TSurfaceOptions& Options, TGeometrySink& Sink) {
        BuildSurfaceGeometry(scan, colors.Manager, Options, Sink);
    };
    for (bool smooth : {true, false}) {
        TSurfaceOptions options;
        options.Smooth = smooth;
        options.Depth = 1;
        sink.Clear();
        build(options, sink);
        uint64_t drawn = 0;
        for (const auto& p : sink.Primitives)
            drawn += TrianglesOf(p);
        const TTriangleTally whole = CountDrawnTriangles(build, options, UINT64_MAX);
        EXPECT_EQ(whole.Triangles, drawn);
        EXPECT_FALSE(whole.Passed);
        if (smooth) {
            EXPECT_GT(whole.Triangles, SurfaceTriangleCount(40, 30, 1, 1)) << "the bands cut the grid triangles";
        }
        std::vector<uint32_t> rows;
        options.Progress = [&rows](uint32_t Done, uint32_t) { rows.push_back(Done); };
        const TTriangleTally part = CountDrawnTriangles(build, options, drawn / 3);
        EXPECT_TRUE(part.Passed);
        EXPECT_LE(part.Triangles, drawn / 3 + 2);
        EXPECT_LT(part.ShareWalked, 0.5);
        EXPECT_NEAR(part.ShareWalked, rows.back() / 30.0, 1e-9) << "the rows walked, as the build reports them";
    }
}

TEST_F(GridFixture, ACoarseGridDrawsEveryKthPointAcrossTheWholeScan)
{
    // 11 x 8 points, every third: columns 0, 3, 6, 9 and the last, 10; rows 0, 3, 6 and 7.
    ReceiveGrid(scan, 11, 8, [](int c, int r) { return float(100 * c + r); });
    auto onGrid = [](float V, float Last) { return std::fmod(V, 3.0f) == 0.0f || V == Last; };
    TSurfaceOptions flat;
    flat.Smooth = false;
    flat.Step = 3;
    std::vector<uint32_t> rowsDone;
    flat.Progress = [&](uint32_t Done, uint32_t Rows) {
        rowsDone.push_back(Done);
        EXPECT_EQ(Rows, 8u);
    };
    BuildSurfaceGeometry(scan, colors.Manager, flat, sink);
    ASSERT_EQ(sink.Primitives.size(), 1u);
    const auto& quads = sink.Primitives[0].Vertices;
    EXPECT_EQ(quads.size() / 4 * 2, SurfaceTriangleCount(11, 8, 0, 3));
    double area = 0.0;
    for (size_t q = 0; q < quads.size(); q += 4) {
        area += AreaXY({quads.begin() + long(q), quads.begin() + long(q) + 4});
        for (size_t k = q; k < q + 4; ++k) {
            EXPECT_TRUE(onGrid(-quads[k].X, 10.0f) && onGrid(quads[k].Y, 7.0f)) << quads[k].X << "," << quads[k].Y;
            EXPECT_FLOAT_EQ(quads[k].Z, 100.0f * -quads[k].X + quads[k].Y) << "each corner is its own point";
        }
    }
    EXPECT_NEAR(area, 10.0 * 7.0, 1e-4) << "the coarse grid spans the whole scan";
    EXPECT_EQ(rowsDone, (std::vector<uint32_t>{3, 6, 8}));

    // The smooth form and the top view's flat triangles cover it alike.
    for (bool top : {false, true}) {
        sink.Clear();
        TSurfaceOptions smooth;
        smooth.Step = 3;
        if (top) {
            smooth.Smooth = false;
            BuildTopGeometry(scan, colors.Manager, smooth, sink);
        } else {
            BuildSurfaceGeometry(scan, colors.Manager, smooth, sink);
        }
        area = 0.0;
        size_t triangles = 0;
        for (const auto& p : sink.Primitives) {
            if (p.Kind == TPrimitive::Triangles)
                for (size_t k = 0; k < p.Vertices.size(); k += 3, ++triangles)
                    area += AreaXY({p.Vertices.begin() + long(k), p.Vertices.begin() + long(k) + 3});
            else
                area += AreaXY(p.Vertices);
        }
        EXPECT_NEAR(area, 10.0 * 7.0, 1e-3) << (top ? "top view" : "smooth surface");
        if (top) {
            EXPECT_EQ(triangles, SurfaceTriangleCount(11, 8, 0, 3));
        }
    }
}

TEST_F(GridFixture, TopAndSideViewsDrawStreamRowsAndLeaveTheGridIntact)
{
    // Scan-file layout: one point per line, so the stream row of a point is its place in row
    // order, not its grid row.
    ReceiveColumns(scan, 4, 3, [](int c, int r) { return float(1 + c + r); });
    ASSERT_EQ(scan.MaxX, 3.0f);
    ASSERT_EQ(scan.MaxY, 2.0f);
    std::vector<std::pair<float, float>> before;
    for (TScanPoint* h = scan.First; h; h = h->Up)
        for (TScanPoint* p = h; p; p = p->Next)
            before.emplace_back(p->X, p->Y);

    TSurfaceOptions flat;
    flat.Smooth = false;
    BuildTopGeometry(scan, colors.Manager, flat, sink);
    ASSERT_EQ(sink.Primitives.size(), 1u);
    EXPECT_EQ(sink.Primitives[0].Vertices.size(), 3u * 2u * 3u * 2u) << "two triangles per cell of 3 x 2";
    // Point (1, 0) is the second in the stream: its triangle lies in stream rows 1 and 2.
    const auto& first = sink.Primitives[0].Vertices;
    EXPECT_FLOAT_EQ(first[0].Y, 0.0f);
    EXPECT_FLOAT_EQ(first[2].Y, 1.0f);
    float highest = 0.0f;
    for (const auto& v : first)
        highest = std::max(highest, v.Y);
    EXPECT_FLOAT_EQ(highest, 6.0f + 1.0f) << "the last cell starts at the 7th point of the stream";

    // The smooth form covers the same six cells, each in its own pair of stream rows.
    TRecordingSink smoothTop;
    TSurfaceOptions smooth;
    BuildTopGeometry(scan, colors.Manager, smooth, smoothTop);
    double area = 0.0;
    float smoothLowest = 1e30f, smoothHighest = -1e30f;
    for (const auto& p : smoothTop.Primitives) {
        ASSERT_EQ(p.Kind, TPrimitive::Polygon);
        area += AreaXY(p.Vertices);
        float low = 1e30f, high = -1e30f;
        for (const auto& v : p.Vertices) {
            low = std::min(low, v.Y);
            high = std::max(high, v.Y);
        }
        EXPECT_LE(high - low, 1.0f) << "a polygon lies within its cell's two stream rows";
        smoothLowest = std::min(smoothLowest, low);
        smoothHighest = std::max(smoothHighest, high);
    }
    EXPECT_NEAR(area, 6.0, 1e-4);
    EXPECT_FLOAT_EQ(smoothLowest, 0.0f);
    EXPECT_FLOAT_EQ(smoothHighest, 7.0f);

    // The side view: the top view's flat triangles, not mirrored, rows pulled towards the
    // middle in proportion to X, so that they meet at the far column.
    TRecordingSink side;
    BuildSideGeometry(scan, TSurfaceOptions{}, side);
    ASSERT_EQ(side.Primitives.size(), 1u);
    const auto& sideVertices = side.Primitives[0].Vertices;
    ASSERT_EQ(sideVertices.size(), first.size());
    const float middle = scan.MaxY / 2.0f;
    size_t atFarColumn = 0;
    for (size_t k = 0; k < first.size(); ++k) {
        const auto& top = first[k];
        const auto& v = sideVertices[k];
        EXPECT_FLOAT_EQ(v.X, -top.X) << k;
        EXPECT_FLOAT_EQ(v.Z, top.Z) << k;
        EXPECT_NEAR(v.Y, top.Y + (middle - top.Y) * v.X / scan.MaxX, 1e-5f) << k;
        atFarColumn += v.X == scan.MaxX ? 1 : 0;
    }
    EXPECT_GT(atFarColumn, 0u);

    size_t i = 0;
    for (TScanPoint* h = scan.First; h; h = h->Up)
        for (TScanPoint* p = h; p; p = p->Next, ++i) {
            EXPECT_EQ(p->X, before[i].first);
            EXPECT_EQ(p->Y, before[i].second);
        }
}

TEST_F(GridFixture, DegenerateScansDrawWithoutNaN)
{
    const std::pair<int, int> shapes[] = {{1, 1}, {1, 7}, {7, 1}, {5, 5}};
    for (auto [cols, rows] : shapes) {
        TScanData one(&colors.Var);
        ReceiveGrid(one, cols, rows, [](int, int) { return 3.0f; });  // flat: all values equal
        for (bool smooth : {false, true}) {
            TRecordingSink s;
            TSurfaceOptions o;
            o.Smooth = smooth;
            o.Depth = 2;
            BuildSurfaceGeometry(one, colors.Manager, o, s);
            BuildTopGeometry(one, colors.Manager, o, s);
            BuildSideGeometry(one, o, s);
            size_t vertices = 0;
            for (const auto& p : s.Primitives)
                for (const auto& v : p.Vertices) {
                    ASSERT_TRUE(std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z))
                        << cols << " x " << rows;
                    ++vertices;
                }
            EXPECT_EQ(vertices > 0, cols > 1 && rows > 1) << cols << " x " << rows << ": a grid with cells draws them";
        }
    }
}

TEST_F(GridFixture, DiagramDrawsSegmentsBetweenPresentSamples)
{
    scan.DiagramSamples[0] = 2.0f;
    scan.DiagramSamples[1] = 4.0f;
    scan.DiagramSamples[2] = 6.0f;
    scan.DiagramSamples[4] = 3.0f;  // its neighbours are 0: no segment
    scan.DiagramMin = 2.0f;
    scan.DiagramMax = 6.0f;
    scan.DiagramRange = 4.0f;
    colors.Manager.SetColorScheme(0, 2.0f, 6.0f, 4.0f);
    DrawDiagram(scan, colors.Manager, 300.0f, 2.0f, sink);
    ASSERT_EQ(sink.Primitives.size(), 1u);
    EXPECT_EQ(sink.Open, 0);
    const auto& v = sink.Primitives[0].Vertices;
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[1].X, 2.0f);
    EXPECT_FLOAT_EQ(v[1].Y, 1.0f) << "(4 - 2) * (2 / 4)";
    // Each end of a segment in the colour of its own sample.
    const float samples[] = {2.0f, 4.0f, 4.0f, 6.0f};
    for (size_t k = 0; k < v.size(); ++k) {
        const TRGBColor c = colors.Manager.ColorOfValue(samples[k], 2.0f, 6.0f);
        EXPECT_EQ(v[k].R, c.R) << k;
        EXPECT_EQ(v[k].G, c.G) << k;
        EXPECT_EQ(v[k].B, c.B) << k;
    }
    EXPECT_FALSE(v[0].R == v[3].R && v[0].G == v[3].G && v[0].B == v[3].B) << "the ends differ in colour";

    sink.Clear();
    scan.DiagramRange = 0.0f;
    DrawDiagram(scan, colors.Manager, 300.0f, 200.0f, sink);
    EXPECT_TRUE(sink.Primitives.empty());
}

}  // namespace
