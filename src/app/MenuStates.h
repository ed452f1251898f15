// Which commands of the main window are enabled, by the loaded scan, as data: each element of
// the menus, tool bars and navigator with the condition that enables it. The form walks the
// rules and sets each element's enabled state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

struct TMenuStateRule {
    const char* Element;
    TMenuCondition Condition;
};

const std::vector<TMenuStateRule>& MenuStateRules();

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

struct TElementState {
    std::string Element;
    bool Enabled;
};
// Every rule evaluated, in rule order.
std::vector<TElementState> ComputeMenuStates(const TMenuStateInput& Input);
