// The renderer's view set-up through a recording sink: settings, overlays per view, lazy list
// rebuilds, the resolution budget, degenerate scans and viewports, and smoothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <optional>

#include "scan/render/ScanScene.h"
#include "scan/render/BatchPipeline.h"
#include "scan/render/VertexBatch.h"
#include "scan/render/render_support.h"
#include "support/process_threads.h"

using namespace render_test;
using l3d::testing::ThreadsOfThisProcess;

namespace {

struct SceneFixture : ::testing::Test {
    SceneFixture() : scene(&colors.Var, sink)
    {
        scene.SetViewport(0, 0, 400, 300);
        scene.SetScale(1, 1, 1);
    }
    void Grid(int Cols, int Rows)
    {
        ReceiveGrid(*scene.ScanData, Cols, Rows, [=](int c, int r) { return Hill(c, r, Cols, Rows); });
    }
    // Vertices of the line batches drawn outside the display list.
    size_t LineVertices() const
    {
        size_t n = 0;
        for (const auto& p : sink.Primitives)
            if (p.Kind == TPrimitive::Lines)
                n += p.Vertices.size();
        return n;
    }

    TColors colors;
    TRecordingSink sink;
    TScanScene scene;
};

// An edge of an outline, from one vertex to the next: X, Y, Z of both.
using TSide = std::array<float, 6>;

TSide SideOf(const TRecordedVertex& A, const TRecordedVertex& B) { return {A.X, A.Y, A.Z, B.X, B.Y, B.Z}; }

// What the lists' triangles outline, in order: the side from each vertex to the next of its
// triangle where its edge flag is set.
std::vector<TSide> OutlinedSides(const TRecordingSink& Sink)
{
    std::vector<TSide> sides;
    for (const auto& p : Sink.Primitives) {
        if (p.List == 0 || p.Kind != TPrimitive::Triangles)
            continue;
        for (size_t v = 0; v < p.Vertices.size(); ++v) {
            const size_t next = v % 3 == 2 ? v - 2 : v + 1;
            if (v < p.Edges.size() && p.Edges[v])
                sides.push_back(SideOf(p.Vertices[v], p.Vertices[next]));
        }
    }
    return sides;
}

// The sides of the polygons a builder emitted, each polygon round from its first corner.
std::vector<TSide> PolygonSides(const TRecordingSink& Sink)
{
    std::vector<TSide> sides;
    for (const auto& p : Sink.Primitives)
        for (size_t v = 0; p.Kind == TPrimitive::Polygon && v < p.Vertices.size(); ++v)
            sides.push_back(SideOf(p.Vertices[v], p.Vertices[(v + 1) % p.Vertices.size()]));
    return sides;
}

TEST_F(SceneFixture, SettersKeepTheirRules)
{
    scene.SetCrossHairActive(1);
    EXPECT_EQ(scene.LevelPlaneActive(), 0);
    scene.SetCrossHairActive(0);
    EXPECT_EQ(scene.LevelPlaneActive(), 1);
    scene.SetLevelPlaneActive(0);
    EXPECT_EQ(scene.CrossHairActive(), 1);

    scene.SetFieldLength(12.5f);
    scene.SetFieldLength(-1.0f);
    EXPECT_FLOAT_EQ(scene.FieldLength(), 12.5f);
    scene.SetFieldLength(NAN);
    EXPECT_FLOAT_EQ(scene.FieldLength(), 12.5f);
    scene.SetFieldLength(0.0f);
    EXPECT_FLOAT_EQ(scene.FieldLength(), 0.0f);

    scene.Rebuild = 0;
    scene.SetWireframe(0);
    scene.SetSmooth(0);
    scene.SetResolution(0);
    EXPECT_EQ(scene.Rebuild, 0) << "unchanged values do not ask for a rebuild";
    scene.SetResolution(9);
    EXPECT_EQ(scene.Resolution(), 4);
    EXPECT_EQ(scene.Rebuild, 1);
}

TEST_F(SceneFixture, OverlaysBelongToTheirViews)
{
    Grid(8, 6);
    scene.ScanData->SelectPoint(scene.ScanData->First->Next->Up);
    scene.AxisX = scene.AxisY = scene.AxisZ = 1;
    // view: cross-hair (8 segments), level plane (4 segments), axes (3 segments, dashed)
    const struct {
        uint8_t view;
        size_t cursorVertices;
        bool axes;
    } cases[] = {{0, 24, true}, {1, 16, false}, {2, 0, false}, {3, 8, false}};
    for (const auto& c : cases) {
        sink.Clear();
        scene.SetView(c.view);
        scene.RenderScene();
        EXPECT_EQ(LineVertices(), c.cursorVertices + (c.axes ? 6u : 0u)) << "view " << int(c.view);
        EXPECT_EQ(sink.Count("Stipple"), c.axes ? 1u : 0u) << "view " << int(c.view);
        EXPECT_EQ(sink.Open, 0) << "every batch ended, view " << int(c.view);
    }
    // The axes are grey, whatever the overlays before them left behind.
    sink.Clear();
    scene.SetView(0);
    scene.RenderScene();
    ASSERT_FALSE(sink.Primitives.empty());
    const TRecordedPrimitive& axes = sink.Primitives.back();
    ASSERT_EQ(axes.Vertices.size(), 6u);
    for (const auto& v : axes.Vertices)
        EXPECT_TRUE(v.R == 204 && v.G == 204 && v.B == 204);

    sink.Clear();
    scene.SetView(0);
    scene.CursorLines = 0;
    scene.AxisY = scene.AxisZ = 0;
    scene.RenderScene();
    EXPECT_EQ(LineVertices(), 2u) << "only the x axis";

    sink.Clear();
    scene.ScanData->SetScanMode(4);
    scene.RenderScene();
    EXPECT_EQ(sink.Count("Stipple"), 0u) << "no axes outside the 3-D scan mode";
}

TEST_F(SceneFixture, TheThreeDimensionalModeProjectsTheCameraBoxInEveryView)
{
    // The 3-D scan mode (and the other views in any mode) look at a box round the camera's
    // translation; the first view in another mode gets the flat projection of the values.
    Grid(8, 6);
    for (uint8_t view : {0, 1}) {
        for (uint8_t mode : {0, 4}) {
            sink.Clear();
            scene.SetView(view);
            scene.ScanData->SetScanMode(mode);
            scene.RenderScene();
            ASSERT_FALSE(sink.Orthos.empty());
            const auto& o = sink.Orthos.front();
            const bool box = mode == 0 || view != 0;
            EXPECT_EQ(o.Left == -o.Right && o.Near == -o.Far && o.Right > 0, box)
                << "view " << int(view) << ", mode " << int(mode);
            EXPECT_EQ(o.Right == 0.0 && o.Bottom == scene.ScanData->MinValue, !box)
                << "view " << int(view) << ", mode " << int(mode);
        }
    }
    scene.ScanData->SetScanMode(0);
}

TEST_F(SceneFixture, CrossHairColourFollowsTheActiveCursor)
{
    Grid(5, 5);
    scene.ScanData->SelectPoint(scene.ScanData->First);
    scene.SetView(1);
    scene.SetCrossHairActive(1);
    scene.RenderScene();
    ASSERT_FALSE(sink.Primitives.empty());
    EXPECT_EQ(sink.Primitives[0].Vertices[0].R, 255);
    sink.Clear();
    scene.SetCrossHairActive(0);
    scene.RenderScene();
    EXPECT_EQ(sink.Primitives[0].Vertices[0].R, 155);
}

TEST_F(SceneFixture, ListIsRebuiltOnlyAfterChanges)
{
    Grid(6, 6);
    scene.RenderScene();
    EXPECT_EQ(sink.Count("NewList"), 1u);
    EXPECT_EQ(sink.Count("CallList"), 1u);
    EXPECT_EQ(scene.ScanData->Changed, 0);
    sink.Clear();
    scene.RenderScene();
    EXPECT_EQ(sink.Count("NewList"), 0u);
    EXPECT_EQ(sink.Count("CallList"), 1u);

    scene.SetWireframe(1);
    sink.Clear();
    scene.RenderScene();
    EXPECT_EQ(sink.Count("NewList"), 1u);
    EXPECT_EQ(sink.Count("Outline"), 1u) << "the polygon mode is part of the list";
    scene.ScanData->Changed = 1;
    sink.Clear();
    scene.RenderTop();
    EXPECT_EQ(sink.Count("NewList"), 1u);
    sink.Clear();
    scene.Rebuild = 1;
    scene.RenderSide();
    EXPECT_EQ(sink.Count("NewList"), 1u);
}

namespace {

// A saw-tooth of values 0 to 100 whose neighbouring points lie several colour bands apart.
float SawTooth(int Col, int Row) { return float((37 * Col + 23 * Row) % 101); }

}  // namespace

TEST_F(SceneFixture, ThePlanCountsTheTrianglesTheBandsMakeAgainstTheBudgetAndTheAddressSpaceLeft)
{
    // The triangles each level of an 11 x 11 scan draws, as the builder makes them.
    auto drawnAt = [this](uint8_t Depth, uint32_t Step) {
        TSurfaceOptions options;
        options.Depth = Depth;
        options.Step = Step;
        return CountDrawnTriangles([this](const TSurfaceOptions& O, TGeometrySink& S) {
            BuildSurfaceGeometry(*scene.ScanData, colors.Manager, O, S);
        }, options, UINT64_MAX).Triangles;
    };
    auto build = [this](uint8_t Resolution) {
        sink.Clear();
        scene.SetResolution(Resolution);
        scene.Rebuild = 1;
        scene.RenderScene();
        EXPECT_EQ(sink.ListTriangles(sink.Lists), scene.BuiltTriangles()) << "the plan counted what the list draws";
        return std::pair<int, uint32_t>(scene.BuiltResolution(), scene.BuiltStep());
    };
    using P = std::pair<int, uint32_t>;
    scene.SetSmooth(1);
    Grid(11, 11);
    const uint64_t hill2 = drawnAt(2, 1);
    ASSERT_GT(hill2, SurfaceTriangleCount(11, 11, 2, 1)) << "the bands cut the grid's triangles";
    scene.TriangleBudget = hill2;
    EXPECT_EQ(build(3), P(2, 1));
    EXPECT_EQ(scene.Resolution(), 3) << "the chosen level stays chosen";
    scene.TriangleBudget = hill2 - 1;
    EXPECT_EQ(build(3), P(1, 1));

    // Values that change band from point to point draw far more triangles on the same grid: the
    // same budget holds fewer levels of them.
    ReceiveGrid(*scene.ScanData, 11, 11, SawTooth);
    scene.TriangleBudget = hill2;
    const P saw = build(3);
    EXPECT_LT(saw.first, 2);
    EXPECT_LE(scene.BuiltTriangles(), hill2);

    // The address space left is asked for at each build, once the old list is gone: with room
    // for 40 triangles beside the reserve, level 1 of the least step whose triangles fit.
    Grid(11, 11);
    int asked = 0;
    scene.AddressSpace = [&] {
        ++asked;
        EXPECT_EQ(sink.Calls.back(), "DeleteList") << "a list that is still there would count against the next";
        const uint64_t total = uint64_t{1} << 32;
        const uint64_t free = AddressSpaceReserve(total) + BatchBuildMemoryBytes + 40 * ListBytesPerTriangle;
        return TAddressSpace{total, total, total - free, total - free};
    };
    std::vector<int> progress;
    scene.OnBuildProgress = [&](int Percent) { progress.push_back(Percent); };
    scene.TriangleBudget = SmoothTriangleBudget;
    const P coarse = build(3);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(coarse.first, 0);
    EXPECT_GT(coarse.second, 1u);
    EXPECT_LE(scene.BuiltTriangles(), 40u);
    EXPECT_GT(drawnAt(0, coarse.second - 1), 40u) << "the least step that fits";
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);

    // The same scan and address space give the same plan whatever was built before.
    EXPECT_EQ(build(0), coarse);
    EXPECT_EQ(build(3), coarse);
    scene.AddressSpace = nullptr;
    EXPECT_EQ(build(3), P(3, 1));
}

TEST_F(SceneFixture, ABuildThatRunsShortIsBuiltAgainOneNotchCoarserAndLeavesNoThreadBehind)
{
    // Large enough for the geometry to be built on a worker while this thread compiles; the
    // budget holds level 2.
    Grid(71, 71);
    scene.SetSmooth(1);
    scene.SetResolution(3);
    ASSERT_GE(SurfaceTriangleCount(71, 71, 3, 1), WorkerFromTriangles);
    TSurfaceOptions level2;
    level2.Depth = 1;
    scene.TriangleBudget = CountDrawnTriangles([this](const TSurfaceOptions& O, TGeometrySink& S) {
        BuildSurfaceGeometry(*scene.ScanData, colors.Manager, O, S);
    }, level2, UINT64_MAX).Triangles;
    scene.RenderScene();
    const TListPlan planned{scene.BuiltResolution(), scene.BuiltStep(), scene.BuiltTriangles()};
    ASSERT_GT(planned.Depth, 0);
    const TListPlan coarser = *NextCoarserPlan(planned, 71, 71);
    const int threads = ThreadsOfThisProcess();

    // An allocation of the program's own fails once, on the worker or on the drawing side, or
    // the driver reports that memory ran out when the list is closed.
    struct TFault {
        const char* What;
        std::optional<TBuildSide> Side;
    };
    for (const TFault& fault : {TFault{"worker", TBuildSide::Worker}, TFault{"drawing", TBuildSide::Drawing},
                                TFault{"driver", std::nullopt}}) {
        int failures = fault.Side ? 1 : 0;
        BuildAllocationSeam() = [&](TBuildSide Side) {
            if (Side == fault.Side && failures > 0) {
                --failures;
                throw std::bad_alloc();
            }
        };
        sink.ListsOutOfMemory = fault.Side ? 0 : 1;
        sink.Clear();
        scene.Rebuild = 1;
        scene.RenderScene();
        BuildAllocationSeam() = nullptr;
        EXPECT_EQ(failures, 0) << fault.What;
        EXPECT_EQ(sink.ListsOutOfMemory, 0) << fault.What;
        EXPECT_EQ(scene.BuiltResolution(), coarser.Depth) << fault.What;
        EXPECT_EQ(scene.BuiltStep(), coarser.Step) << fault.What;
        EXPECT_TRUE(scene.SurfaceDrawn()) << fault.What;
        EXPECT_EQ(scene.Rebuild, 0) << fault.What;
        EXPECT_EQ(sink.Count("NewList"), 2u) << fault.What;
        EXPECT_EQ(sink.Count("EndList"), 2u) << fault.What << ": the failed list was closed too";
        EXPECT_EQ(sink.ListTriangles(sink.Lists), scene.BuiltTriangles()) << fault.What;
        EXPECT_EQ(sink.Count("CallList"), 1u) << fault.What;
        EXPECT_EQ(ThreadsOfThisProcess(), threads) << fault.What << ": the worker ended";
    }

    // Memory that runs out at every plan down to a single cell: the list stays empty, the scan
    // is kept, and the build is not tried again until something changes.
    BuildAllocationSeam() = [](TBuildSide) { throw std::bad_alloc(); };
    sink.Clear();
    scene.Rebuild = 1;
    scene.RenderScene();
    BuildAllocationSeam() = nullptr;
    EXPECT_FALSE(scene.SurfaceDrawn());
    EXPECT_EQ(scene.Rebuild, 0);
    EXPECT_EQ(sink.Count("NewList"), sink.Count("EndList"));
    EXPECT_EQ(sink.Count("DeleteList"), sink.Count("NewList") + 1) << "every list begun was deleted again";
    EXPECT_EQ(scene.ScanData->Count, 71u * 71u);
    EXPECT_EQ(ThreadsOfThisProcess(), threads);
    sink.Clear();
    scene.RenderScene();
    EXPECT_EQ(sink.Count("NewList"), 0u);
    scene.Rebuild = 1;
    scene.RenderScene();
    EXPECT_TRUE(scene.SurfaceDrawn());
    EXPECT_EQ(scene.BuiltResolution(), planned.Depth);
}

TEST_F(SceneFixture, ALargeListIsCompiledInPartsThatKeepTheOutlinesAndAreDrawnInTurnWithTheCallerAnsweredBetween)
{
    Grid(30, 30);
    scene.SetSmooth(1);
    scene.SetResolution(1);
    scene.SetWireframe(1);
    scene.ListPartTriangles = 2000;
    int between = 0;
    scene.BetweenListParts = [&] {
        ++between;
        EXPECT_FALSE(sink.State().InList) << "between parts, no list is being compiled";
    };
    scene.RenderScene();
    const int parts = sink.Lists;
    ASSERT_GT(parts, 2);
    std::vector<std::string> compiled, drawn;
    uint64_t triangles = 0;
    for (int part = 1; part <= parts; ++part) {
        compiled.push_back("New " + std::to_string(1200 + part - 1));
        drawn.push_back("Call " + std::to_string(1200 + part - 1));
        triangles += sink.ListTriangles(part);
        EXPECT_LT(sink.ListTriangles(part), 2000u + TVertexBatcher::BatchVertices / 3) << "part " << part;
    }
    EXPECT_EQ(triangles, scene.BuiltTriangles());
    EXPECT_EQ(sink.Count("Outline"), size_t(parts)) << "every part sets its polygon mode";
    // The wireframe shows the colour bands' outlines and no edge inside them, across the
    // batches and the parts.
    TRecordingSink polygons;
    TSurfaceOptions options;
    options.Depth = scene.BuiltResolution();
    BuildSurfaceGeometry(*scene.ScanData, colors.Manager, options, polygons);
    const std::vector<TSide> expected = PolygonSides(polygons);
    ASSERT_GT(expected.size(), triangles);
    EXPECT_TRUE(OutlinedSides(sink) == expected) << OutlinedSides(sink).size() << " sides outlined of " << expected.size();
    auto only = [this](const char* Kind) {
        std::vector<std::string> names;
        for (const std::string& n : sink.ListNames)
            if (n.rfind(Kind, 0) == 0)
                names.push_back(n);
        return names;
    };
    EXPECT_EQ(only("New"), compiled);
    EXPECT_EQ(only("Call"), drawn);
    EXPECT_EQ(between, parts - 1);

    // A smaller list goes into list 1200 alone, and every part of the larger one goes first.
    sink.Clear();
    between = 0;
    scene.ListPartTriangles = 400'000;
    scene.Rebuild = 1;
    scene.RenderScene();
    std::vector<std::string> deleted;
    for (int part = 0; part < parts; ++part)
        deleted.push_back("Delete " + std::to_string(1200 + part));
    EXPECT_EQ(only("Delete"), deleted);
    EXPECT_EQ(only("New"), std::vector<std::string>{"New 1200"});
    EXPECT_EQ(only("Call"), std::vector<std::string>{"Call 1200"});
    EXPECT_EQ(between, 0);
}

TEST_F(SceneFixture, ZeroSizeViewportOrEmptyScanDrawsNothing)
{
    Grid(4, 4);
    scene.SetViewport(0, 0, 0, 300);
    sink.Clear();
    scene.RenderScene();
    scene.RenderTop();
    scene.RenderSide();
    scene.RenderDiagram();
    EXPECT_TRUE(sink.Calls.empty());
    EXPECT_TRUE(sink.Primitives.empty());

    scene.SetViewport(0, 0, 100, 100);
    scene.ScanData->ClearScan();
    sink.Clear();
    scene.RenderScene();
    scene.RenderTop();
    scene.RenderSide();
    EXPECT_TRUE(sink.Calls.empty());
}

TEST_F(SceneFixture, DegenerateScansGetValidProjections)
{
    const std::pair<int, int> shapes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {6, 4}};
    for (auto [cols, rows] : shapes)
        for (float value : {0.0f, 5.0f, -3.0f}) {
            ReceiveGrid(*scene.ScanData, cols, rows, [=](int, int) { return value; });  // flat
            scene.SetFieldLength(10.0f);
            scene.SetFieldWidth(5.0f);
            for (uint8_t smooth : {0, 1}) {
                scene.SetSmooth(smooth);
                sink.Clear();
                scene.RenderScene();
                scene.RenderTop();
                scene.RenderSide();
                scene.SetView(2);
                scene.ScanData->SetScanMode(5);
                scene.RenderScene();
                scene.ScanData->SetScanMode(0);
                scene.SetView(0);
                ASSERT_EQ(sink.Orthos.size(), 4u);
                for (const auto& o : sink.Orthos) {
                    for (double b : {o.Left, o.Right, o.Bottom, o.Top, o.Near, o.Far})
                        ASSERT_TRUE(std::isfinite(b)) << cols << " x " << rows;
                    EXPECT_NE(o.Left, o.Right);
                    EXPECT_NE(o.Bottom, o.Top);
                    EXPECT_NE(o.Near, o.Far);
                }
                for (float s : sink.LastScale)
                    EXPECT_TRUE(std::isfinite(s));
            }
        }
}

TEST_F(SceneFixture, TopAndSideDepthReachValuesBelowZero)
{
    ReceiveGrid(*scene.ScanData, 4, 4, [](int c, int) { return c == 0 ? -100.0f : 10.0f; });
    scene.RenderTop();
    ASSERT_EQ(sink.Orthos.size(), 1u);
    EXPECT_LT(sink.Orthos[0].Near, -200.0);
    EXPECT_GT(sink.Orthos[0].Far, 200.0);
}

TEST_F(SceneFixture, FieldProportionsScaleTheShorterSide)
{
    Grid(11, 11);
    scene.SetFieldLength(20.0f);
    scene.SetFieldWidth(10.0f);
    scene.SetScale(1, 1, 3);
    scene.RenderScene();
    EXPECT_FLOAT_EQ(sink.LastScale[0], 0.5f);
    EXPECT_FLOAT_EQ(sink.LastScale[1], 1.0f);
    EXPECT_FLOAT_EQ(sink.LastScale[2], 3.0f);
}

TEST_F(SceneFixture, DiagramIsDrawnInPixelsWithSmoothing)
{
    scene.ScanData->DiagramSamples[0] = 1.0f;
    scene.ScanData->DiagramSamples[1] = 2.0f;
    scene.ScanData->DiagramRange = 1.0f;
    scene.ScanData->DiagramMin = 1.0f;
    scene.ScanData->DiagramMax = 2.0f;
    colors.Manager.SetColorScheme(1, 0.0f, 50.0f, 0.0f);  // another palette in force before
    scene.RenderDiagram();
    ASSERT_EQ(sink.Primitives.size(), 1u);
    const TDrawState& drawn = sink.Primitives[0].State;
    EXPECT_EQ(drawn.Transform, std::vector<std::string>{"Ortho 0 400 0 300"});
    EXPECT_EQ(drawn.LineWidth, 1.0f);
    EXPECT_TRUE(drawn.Smoothing);
    EXPECT_EQ(sink.Count("SmoothOff"), 1u);
    ASSERT_EQ(LineVertices(), 2u);
    // Coloured by the first palette over the scan's values.
    TColors first;
    first.Manager.SetColorScheme(0, scene.ScanData->MinValue, scene.ScanData->MaxValue, scene.ScanData->MinValue);
    for (const TRecordedVertex& v : sink.Primitives[0].Vertices) {
        const TRGBColor c = first.Manager.ColorOfValue(v.Y + 1.0f, 1.0f, 2.0f);
        EXPECT_EQ((std::array<int, 3>{v.R, v.G, v.B}), (std::array<int, 3>{c.R, c.G, c.B}));
    }
}

TEST_F(SceneFixture, TopAndSideViewsDrawTheirListThroughTheirOwnProjection)
{
    Grid(8, 6);  // x 0..7, y 0..5
    scene.Rebuild = 1;
    scene.RenderTop();
    ASSERT_EQ(sink.ListsCalled.size(), 1u);
    EXPECT_EQ(sink.ListsCalled[0].Transform, std::vector<std::string>{"Ortho -7 0 1 5"});
    EXPECT_FALSE(sink.ListsCalled[0].InList);
    ASSERT_FALSE(sink.Primitives.empty());
    EXPECT_TRUE(std::all_of(sink.Primitives.begin(), sink.Primitives.end(),
                            [](const TRecordedPrimitive& p) { return p.State.InList; }));
    sink.Clear();
    scene.RenderTop();
    EXPECT_EQ(sink.Count("NewList"), 0u) << "nothing changed: the list stays";
    EXPECT_EQ(sink.ListsCalled.size(), 1u);

    // The side view turns the field a quarter about its centre.
    sink.Clear();
    scene.Rebuild = 1;
    scene.RenderSide();
    ASSERT_EQ(sink.ListsCalled.size(), 1u);
    EXPECT_EQ(sink.ListsCalled[0].Transform,
              (std::vector<std::string>{"Ortho 0 5 0 7", "Translate 2.5 3.5 0", "Rotate 90 0 0 1",
                                        "Translate -3.5 -2.5 0"}));
}

TEST_F(SceneFixture, EveryViewSetsAndGivesBackItsStateInOneBracket)
{
    Grid(6, 5);
    scene.ScanData->SelectPoint(scene.ScanData->First->Up);
    scene.AxisX = 1;
    scene.SetWireframe(1);
    const struct {
        uint8_t mode;
        void (TScanScene::*render)();
    } views[] = {{0, &TScanScene::RenderScene}, {2, &TScanScene::RenderTop}, {3, &TScanScene::RenderSide},
                 {1, &TScanScene::RenderDiagram}};
    for (const auto& v : views) {
        sink.Clear();
        scene.ScanData->SetScanMode(v.mode);
        scene.Rebuild = 1;
        (scene.*v.render)();
        ASSERT_FALSE(sink.Calls.empty()) << "mode " << int(v.mode);
        EXPECT_EQ(sink.Calls.front(), "BeginView") << "mode " << int(v.mode);
        EXPECT_EQ(sink.Calls.back(), "EndView") << "mode " << int(v.mode);
        EXPECT_EQ(sink.Count("BeginView"), 1u);
        EXPECT_EQ(sink.Count("EndView"), 1u);
    }
}

TEST_F(SceneFixture, SmoothScanAveragesUsableNeighbours)
{
    // 3 x 3; (2,1) missing (NaN, invalid).
    ReceiveGrid(*scene.ScanData, 3, 3, [](int c, int r) { return c == 2 && r == 1 ? NAN : float(10 * r + c); });
    scene.Rebuild = 0;
    scene.SmoothScan(0);
    EXPECT_EQ(scene.Rebuild, 1);
    TScanPoint* centre = scene.ScanData->First->Up->Next;
    EXPECT_FLOAT_EQ(centre->Value, 11.0f) << "no pass, no change";

    scene.SmoothScan(1);
    // centre 11 with down 1, up 21, previous 10; the missing right neighbour is left out.
    EXPECT_FLOAT_EQ(centre->Value, (11.0f + 1.0f + 21.0f + 10.0f) / 4.0f);
    EXPECT_TRUE(std::isnan(centre->Next->Value)) << "a missing point stays missing";
    // corner (0,0): 0 with next 1 and up 10
    EXPECT_FLOAT_EQ(scene.ScanData->First->Value, (0.0f + 1.0f + 10.0f) / 3.0f);
}

}  // namespace
