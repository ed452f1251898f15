// Writes the example scans into the folder given as the only argument.
#include "ExampleScans.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_example_scans <folder>\n");
        return 2;
    }
    const std::u16string folder = IncludeTrailingPathDelimiter(Utf8ToWide(argv[1]));
    if (!ForceDirectories(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (const TExampleScan& scan : AllExampleScans()) {
        const std::u16string target = folder + Utf8ToWide(scan.FileName);
        bool written = false;
        try {
            SaveFileSafely(target, [&](TStream& stream) {
                written = WriteScanFile(stream, scan.Source);
                if (!written)
                    throw EWriteError(SWriteError);
            });
        } catch (const Exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            written = false;
        }
        if (!written) {
            std::fprintf(stderr, "cannot write %s\n", scan.FileName.c_str());
            return 1;
        }
    }
    return 0;
}
