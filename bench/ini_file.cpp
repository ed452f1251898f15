// Loading and saving a 1 MB ini store in its text form (TElIniFile::Load and Save, through the
// file system; Save writes a temporary file and moves it over the old one).
#include "framework/FileUtils.h"
#include "widgets/el/foundation/ElIniFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// About 1 MB: 200 sections of mixed values (integers, strings, floats, booleans, hex data and
// short lists), in the form the store writes.
std::u16string MakeMegabyteFile()
{
    const std::u16string path = TempFolder() + u"l3d-bench-1m.ini";
    TElIniFile ini(nullptr);
    ini.SetPath(path);
    const uint8_t blob[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    for (int section = 0; section < 200; ++section) {
        const std::string key = "\\Forms\\Form" + std::to_string(section);
        ini.OpenKey(key, true);
        for (int i = 0; i < 40; ++i) {
            const std::string n = std::to_string(i);
            ini.WriteInteger("", "Left" + n, section * 7 + i);
            ini.WriteString("", "Caption" + n, "Caption of the window number " + n + " in the scan viewer");
            ini.WriteFloat("", "Ratio" + n, section / 7.0 + i);
            ini.WriteBool("", "Visible" + n, (i & 1) != 0);
            if (i % 4 == 0) {
                ini.WriteBinary("", "Data" + n, blob, sizeof blob);
                ini.WriteMultiString("", "Recent" + n, {"C:\\Scans\\first.l3d", "C:\\Scans\\second.l3d"});
            }
        }
    }
    ini.Save();
    return path;
}

void BM_IniLoadText1MB(benchmark::State& State)
{
    const std::u16string path = MakeMegabyteFile();
    TElIniFile ini(nullptr);
    ini.SetPath(path);
    for (auto _ : State) {
        const bool ok = ini.Load();
        benchmark::DoNotOptimize(ok);
    }
    State.counters["bytes"] = static_cast<double>(std::filesystem::file_size(std::filesystem::path(path)));
    FileDelete(path);
}
BENCHMARK(BM_IniLoadText1MB)->Unit(benchmark::kMillisecond);

void BM_IniSaveText1MB(benchmark::State& State)
{
    const std::u16string path = MakeMegabyteFile();
    TElIniFile ini(nullptr);
    ini.SetPath(path);
    ini.Load();
    for (auto _ : State) {
        const bool ok = ini.Save();
        benchmark::DoNotOptimize(ok);
    }
    FileDelete(path);
}
BENCHMARK(BM_IniSaveText1MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
