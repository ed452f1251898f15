// How a list box row is painted: where its image, check box and text go, and which colours
// its background and text take in the focused and unfocused box. Portable.
#pragma once

#include "framework/Colors.h"
#include "framework/Types.h"

#include <cstdint>

struct TElListItemGeometry {
    TSize Image;     // 0 x 0: no image
    TSize CheckBox;  // 0 x 0: no check box
    // The parts line up from the right edge instead of the left.
    bool RightToLeft = false;
};

struct TElListItemParts {
    TRect Image;     // empty without an image
    TRect CheckBox;  // empty without a check box
    TRect Text;
};

// From the leading edge: the image 1 pixel in (centred vertically) and 3 pixels of space after
// it, the check box 2 pixels further (centred) and 3 after it, the text 2 pixels further.
TElListItemParts LayoutListItem(const TRect& Item, const TElListItemGeometry& Geometry);

// The box's colour settings.
struct TElListColors {
    TColor Color = clWindow;
    TColor FontColor = clWindowText;
    TColor FocusedSelectColor = clHighlight;
    TColor FocusedSelectTextColor = clHighlightText;
    TColor HideSelectColor = clBtnFace;
    TColor HideSelectTextColor = clBtnShadow;
    bool HideSelection = true;
    bool InvertSelection = false;
    bool TransparentSelection = false;
    bool UseSelectedFont = false;
};

struct TElListItemLook {
    // The row shows the box's background (image, parent, tiles or Color).
    bool Background = true;
    // ... filled with Color where nothing else paints it.
    bool FillColor = true;
    // The selection's fill; clNone when the row is not filled as selected.
    TColor SelectionFill = clNone;
    // The text in the selected font (with its own colour) instead of Text.
    bool SelectedFont = false;
    TColor Text = clWindowText;
    // The row is inverted before its text is drawn.
    bool Invert = false;
};

TElListItemLook ListItemLook(const TElListColors& Colors, bool Selected, bool Focused);
