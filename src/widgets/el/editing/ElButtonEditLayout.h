// Where a button edit's buttons go: at the right of its client area, full height, each with its
// own width, placed from the right edge leftwards; the text area ends before the leftmost
// visible one. With both buttons visible the alternative button sits left of the main one when
// its position is "right" (the default), right of it otherwise; a hidden button takes no room,
// so with the main button hidden the alternative one is at the right edge. Portable.
#pragma once

#include "framework/Types.h"

#include <cstdint>

struct TElEditButtonSpec {
    bool Visible = true;
    // -1: the system's width of a vertical scroll bar; other negative widths take no room.
    int32_t Width = -1;
};

struct TElButtonEditParts {
    TRect EditRect;
    TRect Button;     // empty when hidden
    TRect AltButton;  // empty when hidden
};

// AltLeftOfMain: the alternative button's position is "right" (taRightJustify).
TElButtonEditParts LayoutButtonEdit(const TRect& Client, const TElEditButtonSpec& Button,
                                    const TElEditButtonSpec& AltButton, bool AltLeftOfMain, int32_t SystemWidth);

// A button's width as given: -1 is the system width, other negatives 0.
int32_t EditButtonWidth(int32_t Width, int32_t SystemWidth);
