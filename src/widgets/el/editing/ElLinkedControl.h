// Where a control linked to an edit (a caption beside it, say) goes: at one side or corner of
// the edit, Spacing pixels away from it. Portable arithmetic in the parent's coordinates.
#pragma once

#include "framework/Types.h"

#include <cstdint>

// Side first, then which edges line up: lcpLeftTop sits left of the edit with the tops aligned,
// lcpTopRight above it with the right edges aligned, the Center values centred on that side.
enum TElLinkCtlPos : uint8_t {
    lcpLeftTop, lcpLeftBottom, lcpLeftCenter, lcpTopLeft, lcpTopRight, lcpTopCenter,
    lcpRightTop, lcpRightBottom, lcpRightCenter, lcpBottomLeft, lcpBottomRight, lcpBottomCenter,
};

// The top-left corner of a linked control of Size placed at Pos beside the edit's Bounds.
TPoint LinkedControlOrigin(const TRect& Bounds, TSize Size, TElLinkCtlPos Pos, int32_t Spacing);
