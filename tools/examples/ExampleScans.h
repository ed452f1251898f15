// The example scans that the program lists under its Examples menu. Each is built from a
// field function, deterministically, so that tests can rebuild the expected values.
#pragma once

#include "scan/files/ScanFileWriter.h"

#include <string>
#include <vector>

struct TExampleScan {
    std::string FileName;  // the name in the Examples folder
    TScanFileSource Source;
    int32_t Columns = 0;   // grid size after loading
    int32_t Rows = 0;
    // Expected value at column c, row r: Values[r * Columns + c] (NaN for a missing reading).
    std::vector<float> Values;
};

// The view presets of the View menu: main and Top looking down, Front turned -90 degrees
// about X, Perspective turned -45 degrees about X and Z; no translation, scale 1.
TViewStates ExamplePresetViews();

// A field of 30 columns by 40 lines, zig-zag: a metal object and a cavity in a noisy
// background, with a few missing readings ("DMO.L3D.01").
TExampleScan MakeFieldExample();
// A Tarnwell sample scan whose points carry 100 samples each, with energy peaks between
// 4 Hz and 21 Hz ("DMO.TNW.01").
TExampleScan MakeTarnwellSampleExample();
// A Tarnwell scan of the device's own kind, named *.dmo so that the Examples menu reaches the
// frequency-energy chart ("TNW.TNW.01").
TExampleScan MakeTarnwellScanExample();

std::vector<TExampleScan> AllExampleScans();

// The values of the benchmarks' square scans.
enum class TSquareField {
    Hill,      // a hill with ripples on it
    SawTooth,  // (7 * column + 3 * row) mod 101: the colour band changes from point to point
    Noise,     // uniformly random from 0 to 100, the extreme of noisy data
};

// A square scan of Size x Size points for the benchmarks, stored column by column, of the
// program's own kind ("DMO.L3D.01", project "Benchmark", the preset views).
TScanFileSource MakeSquareScan(int Size);
// The same scan without its points (everything a file holds before them) in a sample kind,
// and its point at Column, Row, for writers that stream the points rather than hold them.
TScanFileSource SquareScanHeader(int Size, TScanFileKind Kind = TScanFileKind::L3DDemo);
TScanRecord SquareScanPoint(int Size, int Column, int Row, TSquareField Field = TSquareField::Hill);
// The whole file of a square scan of Field in Kind ("DMO.L3D.01" or "DMO.TNW.01", the latter
// without samples), written a column at a time: even 3000 x 3000 points take little memory.
// False when a write failed.
bool WriteSquareScan(TStream& Stream, int Size, TSquareField Field, TScanFileKind Kind);
