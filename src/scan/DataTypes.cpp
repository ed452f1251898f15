#include "scan/DataTypes.h"

namespace {

float ReadSingle(const uint8_t* p)
{
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void WriteSingle(float value, uint8_t* p)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(bits >> (8 * i));
}

}  // namespace

TScanRecord ReadScanRecord(const uint8_t* Bytes)
{
    TScanRecord record;
    record.Value = ReadSingle(Bytes);
    record.X = ReadSingle(Bytes + 4);
    record.Y = ReadSingle(Bytes + 8);
    std::memcpy(record.Carried, Bytes + 12, sizeof record.Carried);
    return record;
}

void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes)
{
    WriteSingle(Record.Value, Bytes);
    WriteSingle(Record.X, Bytes + 4);
    WriteSingle(Record.Y, Bytes + 8);
    std::memcpy(Bytes + 12, Record.Carried, sizeof Record.Carried);
}
