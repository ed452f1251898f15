#include "scan/files/_TL3D_Filer.h"

#include <cmath>

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

// The smallest record of each table: every string empty. A count is believed only as far
// as the bytes left could hold that many records.
constexpr int64_t MinDeviceBytes = 4 + 3 + 4 + 3 + 4 + 2 + 3 + 2;
constexpr int64_t MinSoilBytes = 4 + 4 + 4;
constexpr int64_t MinUnitBytes = 4 + 4 + 4;

bool CountFits(TStream& Stream, uint16_t Count, int64_t MinBytes)
{
    return static_cast<int64_t>(Count) * MinBytes <= le::BytesLeft(Stream);
}

// Reads Count records with Read into Table, stopping at the first incomplete one; true when
// all Count were read.
template <class T, class ReadFn>
bool ReadTable(TStream& Stream, uint16_t Count, int64_t MinBytes, std::vector<T>& Table, ReadFn Read)
{
    const bool Fits = CountFits(Stream, Count, MinBytes);
    Table.clear();
    Table.reserve(Fits ? Count : static_cast<size_t>(le::BytesLeft(Stream) / MinBytes));
    for (uint16_t i = 0; i < Count; ++i) {
        T Record;
        if (!Read(Record))
            return false;
        Table.push_back(std::move(Record));
    }
    return Fits;
}

} // namespace

bool TL3D_Filer::ReadDevice(TStream* Stream, TGlobalDevice& Device)
{
    if (Stream == nullptr)
        return false;
    TStream& S = *Stream;
    return ReadStringFromStream(S, Device.Name) && le::ReadU8(S, Device.Settings.TransferMask) &&
           le::ReadU8(S, Device.Settings.OperatingModeMask) && le::ReadU8(S, Device.Settings.ScanModeMask) &&
           ReadStringFromStream(S, Device.Settings.ImpulseChoices) && le::ReadU8(S, Device.User.Transfer) &&
           le::ReadU8(S, Device.User.OperatingMode) && le::ReadU8(S, Device.User.ScanMode) &&
           le::ReadI32(S, Device.User.Impulses) && le::ReadU16(S, Device.Extra1) && le::ReadU8(S, Device.Extra2) &&
           le::ReadU8(S, Device.Extra3) && le::ReadU8(S, Device.Extra4) && le::ReadU16(S, Device.Extra5);
}

bool TL3D_Filer::ReadSoil(TStream* Stream, TSoil& Soil)
{
    if (Stream == nullptr)
        return false;
    return ReadWideStringFromStream(*Stream, Soil.Name) && le::ReadF32(*Stream, Soil.Factor) &&
           le::ReadU32(*Stream, Soil.Value2);
}

bool TL3D_Filer::ReadMeasureUnit(TStream* Stream, TMeasureUnit& MeasureUnit)
{
    if (Stream == nullptr)
        return false;
    return ReadWideStringFromStream(*Stream, MeasureUnit.Name) && le::ReadF32(*Stream, MeasureUnit.Value) &&
           ReadWideStringFromStream(*Stream, MeasureUnit.Suffix);
}

bool TL3D_Filer::WriteDevice(TStream* Stream, const TGlobalDevice& Device)
{
    if (Stream == nullptr)
        return false;
    TStream& S = *Stream;
    return WriteStringToStream(S, Device.Name) && le::WriteU8(S, Device.Settings.TransferMask) &&
           le::WriteU8(S, Device.Settings.OperatingModeMask) && le::WriteU8(S, Device.Settings.ScanModeMask) &&
           WriteStringToStream(S, Device.Settings.ImpulseChoices) && le::WriteU8(S, Device.User.Transfer) &&
           le::WriteU8(S, Device.User.OperatingMode) && le::WriteU8(S, Device.User.ScanMode) &&
           le::WriteI32(S, Device.User.Impulses) && le::WriteU16(S, Device.Extra1) && le::WriteU8(S, Device.Extra2) &&
           le::WriteU8(S, Device.Extra3) && le::WriteU8(S, Device.Extra4) && le::WriteU16(S, Device.Extra5);
}

bool TL3D_Filer::WriteSoil(TStream* Stream, const TSoil& Soil)
{
    if (Stream == nullptr)
        return false;
    return WriteWideStringToStream(*Stream, Soil.Name) && le::WriteF32(*Stream, Soil.Factor) &&
           le::WriteU32(*Stream, Soil.Value2);
}

bool TL3D_Filer::WriteMeasureUnit(TStream* Stream, const TMeasureUnit& MeasureUnit)
{
    if (Stream == nullptr)
        return false;
    return WriteWideStringToStream(*Stream, MeasureUnit.Name) && le::WriteF32(*Stream, MeasureUnit.Value) &&
           WriteWideStringToStream(*Stream, MeasureUnit.Suffix);
}

bool ReadDataTables(TStream& Stream, TDataTables& Tables)
{
    TL3D_Filer Filer;
    Tables = TDataTables{};
    uint16_t Count = 0;
    if (!le::ReadU16(Stream, Count) ||
        !ReadTable(Stream, Count, MinDeviceBytes, Tables.Devices,
                   [&](TGlobalDevice& D) { return Filer.ReadDevice(&Stream, D); }))
        return false;
    if (!le::ReadU16(Stream, Count) ||
        !ReadTable(Stream, Count, MinSoilBytes, Tables.SoilTypes,
                   [&](TSoil& S) { return Filer.ReadSoil(&Stream, S); }))
        return false;
    return le::ReadU16(Stream, Count) &&
           ReadTable(Stream, Count, MinUnitBytes, Tables.MeasureUnits,
                     [&](TMeasureUnit& U) { return Filer.ReadMeasureUnit(&Stream, U); });
}

bool WriteDataTables(TStream& Stream, const TDataTables& Tables)
{
    if (Tables.Devices.size() > 0xFFFF || Tables.SoilTypes.size() > 0xFFFF || Tables.MeasureUnits.size() > 0xFFFF)
        return false;
    TL3D_Filer Filer;
    bool Ok = le::WriteU16(Stream, static_cast<uint16_t>(Tables.Devices.size()));
    for (const TGlobalDevice& D : Tables.Devices)
        Ok = Ok && Filer.WriteDevice(&Stream, D);
    Ok = Ok && le::WriteU16(Stream, static_cast<uint16_t>(Tables.SoilTypes.size()));
    for (const TSoil& S : Tables.SoilTypes)
        Ok = Ok && Filer.WriteSoil(&Stream, S);
    Ok = Ok && le::WriteU16(Stream, static_cast<uint16_t>(Tables.MeasureUnits.size()));
    for (const TMeasureUnit& U : Tables.MeasureUnits)
        Ok = Ok && Filer.WriteMeasureUnit(&Stream, U);
    return Ok;
}

TDataTablesResult LoadDataTablesFile(const std::u16string& FileName, TDataTables& Tables, TMessageSink& Sink)
{
    Tables = TDataTables{};
    if (!FileExists(FileName))
        return TDataTablesResult::Missing;
    bool Sound = false;
    try {
        // Deny-write sharing: a second instance of the program may read the file at once.
        TElFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
        Sound = ReadDataTables(Stream, Tables);
    } catch (const Exception&) {
        Sound = false;
    }
    for (TSoil& Soil : Tables.SoilTypes) {
        Soil.Name.clear();
        if (!(Soil.Factor > 0.0f) || std::isinf(Soil.Factor))
            Soil.Factor = 3.0f;
    }
    for (TMeasureUnit& Unit : Tables.MeasureUnits) {
        if (Unit.Value == 0.0f || std::isnan(Unit.Value))
            Unit.Value = 1.0f;
    }
    if (Sound)
        return TDataTablesResult::Loaded;
    Sink.ShowErrorBox(u"Damaged file: \"" + FileName + u"\"");
    return TDataTablesResult::Damaged;
}
