#include "scan/files/ScanFileWriter.h"

#include "scan/model/LittleEndian.h"

#include <algorithm>
#include <cstring>

const char* MagicOf(TScanFileKind Kind)
{
    switch (Kind) {
    case TScanFileKind::L3DDemo: return MagicL3DDemo;
    case TScanFileKind::TNWDemo: return MagicTNWDemo;
    case TScanFileKind::L3D: return MagicL3D;
    case TScanFileKind::TNW: return MagicTNW;
    case TScanFileKind::TNW01: return MagicTNW01;
    case TScanFileKind::None: break;
    }
    return "";
}

namespace {

bool WriteAll(TStream& Stream, const void* Bytes, int32_t Count)
{
    return Stream.Write(Bytes, Count) == Count;
}

bool WriteFixedPart(TStream& Stream, const TScanFileSource& Source)
{
    char magic[ScanFileMagicSize] = {};
    const char* text = MagicOf(Source.Kind);
    std::memcpy(magic, text, std::min<size_t>(std::strlen(text), ScanFileMagicSize - 1));
    uint8_t block[ScanBlockSize] = {};
    block[3] = Source.ScanMode;
    le::PutI32(block + 4, Source.LinesPerBlock);
    le::PutI32(block + 8, Source.Count);
    block[12] = Source.Reverse;
    if (!WriteAll(Stream, magic, ScanFileMagicSize) || !WriteAll(Stream, Source.Header.data(), ScanFileHeaderSize) ||
        !WriteAll(Stream, block, ScanBlockSize))
        return false;
    if (HasViewStateBlock(Source.Kind)) {
        uint8_t views[ViewStateBlockSize];
        EncodeViewStates(Source.ViewStates, views);
        if (!WriteAll(Stream, views, ViewStateBlockSize))
            return false;
    }
    return WriteRemarksRecord(Stream, Source.Remarks);
}

bool WriteL3DPoints(TStream& Stream, const std::vector<TScanRecord>& Records)
{
    std::vector<uint8_t> bytes(Records.size() * ScanRecordSize);
    for (size_t i = 0; i < Records.size(); ++i)
        WriteScanRecord(Records[i], bytes.data() + i * ScanRecordSize);
    return bytes.empty() || WriteAll(Stream, bytes.data(), static_cast<int32_t>(bytes.size()));
}

bool WriteTNWPoints(TStream& Stream, const TScanFileSource& Source)
{
    uint8_t lead[TNWAreaLeadSize] = {};
    le::PutU16(lead + 2, Source.SampleDivisor);
    if (!WriteAll(Stream, lead, TNWAreaLeadSize))
        return false;
    for (const TTNWPointEntry& point : Source.TNWPoints) {
        const auto n = static_cast<uint16_t>(point.Samples.size());
        uint8_t header[TNWPointHeaderSize] = {};
        le::PutF32(header, point.Value);
        le::PutU16(header + 8, n);
        if (!WriteAll(Stream, header, TNWPointHeaderSize))
            return false;
        for (uint16_t i = 0; i < n; ++i)
            if (!le::WriteF32(Stream, point.Samples[i]))
                return false;
    }
    return true;
}

} // namespace

bool WriteScanFile(TStream& Stream, const TScanFileSource& Source)
{
    if (Source.Kind == TScanFileKind::None || !WriteFixedPart(Stream, Source))
        return false;
    return IsTNWKind(Source.Kind) ? WriteTNWPoints(Stream, Source) : WriteL3DPoints(Stream, Source.Records);
}
