#include "scan/model/DataTypes.h"

#include "framework/LittleEndianBytes.h"

void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes)
{
    le::PutF32(Bytes, Record.Value);
    le::PutF32(Bytes + 4, Record.X);
    le::PutF32(Bytes + 8, Record.Y);
    std::memcpy(Bytes + 12, Record.Carried, sizeof Record.Carried);
}
