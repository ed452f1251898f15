// Where the buttons, the track and the thumb of a scroll bar lie, which part a point hits, and
// how the thumb's pixel offset and the position map onto each other. Coordinates are the bar's
// own: "along" runs from the first arrow to the last, "across" over the thickness.
//
// Invariants of a layout: 0 <= ButtonSize * (FirstButtons + LastButtons) <= Length, and
// ThumbLength is 0 (no thumb) or lies in [1, Track()].
#pragma once

#include "widgets/el/foundation/ElSBRange.h"
#include "widgets/el/foundation/ElSBTypes.h"

#include "framework/Types.h"

#include <cstdint>

// What the layout needs of the bar's styles and the system.
struct TElSBMetrics {
    int32_t Length = 0;
    int32_t Thickness = 0;
    int32_t ButtonSize = 0;        // the requested size (stored, or the system's arrow metric)
    bool ShowFirstArrows = true;
    bool ShowLastArrows = true;
    bool SecondaryButtons = false;
    TElScrollThumbMode ThumbMode = etmAuto;
    int32_t FixedThumbSize = 0;    // the thumb of etmFixed
    int32_t SystemThumbSize = 0;   // the thumb of a bar without a page
    int32_t MinThumbSize = 0;
};

struct TElSBLayout {
    int32_t Length = 0;
    int32_t Thickness = 0;
    int32_t ButtonSize = 0;        // effective: shrunk so that all buttons fit
    int32_t FirstButtons = 0;      // 0, 1 or 2 buttons before the track
    int32_t LastButtons = 0;       // and after it
    int32_t ThumbLength = 0;
    bool Vertical = false;

    int32_t TrackStart() const { return ButtonSize * FirstButtons; }
    int32_t TrackEnd() const { return Length - ButtonSize * LastButtons; }
    int32_t Track() const { return TrackEnd() - TrackStart(); }
    // Pixels the thumb can travel.
    int32_t Travel() const { return Track() - ThumbLength; }
    // The rectangle in bar coordinates of the band [From, To) along the bar.
    TRect Band(int32_t From, int32_t To) const;
};

TElSBLayout ComputeSBLayout(const TElSBMetrics& Metrics, const TElSBRange& Range, bool Vertical);

// Thumb offset (from the bar's start) that shows Range.Position.
int32_t PositionToThumbOffset(const TElSBLayout& Layout, const TElSBRange& Range);
// Position a thumb at ThumbOffset shows, always within [Min, MaxPosition()].
int32_t ThumbOffsetToPosition(const TElSBLayout& Layout, const TElSBRange& Range, int32_t ThumbOffset);

// The part at (Along, Across): each pixel of the bar hits the part painted over it; points
// outside the bar, and a track without a thumb, hit none.
TElSBPart HitTestSB(const TElSBLayout& Layout, const TElSBMetrics& Metrics, int32_t ThumbOffset, int32_t Along,
                    int32_t Across);

// The painted rectangle of a part (empty when the bar has none).
TRect SBPartRect(const TElSBLayout& Layout, const TElSBMetrics& Metrics, int32_t ThumbOffset, TElSBPart Part);

// The top-left corner, in screen coordinates, of a track hint of HintSize shown at Offset from
// the bar's top-left (BarOrigin): above a horizontal bar with its bottom at the offset, left of
// a vertical one with its right edge there; then moved inside Desktop.
TPoint PlaceTrackHint(bool Vertical, TPoint BarOrigin, TPoint Offset, TSize HintSize, const TRect& Desktop);
