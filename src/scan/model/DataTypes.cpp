#include "scan/model/DataTypes.h"

#include "framework/ByteReader.h"
#include "framework/LittleEndianBytes.h"

bool ReadScanRecord(ByteReader& Reader, TScanRecord& Record)
{
    const std::span<const uint8_t> bytes = Reader.Take(ScanRecordSize);
    if (bytes.size() != ScanRecordSize)
        return false;
    DecodeScanRecord(bytes.first<ScanRecordSize>(), Record);
    return true;
}

void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes)
{
    le::PutF32(Bytes, Record.Value);
    le::PutF32(Bytes + 4, Record.X);
    le::PutF32(Bytes + 8, Record.Y);
    std::memcpy(Bytes + 12, Record.Carried, sizeof Record.Carried);
}
