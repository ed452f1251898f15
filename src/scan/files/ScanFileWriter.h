// The scan-file format, write side (layout in ScanFile.h). The example-scan generator and
// the tests build their files with it.
#pragma once

#include "scan/files/ScanFile.h"

#include <vector>

struct TTNWPointEntry {
    float Value = 0.0f;
    std::vector<float> Samples;  // at most 65535
};

struct TScanFileSource {
    TScanFileKind Kind = TScanFileKind::L3DDemo;
    std::array<uint8_t, ScanFileHeaderSize> Header{};
    // The scan block's fields; its other bytes are written as 0.
    uint8_t ScanMode = 0;
    int32_t LinesPerBlock = 0;
    int32_t Count = 0;
    uint8_t Reverse = 0;
    TViewStates ViewStates{};
    TRemarksRec_L3D_3 Remarks;
    std::vector<TScanRecord> Records;      // the L3D kinds
    uint16_t SampleDivisor = 1;            // the TNW kinds: bytes 2-3 of the area's lead
    std::vector<TTNWPointEntry> TNWPoints; // the TNW kinds
};

const char* MagicOf(TScanFileKind Kind);

// Writes the whole file from the stream's position; false when a write fails.
bool WriteScanFile(TStream& Stream, const TScanFileSource& Source);
