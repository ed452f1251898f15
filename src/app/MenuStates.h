// When a command of the main window is enabled, by the loaded scan: each command's row in the
// command table (CommandTable.h) names one of these conditions, and UpdateMenuStates sets its
// elements' enabled states by it.
#pragma once

#include <cstdint>

enum class TMenuCondition : uint8_t {
    Always,
    Never,
    HasScan,        // a scan is loaded
    PlainScan,      // a scan is loaded, a renderer exists and the scan's mode byte is 0
    ChartFile,      // the file is of a Tarnwell kind (its sample blocks can be charted)
    DepthControls,  // depth controls are on for the file's kind, on a plain scan
    Restorable,     // a scan is loaded and its undo snapshot was written
    Edited,         // an edit command changed the scan since it was opened, and it can be undone
};

struct TMenuStateInput {
    bool HasScan = false;
    bool HasRenderer = false;
    uint8_t ScanMode = 0;
    uint16_t FileContent = 0;
    bool DepthControlsEnabled = false;
    bool Edited = false;
    // The scan has its undo snapshot (one that could not be written leaves undo off).
    bool HasSnapshot = true;
};

bool MenuConditionHolds(TMenuCondition Condition, const TMenuStateInput& Input);
