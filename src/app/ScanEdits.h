// Edits of the loaded scan that the Image menu, the palette buttons and a hidden key run:
// filling invalid points with a mean, hiding colour bands, and halving every value.
#pragma once

#include <cstdint>

class TScanData;
class TColorManager;

// The running pairwise mean of the valid points in row order: the first valid value, then for
// each further one the mean of it and the mean so far (later points weigh more). NaN when the
// scan has no valid point.
float RunningPairMean(TScanData& Scan);

// Remove dummy values: every invalid point takes the running pairwise mean as its value and
// drawn value, and stays invalid only when that mean is NaN; then the statistics are computed
// again and the scan marked changed. The caller sets the renderer's rebuild flag.
void RemoveDummies(TScanData& Scan);

// A value halved the hidden way: to the nearest whole number (ties to even), then divided by 2
// with the fraction dropped. NaN and infinite values stay as they are; nothing overflows.
float HalvedValue(float Value);
// Every point's value halved; the scan is marked changed.
void HalveScanValues(TScanData& Scan);

// The three palette buttons: a colour band is drawn while its button is down.
struct TPaletteBands {
    bool Blue = true;
    bool Green = true;
    bool Red = true;
};
// Each stop's Enabled from the button of its colour group; stops of no group stay enabled.
void ApplyPaletteBands(TColorManager& Colors, const TPaletteBands& Bands);
// Derives Enabled again after every rebuild of the stops, so that a hidden band stays hidden
// however the stops move. Bands must outlive the colour manager's use of it.
void KeepPaletteBands(TColorManager& Colors, const TPaletteBands& Bands);
