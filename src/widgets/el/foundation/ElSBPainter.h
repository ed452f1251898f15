// Painting of a replacement scroll bar. The bar hands its pieces (TElSBPaintPart, with their
// states) one by one to a painter; the classic painter draws them with fills and lines on any
// IDrawSurface. A themed painter, which needs the system's theme, implements the same
// interface on the Windows side.
#pragma once

#include "widgets/el/foundation/ElColorMath.h"
#include "widgets/el/foundation/ElSBHandler.h"

#include "framework/DrawSurface.h"

class IElScrollBarPainter {
public:
    virtual ~IElScrollBarPainter() = default;
    virtual void PaintPart(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface) = 0;
};

// The non-themed look: buttons filled with the bar's Color, framed (3D, thin or flat) and
// carrying an arrow glyph; a thumb with grip lines; page areas in the track background.
class TElSBClassicPainter : public IElScrollBarPainter {
public:
    void PaintPart(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface) override;
};

// The lighter and darker shades of a bar's Color (whose plain value is Resolved): the system's
// highlight and shadow for clBtnFace, otherwise its lightness raised or lowered by a quarter.
TColor SBLightShade(TColor Color, TColor Resolved);
TColor SBDarkShade(TColor Color, TColor Resolved);

// Fills R with a checkerboard: pixel (x, y) in Odd where x + y is odd, in Even where it is even
// (coordinates of the surface, so that neighbouring areas line up).
void FillCheckerboard(IDrawSurface& Surface, const TRect& R, TColor Odd, TColor Even);

// One-pixel lines on the four sides of R: left and top in TopLeft, right and bottom in
// BottomRight (which owns the two corners where they meet). Returns R shrunk by one pixel.
TRect DrawBevelRing(IDrawSurface& Surface, const TRect& R, TColor TopLeft, TColor BottomRight);

// A button frame in the shades of Colors: raised (two rings), sunken when Pressed, one ring when
// Thin.
void DrawSBButtonFrame(IDrawSurface& Surface, const TRect& R, bool Pressed, bool Thin, const TElEdgeColors& Colors);
