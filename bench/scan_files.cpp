// Opening a 1,000,000-point "DMO.L3D.01" scan (1000 columns of 1000 lines) through the file
// manager: reading, the receive into the grid, statistics, colours, the undo snapshot.
//
// Built with Google Benchmark natively. Built with -DL3D_PLAIN_TIMER it is a plain program
// that prints the mean time of a few opens, for the Windows build under Wine.
#include "framework/FileUtils.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/model/_TColorManager.h"
#include "scan/files/_TFileManager.h"
#include "scan/model/_TScanData.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Side = 1000;

std::u16string MakeMillionPointFile()
{
    TScanFileSource source;
    source.Kind = TScanFileKind::L3DDemo;
    source.LinesPerBlock = Side;
    source.Count = Side * Side;
    source.Records.resize(size_t(Side) * Side);
    uint32_t state = 12345;
    for (size_t i = 0; i < source.Records.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        const double x = double(i / Side), y = double(i % Side);
        source.Records[i].Value =
            float(100 + 40 * std::sin(x / 90) * std::cos(y / 70) + (state >> 24) / 32.0);
    }
    const std::u16string path = TempFolder() + u"l3d-bench-1m.dmo";
    TElFileStream stream(path, fmCreate);
    WriteScanFile(stream, source);
    return path;
}

struct TOpenBench {
    TColorManager Colors;
    TColorManager* ColorsVar = &Colors;
    TScanData Scan{&ColorsVar};
    TViewStates Views{};
    TFileManager Manager{[this] { return &Scan; }, Views};

    bool Open(const std::u16string& Path)
    {
        std::string magic;
        return Manager.OpenFile(Path, magic) && Scan.Count == uint32_t(Side * Side);
    }
};

} // namespace

#ifdef L3D_PLAIN_TIMER

int main()
{
    const std::u16string path = MakeMillionPointFile();
    TOpenBench bench;
    bench.Open(path);  // warm the file cache
    const int runs = 5;
    const auto start = std::chrono::steady_clock::now();
    bool ok = true;
    for (int i = 0; i < runs; ++i) ok = bench.Open(path) && ok;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / runs;
    std::printf("open 1,000,000-point scan: %.1f ms per open%s\n", ms, ok ? "" : " (FAILED)");
    FileDelete(path);
    return ok ? 0 : 1;
}

#else

#include <benchmark/benchmark.h>

// The file is made once and deleted when the program ends.
struct TBenchFile {
    std::u16string Path = MakeMillionPointFile();
    ~TBenchFile() { FileDelete(Path); }
};

static void BM_OpenMillionPointScan(benchmark::State& State)
{
    static const TBenchFile file;
    const std::u16string& path = file.Path;
    TOpenBench bench;
    for (auto _ : State)
        if (!bench.Open(path))
            State.SkipWithError("open failed");
    State.SetItemsProcessed(State.iterations() * Side * Side);
}
BENCHMARK(BM_OpenMillionPointScan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();

#endif
