// Writes the example scans into a folder, or one square scan for the benchmarks (a hill with
// ripples unless a field is named; "DMO.L3D.01" unless "tnw" asks for "DMO.TNW.01"):
//   make_example_scans <folder>
//   make_example_scans --square <size> <file> [hill|sawtooth|noise] [tnw]
#include "ExampleScans.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Writes Target through Write (true when every write succeeded), safely.
template <typename F>
bool WriteThrough(const std::u16string& Target, F&& Write)
{
    bool written = false;
    try {
        SaveFileSafely(Target, [&](TStream& stream) {
            written = Write(stream);
            if (!written)
                throw EWriteError(SWriteError);
        });
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        written = false;
    }
    if (!written)
        std::fprintf(stderr, "cannot write %s\n", WideToUtf8(Target).c_str());
    return written;
}

bool Write(const std::u16string& Target, const TScanFileSource& Source)
{
    return WriteThrough(Target, [&](TStream& Stream) { return WriteScanFile(Stream, Source); });
}

bool WriteSquare(const std::u16string& Target, int Size, TSquareField Field, TScanFileKind Kind)
{
    return WriteThrough(Target, [&](TStream& Stream) { return WriteSquareScan(Stream, Size, Field, Kind); });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && argc <= 6 && std::string(argv[1]) == "--square") {
        const int size = std::atoi(argv[2]);
        if (size < 1 || size > 20000) {
            std::fprintf(stderr, "the size must lie between 1 and 20000\n");
            return 2;
        }
        const std::string field = argc > 4 ? argv[4] : "hill";
        const auto fieldOf = field == "sawtooth" ? TSquareField::SawTooth
                             : field == "noise"  ? TSquareField::Noise
                                                 : TSquareField::Hill;
        const auto kind = argc > 5 && std::string(argv[5]) == "tnw" ? TScanFileKind::TNWDemo : TScanFileKind::L3DDemo;
        return WriteSquare(Utf8ToWide(argv[3]), size, fieldOf, kind) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example_scans <folder>\n"
                             "       make_example_scans --square <size> <file> [hill|sawtooth|noise] [tnw]\n");
        return 2;
    }
    const std::u16string folder = IncludeTrailingPathDelimiter(Utf8ToWide(argv[1]));
    if (!ForceDirectories(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (const TExampleScan& scan : AllExampleScans())
        if (!Write(folder + Utf8ToWide(scan.FileName), scan.Source))
            return 1;
    return 0;
}
