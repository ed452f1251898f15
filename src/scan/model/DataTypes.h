// Records shared by the scan model, the scan files, the renderer and the main window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "framework/LittleEndianBytes.h"

// One measured point as scan files store it and as the receive protocol takes it.
// In a file it is 36 bytes, little-endian: Value, X, Y as Singles, then the carried bytes.
struct TScanRecord {
    float Value = 0.0f;  // NaN marks a missing reading
    float X = 0.0f;      // replaced by the grid column when the point is inserted
    float Y = 0.0f;      // replaced by the grid row when the point is inserted
    // Copied unchanged into the point; TNW scans keep a Double (the file offset of the
    // point's sample block) in the first 8 bytes.
    uint8_t Carried[24] = {};
};

constexpr size_t ScanRecordSize = 36;

// Decodes the record held by exactly these bytes.
inline void DecodeScanRecord(std::span<const uint8_t, ScanRecordSize> Bytes, TScanRecord& Record)
{
    Record.Value = le::F32At(Bytes.data());
    Record.X = le::F32At(Bytes.data() + 4);
    Record.Y = le::F32At(Bytes.data() + 8);
    std::memcpy(Record.Carried, Bytes.data() + 12, sizeof Record.Carried);
}

// Encodes one record into ScanRecordSize bytes.
void WriteScanRecord(const TScanRecord& Record, uint8_t* Bytes);

// Camera records: four Singles each, W is not read.
struct TVector4 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
    float W = 0.0f;
};

inline TVector4 MakeVector(float X, float Y, float Z) { return TVector4{X, Y, Z, 0.0f}; }

// Translation, rotation (degrees) and scale of one view; 48 bytes in a scan file.
struct TViewState {
    TVector4 Translation;
    TVector4 Rotation;
    TVector4 Scale;
};

// The characteristics of a scan, stored in scan files and edited in the characteristics dialog.
struct TRemarksRec_L3D_3 {
    double Date = 0.0;  // TDateTime: days since 30 December 1899, fraction = time of day
    std::u16string Project;
    std::u16string Notes;
    float FieldLength = 0.0f;
    float FieldWidth = 0.0f;
    int32_t SoilType = 0;  // index into the soil table
};
