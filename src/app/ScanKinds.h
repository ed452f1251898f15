// How the main window sets itself up for the kind of scan file it opened, the window caption
// of a loaded file, and the repair of view states and remarks that a file brings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scan/files/ScanFile.h"

struct TSoil;

// By the file's magic: Tarnwell kinds turn the depth controls off and colour by scheme 2; the
// four kinds that store view states keep them, any other kind gets the preset views.
struct TScanKindRule {
    bool DepthControls = true;
    uint8_t ColorScheme = 0;
    bool KeepViews = false;
};
TScanKindRule ScanKindRuleOf(const std::string& Magic);

// Mode bytes 1, 2 and 3: the line diagram, the top and the side view. Such a scan is drawn
// flat, and neither New nor closing the window asks about its unsaved changes.
bool IsFlatScanMode(uint8_t ScanMode);

// "TNW 0.1" and "TNW.TNW.01": the kinds whose points can be charted.
bool IsChartMagic(const std::string& Magic);

// "Lorvane 3D - <project> ( "<name>" )", or "Lorvane 3D - "<name>"" without a project, with
// the file-name part of FileName.
std::u16string WindowCaptionText(const std::u16string& Project, const std::u16string& FileName);

// A view state whose scale is 0 in an axis, or that holds a value that is not finite, would
// make the projection degenerate: such a slot gets its preset. True when any slot changed.
bool RepairViewStates(TViewStates& Views);

// The soil index a file names, when the soil box holds it: 0 <= Index < ComboCount.
std::optional<int32_t> SoilIndexForOpen(int32_t Index, int32_t ComboCount);
// The soil factor of the table entry at Index, when there is one.
std::optional<float> SoilFactorAt(int32_t Index, const std::vector<TSoil>& SoilTypes);

// A field size from a file for the renderer: NaN, infinite or negative sizes count as 0 (not
// given), so that no size of a previous scan stays in force.
float FieldSizeOfFile(float Size);
