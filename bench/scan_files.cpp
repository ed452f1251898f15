// Opening a 1,000,000-point "DMO.L3D.01" scan (1000 columns of 1000 lines) through the file
// manager: reading, the receive into the grid, statistics, colours, the undo snapshot.
// bench/open_compare.cpp sets the open of a radar profile against a plain numpy reader.
#include "BenchScanFile.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Side = 1000;

void BM_OpenMillionPointScan(benchmark::State& State)
{
    static const TBenchScanFile file(Side, Side, u"l3d-bench-1m.dmo");
    TBenchOpener bench;
    for (auto _ : State)
        if (!bench.Open(file.Path, Side * Side))
            State.SkipWithError("open failed");
    State.SetItemsProcessed(State.iterations() * Side * Side);
}
BENCHMARK(BM_OpenMillionPointScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
