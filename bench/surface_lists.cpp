// The display-list geometry without OpenGL: the smooth banded surface and the flat form of
// square scans, built into a sink that only counts what reaches it. What is left of a list
// build under Wine besides this is the hand-over to OpenGL.
#include <benchmark/benchmark.h>

#include "scan/render/SurfaceLists.h"
#include "scan/render/render_support.h"

namespace {

struct TCountingSink : TGeometrySink {
    uint64_t Vertices = 0;
    void Begin(TPrimitive) override {}
    void Color(uint8_t, uint8_t, uint8_t) override {}
    void Vertex(float, float, float) override { ++Vertices; }
    void End() override {}
};

void BM_SurfaceGeometry(benchmark::State& State)
{
    const int side = int(State.range(0));
    render_test::TColors colors;
    TScanData scan(&colors.Var);
    render_test::ReceiveGrid(scan, side, side, [side](int c, int r) { return render_test::Hill(c, r, side, side); });
    TSurfaceOptions options;
    options.Smooth = State.range(1) >= 0;
    options.Depth = uint8_t(State.range(1) < 0 ? 0 : State.range(1));
    uint64_t vertices = 0;
    for (auto _ : State) {
        TCountingSink sink;
        BuildSurfaceGeometry(scan, colors.Manager, options, sink);
        vertices = sink.Vertices;
    }
    State.counters["vertices"] = double(vertices);
    State.counters["triangles"] = double(SmoothTriangleCount(scan, options.Depth));
}
// Side, then the depth (-1: the flat form).
BENCHMARK(BM_SurfaceGeometry)->Args({250, 0})->Args({250, 1})->Args({250, 2})->Args({1000, 0})->Args({1000, -1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
