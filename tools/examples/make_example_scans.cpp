// Writes the example scans into a folder, or one square scan for the benchmarks:
//   make_example_scans <folder>
//   make_example_scans --square <size> <file>
#include "ExampleScans.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool Write(const std::u16string& Target, const TScanFileSource& Source)
{
    bool written = false;
    try {
        SaveFileSafely(Target, [&](TStream& stream) {
            written = WriteScanFile(stream, Source);
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--square") {
        const int size = std::atoi(argv[2]);
        if (size < 1 || size > 20000) {
            std::fprintf(stderr, "the size must lie between 1 and 20000\n");
            return 2;
        }
        return Write(Utf8ToWide(argv[3]), MakeSquareScan(size)) ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example_scans <folder>\n       make_example_scans --square <size> <file>\n");
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
