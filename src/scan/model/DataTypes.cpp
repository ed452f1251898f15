#include "scan/model/DataTypes.h"

#include "framework/LittleEndianBytes.h"

TScanRecord ReadScanRecord(const uint8_t* Bytes)
{
    TScanRecord record;
    record.Value = le::F32At(Bytes);
    record.X = le::F32At(Bytes + 4);
    record.Y = le::F32At(Bytes + 8);
    std::memcpy(record.Carried, Bytes + 12, sizeof record.Carried);
    return record;
}

void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes)
{
    le::PutF32(Bytes, Record.Value);
    le::PutF32(Bytes + 4, Record.X);
    le::PutF32(Bytes + 8, Record.Y);
    std::memcpy(Bytes + 12, Record.Carried, sizeof Record.Carried);
}
