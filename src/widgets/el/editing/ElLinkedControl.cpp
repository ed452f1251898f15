#include "widgets/el/editing/ElLinkedControl.h"

TPoint LinkedControlOrigin(const TRect& Bounds, TSize Size, TElLinkCtlPos Pos, int32_t Spacing)
{
    const int32_t left = Bounds.Left - Spacing - Size.cx;
    const int32_t right = Bounds.Right + Spacing;
    const int32_t above = Bounds.Top - Spacing - Size.cy;
    const int32_t below = Bounds.Bottom + Spacing;
    const int32_t middleX = Bounds.Left + (Bounds.Width() - Size.cx) / 2;
    const int32_t middleY = Bounds.Top + (Bounds.Height() - Size.cy) / 2;
    switch (Pos) {
    case lcpLeftTop: return {left, Bounds.Top};
    case lcpLeftBottom: return {left, Bounds.Bottom - Size.cy};
    case lcpLeftCenter: return {left, middleY};
    case lcpTopLeft: return {Bounds.Left, above};
    case lcpTopRight: return {Bounds.Right - Size.cx, above};
    case lcpTopCenter: return {middleX, above};
    case lcpRightTop: return {right, Bounds.Top};
    case lcpRightBottom: return {right, Bounds.Bottom - Size.cy};
    case lcpRightCenter: return {right, middleY};
    case lcpBottomLeft: return {Bounds.Left, below};
    case lcpBottomRight: return {Bounds.Right - Size.cx, below};
    case lcpBottomCenter: return {middleX, below};
    }
    return {Bounds.Left, above};
}
