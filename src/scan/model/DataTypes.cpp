#include "scan/model/DataTypes.h"

#include "framework/ByteReader.h"
#include "framework/LittleEndianBytes.h"

bool ReadScanRecord(ByteReader& Reader, TScanRecord& Record)
{
    ByteReader fields = Reader.Sub(ScanRecordSize);
    TScanRecord read;
    if (!fields.F32(read.Value) || !fields.F32(read.X) || !fields.F32(read.Y) ||
        !fields.Bytes(read.Carried, sizeof read.Carried))
        return false;
    Record = read;
    return true;
}

void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes)
{
    le::PutF32(Bytes, Record.Value);
    le::PutF32(Bytes + 4, Record.X);
    le::PutF32(Bytes + 8, Record.Y);
    std::memcpy(Bytes + 12, Record.Carried, sizeof Record.Carried);
}
