// Generated "DMO.L3D.01" scan files for the opening benchmarks: Columns columns of Lines
// points each, stored column by column in the zig-zag order of a scan (one point per line,
// Lines lines per block), with the values of a smooth field and some noise. The file is made
// in the temporary folder and deleted with the object.
#pragma once

#include "framework/FileUtils.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/_TFileManager.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cmath>
#include <cstdint>
#include <string>

class TBenchScanFile {
public:
    TBenchScanFile(int Columns, int Lines, const std::u16string& Name) : Path(TempFolder() + Name)
    {
        TScanFileSource source;
        source.Kind = TScanFileKind::L3DDemo;
        source.LinesPerBlock = Lines;
        source.Count = Columns * Lines;
        source.Records.resize(size_t(Columns) * size_t(Lines));
        uint32_t state = 12345;
        for (size_t i = 0; i < source.Records.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            const double x = double(i / size_t(Lines)), y = double(i % size_t(Lines));
            source.Records[i].Value =
                float(100 + 40 * std::sin(x / 90) * std::cos(y / 70) + (state >> 24) / 32.0);
        }
        TElFileStream stream(Path, fmCreate);
        WriteScanFile(stream, source);
    }
    ~TBenchScanFile() { FileDelete(Path); }
    TBenchScanFile(const TBenchScanFile&) = delete;
    TBenchScanFile& operator=(const TBenchScanFile&) = delete;

    const std::u16string Path;
};

// A scan with its colour manager and the file manager that opens files into it, as the main
// window has them.
struct TBenchOpener {
    TColorManager Colors;
    TColorManager* ColorsVar = &Colors;
    TScanData Scan{&ColorsVar};
    TViewStates Views{};
    TFileManager Manager{[this] { return &Scan; }, Views};

    bool Open(const std::u16string& Path, uint32_t ExpectedCount)
    {
        std::string magic;
        return Manager.OpenFile(Path, magic) && Scan.Count == ExpectedCount;
    }
};
