// The data-tables file "Lorvane3D.dat": device profiles, soil types and measuring units.
//
// Layout (little-endian; AStr/WStr are stream strings):
//   u16 N, N device profiles:  AStr Name; u8 TransferMask; u8 OperatingModeMask;
//       u8 ScanModeMask; AStr ImpulseChoices; u8 Transfer; u8 OperatingMode; u8 ScanMode;
//       i32 Impulses; u16 Extra1; u8 Extra2; u8 Extra3; u8 Extra4; u16 Extra5
//   u16 S, S soil types:       WStr Name; f32 Factor; 4 bytes Value2
//   u16 U, U measuring units:  WStr Name; f32 Value; WStr Suffix
// The program only reads the file; the writers serve the tool that makes it.
#pragma once

#include "framework/Objects.h"
#include "framework/Streams.h"

#include <cstdint>
#include <string>
#include <vector>

class TMessageSink;

// What a device offers: TransferMask 1 radio, 2 cable, 4 Bluetooth; OperatingModeMask
// 1 ground scan, 2 discrimination, 4 live horizontal, 8 live ultrasound, 16 GPS,
// 32 geo-electrical; ScanModeMask 1 zig-zag, 2 parallel; ImpulseChoices ";"-separated.
struct TGlobalDeviceSettings {
    uint8_t TransferMask = 0;
    uint8_t OperatingModeMask = 0;
    uint8_t ScanModeMask = 0;
    std::string ImpulseChoices;
    bool operator==(const TGlobalDeviceSettings&) const = default;
};

// The user's choices for a device; kept in the settings file. Port is not in the data file.
struct TGlobalDeviceUser {
    uint8_t Transfer = 0;
    uint8_t OperatingMode = 0;
    uint8_t ScanMode = 0; // 0 zig-zag, 1 parallel
    int32_t Impulses = 0;
    std::string Port;
    bool operator==(const TGlobalDeviceUser&) const = default;
};

struct TGlobalDevice {
    std::string Name;
    TGlobalDeviceSettings Settings;
    TGlobalDeviceUser User;
    uint16_t Extra1 = 0;
    uint8_t Extra2 = 0;
    uint8_t Extra3 = 0;
    uint8_t Extra4 = 0;
    uint16_t Extra5 = 0;
    bool operator==(const TGlobalDevice&) const = default;
};

struct TSoil {
    std::u16string Name;
    float Factor = 0; // handed to the scan model as its soil factor
    uint32_t Value2 = 0;
    bool operator==(const TSoil&) const = default;
};

struct TMeasureUnit {
    std::u16string Name;
    float Value = 0; // lengths are divided by it
    std::u16string Suffix;
    bool operator==(const TMeasureUnit&) const = default;
};

// Readers and writers of one record each. A reader returns true when the whole record was
// read; on a short read the record holds what was read before the data ended. A nil stream
// does nothing (and reads nothing).
class TL3D_Filer : public TPersistent {
public:
    const char* ClassName() const override { return "TL3D_Filer"; }

    bool ReadDevice(TStream* Stream, TGlobalDevice& Device);
    bool ReadSoil(TStream* Stream, TSoil& Soil);
    bool ReadMeasureUnit(TStream* Stream, TMeasureUnit& MeasureUnit);

    bool WriteDevice(TStream* Stream, const TGlobalDevice& Device);
    bool WriteSoil(TStream* Stream, const TSoil& Soil);
    bool WriteMeasureUnit(TStream* Stream, const TMeasureUnit& MeasureUnit);
};

// The three tables of one file.
struct TDataTables {
    std::vector<TGlobalDevice> Devices;
    std::vector<TSoil> SoilTypes;
    std::vector<TMeasureUnit> MeasureUnits;
};

// Reads the three tables in file order. Each table keeps its complete records only: a count
// larger than the data can hold, or a record cut short, ends the reading there (the tables
// after it stay empty). Returns true when every count was satisfied.
bool ReadDataTables(TStream& Stream, TDataTables& Tables);
// Returns false when a table has more than 65535 records or the stream refuses a write.
bool WriteDataTables(TStream& Stream, const TDataTables& Tables);

enum class TDataTablesResult { Loaded, Damaged, Missing };

// Loads the data-tables file as the program does at start: soil names are not taken from the
// file (the language supplies them), a soil factor that is not above 0 becomes 3.0 and a unit
// value of 0 (or not a number) becomes 1.0, since both are divisors later. A damaged file
// keeps what was sound and is reported through Sink as "Damaged file: " and the quoted name;
// a missing file is only returned (the caller reports it and ends the program).
TDataTablesResult LoadDataTablesFile(const std::u16string& FileName, TDataTables& Tables,
                                     TMessageSink& Sink);
