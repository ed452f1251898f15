#include "app/MenuStates.h"

bool MenuConditionHolds(TMenuCondition Condition, const TMenuStateInput& Input)
{
    const bool Plain = Input.HasRenderer && Input.ScanMode == 0;
    using enum TMenuCondition;
    switch (Condition) {
    case Always: return true;
    case Never: return false;
    case HasScan: return Input.HasScan;
    case PlainScan: return Plain && Input.HasScan;
    case ChartFile: return Input.FileContent == 1;
    case DepthControls: return Input.DepthControlsEnabled && Input.HasScan && Plain;
    case Restorable: return Input.HasScan && Input.HasSnapshot;
    case Edited: return Input.Edited && Input.HasSnapshot;
    }
    return false;
}
