// The scan model's heavy paths: receiving a file-sized scan, the statistics, fault correction.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"

namespace {

std::vector<float> FieldValues(int side, double spikeShare, unsigned seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<float> ground(20.0f, 3.0f);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    std::vector<float> v(size_t(side) * size_t(side));
    for (float& x : v) {
        x = ground(rng);
        if (share(rng) < spikeShare) x += share(rng) < 0.5 ? 60.0f : -60.0f;
    }
    return v;
}

// As the file loaders do: one point per line, one column of `side` lines per block.
void ReceiveColumns(TScanData& scan, int side, const std::vector<float>& values)
{
    scan.SetLineOrder(0);
    scan.SetPointsPerLine(1);
    scan.SetLinesPerBlock(uint32_t(side));
    scan.SetReverse(0);
    scan.BeginReceive(0);
    TScanRecord record;
    for (float v : values) {
        record.Value = v;
        scan.AddScanPoint(record);
    }
    scan.EndReceive();
}

void BM_ReceiveAndFinish(benchmark::State& state)
{
    const int side = int(state.range(0));
    const std::vector<float> values = FieldValues(side, 0.01, 1);
    TColorManager colors;
    TColorManager* colorsVar = &colors;
    TScanData scan(&colorsVar);
    for (auto _ : state) {
        ReceiveColumns(scan, side, values);
        benchmark::DoNotOptimize(scan.Average);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(values.size()));
}
BENCHMARK(BM_ReceiveAndFinish)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RecomputeStatistics(benchmark::State& state)
{
    const int side = int(state.range(0));
    TColorManager colors;
    TColorManager* colorsVar = &colors;
    TScanData scan(&colorsVar);
    ReceiveColumns(scan, side, FieldValues(side, 0.01, 2));
    for (auto _ : state) {
        scan.RecomputeStatistics();
        benchmark::DoNotOptimize(scan.Average);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(side) * side);
}
BENCHMARK(BM_RecomputeStatistics)->Arg(1000)->Unit(benchmark::kMillisecond);

// Arguments: side, surface threshold, surround threshold.
void BM_CorrectFaultSignals(benchmark::State& state)
{
    const int side = int(state.range(0));
    const std::vector<float> values = FieldValues(side, 0.01, 3);
    TColorManager colors;
    TColorManager* colorsVar = &colors;
    TScanData scan(&colorsVar);
    for (auto _ : state) {
        state.PauseTiming();
        ReceiveColumns(scan, side, values);
        scan.SurfaceThreshold = float(state.range(1));
        scan.SurroundThreshold = float(state.range(2));
        state.ResumeTiming();
        scan.CorrectFaultSignals(false);
        benchmark::DoNotOptimize(scan.Average);
    }
}
BENCHMARK(BM_CorrectFaultSignals)
    ->Args({256, 7, 4})
    ->Args({512, 7, 4})
    ->Args({256, 0, 0})
    ->Args({512, 0, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
