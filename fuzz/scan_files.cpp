// Scan files from untrusted bytes: the magic, the parser of every kind and the receive of the
// parsed points into a scan; also the recent list of the settings payload. Nothing may
// crash, hang or allocate beyond the input's size.
#include "framework/Streams.h"
#include "scan/files/RecentFileList.h"
#include "scan/files/ScanFile.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemoryStream stream(Data, Size);
    const std::string magic = ReadScanFileMagic(stream);
    TScanFileKind kind = ScanFileKindOf(magic, ".dmo");
    if (kind == TScanFileKind::None && Size > 0) {
        // Let every kind see the rest of the bytes, chosen by the first byte.
        static const TScanFileKind kinds[] = {TScanFileKind::L3DDemo, TScanFileKind::TNWDemo, TScanFileKind::TNW01};
        kind = kinds[Data[0] % 3];
    }
    if (kind != TScanFileKind::None) {
        stream.SetPosition(0);
        TScanFileContent content;
        if (ParseScanFile(stream, kind, content) == TScanParseResult::Ok) {
            TColorManager colors;
            TColorManager* colorsVar = &colors;
            TScanData scan(&colorsVar);
            scan.SetLineOrder(0);
            scan.SetPointsPerLine(1);
            scan.SetLinesPerBlock(static_cast<uint32_t>(content.ScanBlock.LinesPerBlock()));
            scan.SetReverse(content.ScanBlock.ReverseFlag());
            scan.BeginReceive(content.ScanBlock.ScanMode());
            const uint64_t delivered =
                ReadScanPoints(stream, content, [&scan](const TScanRecord& r) { scan.AddScanPoint(r); });
            if (delivered != content.PointCount)
                __builtin_trap();
            scan.EndReceive();
            uint32_t walked = 0;
            for (TScanPoint* p = scan.FirstColumnPoint(); p; p = scan.NextColumnPoint())
                ++walked;
            if (walked != scan.Count)
                __builtin_trap();
        }
    }
    stream.SetPosition(0);
    TRecentFileList recent;
    recent.Load(stream);
    return 0;
}
