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

// A square scan of Size x Size points of the program's own kind for the benchmarks: a hill
// with ripples on it, stored column by column ("DMO.L3D.01", project "Benchmark", the preset
// views).
TScanFileSource MakeSquareScan(int Size);
// The same scan without its points (everything a file holds before them), and its point at
// Column, Row, for writers that stream the points rather than hold them.
TScanFileSource SquareScanHeader(int Size);
TScanRecord SquareScanPoint(int Size, int Column, int Row);
