// Opening a radar profile of 1040 traces of 512 samples (532,480 points, a "DMO.L3D.01" file
// of 19 MB) through the file manager - reading, the linked grid, statistics, colours and the
// undo snapshot - set against a plain numpy reader of the same file (bench/numpy_open.py:
// the bytes read, the zig-zag undone, minimum, maximum and mean).
//
//   open_compare [runs [numpy-ms]]
//
// Natively the program runs the numpy reader itself (Debian's /usr/bin/python3 with
// python3-numpy) and prints both figures and their ratio. The Windows build, run under Wine,
// times the open only; given the numpy reader's figure it prints the ratio to it as well.
// Figures are medians, and the least processor time of the runs; processor time is printed
// beside wall time because on a busy machine the wall time also counts the waits for a core,
// and the least of it is the figure least disturbed by other work.
#include "BenchScanFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace {

constexpr int Traces = 1040;
constexpr int Samples = 512;

double ProcessorSeconds()
{
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
#endif
}

double Median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    const size_t n = Values.size();
    return n % 2 ? Values[n / 2] : (Values[n / 2 - 1] + Values[n / 2]) / 2;
}

struct TFigures {
    double WallMs = 0;
    double CpuMs = 0;
    double BestCpuMs = 0;
};

// After one open that warms the file cache.
bool TimeOpens(const std::u16string& Path, int Runs, TBenchOpener& Opener, TFigures& Figures)
{
    bool ok = Opener.Open(Path, Traces * Samples);
    std::vector<double> walls, cpus;
    const double allCpu = ProcessorSeconds();
    for (int i = 0; i < Runs; ++i) {
        const auto wall = std::chrono::steady_clock::now();
        const double cpu = ProcessorSeconds();
        ok = Opener.Open(Path, Traces * Samples) && ok;
        cpus.push_back((ProcessorSeconds() - cpu) * 1e3);
        walls.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count());
    }
    Figures.WallMs = Median(walls);
#ifdef _WIN32
    // Wine counts processor time in ticks of 10 ms or more: only the mean over all runs tells.
    Figures.CpuMs = Figures.BestCpuMs = (ProcessorSeconds() - allCpu) * 1e3 / Runs;
#else
    (void)allCpu;
    Figures.CpuMs = Median(cpus);
    Figures.BestCpuMs = *std::min_element(cpus.begin(), cpus.end());
#endif
    return ok;
}

#ifndef _WIN32
// The numpy reader's figures and its statistics of the file, for a check that both read the
// same values.
struct TNumpyResult {
    TFigures Figures;
    double Min = 0, Max = 0, Mean = 0;
};

bool RunNumpyReader(const std::string& Path, int Runs, TNumpyResult& Result)
{
    const std::string command =
        std::string("/usr/bin/python3 '") + L3D_NUMPY_READER + "' '" + Path + "' " + std::to_string(Runs);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    long long count = 0;
    const int read = std::fscanf(pipe, "%lf %lf %lf %lld %lf %lf %lf", &Result.Figures.WallMs,
                                 &Result.Figures.CpuMs, &Result.Figures.BestCpuMs, &count, &Result.Min, &Result.Max,
                                 &Result.Mean);
    return pclose(pipe) == 0 && read == 7 && count == Traces * Samples;
}

std::string Narrow(const std::u16string& Text)
{
    return std::string(Text.begin(), Text.end());  // the temporary folder's path is ASCII here
}
#endif

void PrintFigures(const char* Label, const TFigures& Figures, int Runs)
{
#ifdef _WIN32
    std::printf("%-36s wall %7.2f ms (median of %d), processor %7.2f ms (mean)\n", Label, Figures.WallMs, Runs,
                Figures.CpuMs);
#else
    std::printf("%-36s wall %7.2f ms, processor %7.2f ms (medians of %d), least processor %7.2f ms\n", Label,
                Figures.WallMs, Figures.CpuMs, Runs, Figures.BestCpuMs);
#endif
}

void PrintRatio(const char* Label, const TFigures& Open, const TFigures& Reference)
{
#ifdef _WIN32
    std::printf("%-36s wall %.2f, processor %.2f\n", Label, Open.WallMs / Reference.WallMs,
                Open.CpuMs / Reference.CpuMs);
#else
    std::printf("%-36s wall %.2f, processor %.2f, least processor %.2f\n", Label, Open.WallMs / Reference.WallMs,
                Open.CpuMs / Reference.CpuMs, Open.BestCpuMs / Reference.BestCpuMs);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const TBenchScanFile file(Traces, Samples, u"l3d-bench-radar-profile.dmo");
    TBenchOpener opener;
    TFigures open;
    if (!TimeOpens(file.Path, runs, opener, open)) {
        std::printf("the open failed\n");
        return 1;
    }
    PrintFigures("open of 1040 x 512 points (program)", open, runs);
#ifdef _WIN32
    if (argc > 2) {
        TFigures numpy;
        numpy.WallMs = numpy.CpuMs = numpy.BestCpuMs = std::atof(argv[2]);
        PrintRatio("ratio to the given numpy figure", open, numpy);
    }
#else
    TNumpyResult numpy;
    if (!RunNumpyReader(Narrow(file.Path), runs, numpy)) {
        std::printf("the numpy reader failed (is python3-numpy installed?)\n");
        return 1;
    }
    PrintFigures("numpy reader of the same file", numpy.Figures, runs);
    PrintRatio("ratio program / numpy", open, numpy.Figures);
    const TScanData& scan = opener.Scan;
    const bool same = float(numpy.Min) == scan.MinValue && float(numpy.Max) == scan.MaxValue &&
                      std::abs(numpy.Mean - scan.Average) <= 1e-5 * std::abs(numpy.Mean);
    std::printf("statistics: program %g..%g mean %g, numpy %g..%g mean %g%s\n", scan.MinValue, scan.MaxValue,
                scan.Average, numpy.Min, numpy.Max, numpy.Mean, same ? "" : "  (DIFFERENT)");
    if (!same)
        return 1;
#endif
    return 0;
}
