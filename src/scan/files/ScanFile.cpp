#include "scan/files/ScanFile.h"

#include "scan/model/LittleEndian.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <algorithm>
#include <cstring>

namespace {

bool ReadExactly(TStream& Stream, void* Buffer, int32_t Count)
{
    return Stream.Read(Buffer, Count) == Count;
}

// Walks the point area from the stream's position, delivering at most Limit points to Sink
// (none when Sink is empty: the parse only counts). Returns the number of whole points.
uint64_t WalkL3DPoints(TStream& Stream, uint64_t Limit, const TScanPointSink& Sink)
{
    const uint64_t count =
        std::min<uint64_t>(Limit, static_cast<uint64_t>(le::BytesLeft(Stream)) / ScanRecordSize);
    if (!Sink)
        return count;
    // Many records per read: a read per record costs more than decoding it.
    constexpr uint64_t RecordsPerRead = 4096;
    std::vector<uint8_t> bytes(static_cast<size_t>(std::min(count, RecordsPerRead)) * ScanRecordSize);
    uint64_t done = 0;
    while (done < count) {
        const uint64_t n = std::min(RecordsPerRead, count - done);
        if (!ReadExactly(Stream, bytes.data(), static_cast<int32_t>(n * ScanRecordSize)))
            break;
        const std::span<const uint8_t> records(bytes.data(), static_cast<size_t>(n * ScanRecordSize));
        TScanRecord record;
        for (size_t at = 0; at < records.size(); at += ScanRecordSize) {
            DecodeScanRecord(records.subspan(at).first<ScanRecordSize>(), record);
            Sink(record);
            ++done;
        }
    }
    return done;
}

uint64_t WalkTNWPoints(TStream& Stream, uint64_t Limit, const TScanPointSink& Sink)
{
    uint8_t lead[TNWAreaLeadSize];
    if (!ReadExactly(Stream, lead, TNWAreaLeadSize))
        return 0;  // no room for a point: an empty scan
    uint64_t count = 0;
    uint8_t header[TNWPointHeaderSize];
    while (count < Limit && le::BytesLeft(Stream) >= TNWPointHeaderSize) {
        if (!ReadExactly(Stream, header, TNWPointHeaderSize))
            break;
        ByteReader fields(header, TNWPointHeaderSize);
        float value = 0.0f;
        uint16_t samples = 0;
        if (!fields.F32(value) || !fields.Skip(4) || !fields.U16(samples))
            break;
        const int64_t samplesAt = Stream.Position();
        const int64_t sampleBytes = int64_t(samples) * TNWSampleSize;
        if (le::BytesLeft(Stream) < sampleBytes)
            break;  // samples past the end: the point is dropped
        if (Sink) {
            TScanRecord record;
            record.Value = value;
            le::PutF64(record.Carried, static_cast<double>(samplesAt));
            Sink(record);
        }
        ++count;
        Stream.Seek(sampleBytes, soCurrent);
    }
    return count;
}

uint64_t WalkPoints(TStream& Stream, TScanFileKind Kind, uint64_t Limit, const TScanPointSink& Sink)
{
    return IsTNWKind(Kind) ? WalkTNWPoints(Stream, Limit, Sink) : WalkL3DPoints(Stream, Limit, Sink);
}

} // namespace

bool IsTNWKind(TScanFileKind Kind)
{
    return Kind == TScanFileKind::TNWDemo || Kind == TScanFileKind::TNW || Kind == TScanFileKind::TNW01;
}

bool HasViewStateBlock(TScanFileKind Kind)
{
    return Kind != TScanFileKind::None && Kind != TScanFileKind::TNW01;
}

TScanFileKind ScanFileKindOf(const std::string& Magic, const std::string& LowerExtension)
{
    const bool demoName = LowerExtension == ".dmo";
    if (Magic == MagicL3DDemo)
        return demoName ? TScanFileKind::L3DDemo : TScanFileKind::None;
    if (Magic == MagicTNWDemo)
        return demoName ? TScanFileKind::TNWDemo : TScanFileKind::None;
    if (Magic == MagicL3D)
        return TScanFileKind::L3D;
    if (Magic == MagicTNW)
        return TScanFileKind::TNW;
    if (Magic == MagicTNW01)
        return TScanFileKind::TNW01;
    return TScanFileKind::None;
}

std::string ReadScanFileMagic(TStream& Stream)
{
    char bytes[ScanFileMagicSize] = {};
    const int32_t got = Stream.Read(bytes, ScanFileMagicSize);
    const size_t limit = got > 0 ? static_cast<size_t>(got) : 0;
    const size_t length = strnlen(bytes, limit);
    return std::string(bytes, length);
}

namespace {

int32_t BlockField(const std::array<uint8_t, ScanBlockSize>& Bytes, size_t Offset)
{
    ByteReader reader(Bytes.data(), Bytes.size());
    int32_t value = 0;
    reader.Seek(Offset);
    reader.I32(value);
    return value;
}

} // namespace

int32_t TScanBlock::LinesPerBlock() const { return BlockField(Bytes, 4); }
int32_t TScanBlock::Count() const { return BlockField(Bytes, 8); }

bool ReadRemarksRecord(TStream& Stream, TRemarksRec_L3D_3& Remarks)
{
    TRemarksRec_L3D_3 read;
    if (!le::ReadF64(Stream, read.Date) || !ReadWideStringFromStream(Stream, read.Project) ||
        !ReadWideStringFromStream(Stream, read.Notes) || !le::ReadF32(Stream, read.FieldLength) ||
        !le::ReadF32(Stream, read.FieldWidth) || !le::ReadI32(Stream, read.SoilType))
        return false;
    Remarks = std::move(read);
    return true;
}

bool WriteRemarksRecord(TStream& Stream, const TRemarksRec_L3D_3& Remarks)
{
    return le::WriteF64(Stream, Remarks.Date) && WriteWideStringToStream(Stream, Remarks.Project) &&
           WriteWideStringToStream(Stream, Remarks.Notes) && le::WriteF32(Stream, Remarks.FieldLength) &&
           le::WriteF32(Stream, Remarks.FieldWidth) && le::WriteI32(Stream, Remarks.SoilType);
}

bool DecodeViewStates(ByteReader& Reader, TViewStates& Views)
{
    ByteReader block = Reader.Sub(ViewStateBlockSize);
    TViewStates read;
    for (TViewState& view : read)
        for (TVector4* v : {&view.Translation, &view.Rotation, &view.Scale})
            if (!block.F32(v->X) || !block.F32(v->Y) || !block.F32(v->Z) || !block.F32(v->W))
                return false;
    Views = read;
    return true;
}

void EncodeViewStates(const TViewStates& Views, uint8_t* Bytes)
{
    for (const TViewState& view : Views) {
        for (const TVector4* v : {&view.Translation, &view.Rotation, &view.Scale}) {
            le::PutF32(Bytes, v->X);
            le::PutF32(Bytes + 4, v->Y);
            le::PutF32(Bytes + 8, v->Z);
            le::PutF32(Bytes + 12, v->W);
            Bytes += 16;
        }
    }
}

bool PaddingExceedsPoints(uint64_t Points, uint64_t LinesPerBlock)
{
    if (Points == 0 || LinesPerBlock == 0)
        return false;
    const uint64_t padding = (LinesPerBlock - Points % LinesPerBlock) % LinesPerBlock;
    return padding > Points;
}

TScanParseResult ParseScanFile(TStream& Stream, TScanFileKind Kind, TScanFileContent& Content, uint64_t MaxPoints)
{
    TScanFileContent read;
    read.Kind = Kind;
    read.HasViewStates = HasViewStateBlock(Kind);
    // The fixed blocks are read whole and then taken apart.
    constexpr int32_t FixedSize = ScanFileMagicSize + ScanFileHeaderSize + ScanBlockSize;
    uint8_t fixed[FixedSize + ViewStateBlockSize];
    const int32_t fixedSize = FixedSize + (read.HasViewStates ? ViewStateBlockSize : 0);
    if (!ReadExactly(Stream, fixed, fixedSize))
        return TScanParseResult::CutShort;
    ByteReader blocks(fixed, static_cast<size_t>(fixedSize));
    if (!blocks.Skip(ScanFileMagicSize) || !blocks.Bytes(read.Header.data(), ScanFileHeaderSize) ||
        !blocks.Bytes(read.ScanBlock.Bytes.data(), ScanBlockSize) ||
        (read.HasViewStates && !DecodeViewStates(blocks, read.ViewStates)))
        return TScanParseResult::CutShort;
    if (!ReadRemarksRecord(Stream, read.Remarks))
        return TScanParseResult::CutShort;

    const int32_t linesPerBlock = read.ScanBlock.LinesPerBlock();
    if (linesPerBlock <= 0 || read.ScanBlock.Count() <= 0)
        return TScanParseResult::UnusableBlock;

    read.PointAreaStart = Stream.Position();
    if (IsTNWKind(Kind))
        read.TNWStart = static_cast<uint32_t>(read.PointAreaStart);
    read.PointCount = WalkPoints(Stream, Kind, MaxPoints == UINT64_MAX ? MaxPoints : MaxPoints + 1, nullptr);
    if (read.PointCount > MaxPoints)
        return TScanParseResult::TooManyPoints;
    if (PaddingExceedsPoints(read.PointCount, static_cast<uint64_t>(linesPerBlock)))
        return TScanParseResult::UnusableBlock;
    Content = std::move(read);
    return TScanParseResult::Ok;
}

uint64_t ReadScanPoints(TStream& Stream, const TScanFileContent& Content, const TScanPointSink& Sink)
{
    if (Content.PointCount == 0 || Stream.Seek(Content.PointAreaStart, soBeginning) != Content.PointAreaStart)
        return 0;
    return WalkPoints(Stream, Content.Kind, Content.PointCount, Sink);
}
