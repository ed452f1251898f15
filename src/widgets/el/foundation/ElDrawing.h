// The painting routines shared by the widget layer's controls: colours with system colours
// resolved, gradients, 3D and flat frames, edges, arrows, dotted rectangles, transparent and
// alpha-blended copies, wide text, flat standard scroll bars, and the desktop's areas.
#pragma once

#include "widgets/el/foundation/ElColorMath.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Components.h"
#include "framework/Controls.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TForm;

enum TElBorderSide : uint8_t { ebsLeft, ebsRight, ebsTop, ebsBottom };
using TElBorderSides = uint8_t;  // bit (1 << TElBorderSide)
constexpr TElBorderSides AllBorderSides = 0x0F;

enum TElFlatBorderType : uint8_t {
    fbtFlat, fbtSunken, fbtSunkenInner, fbtSunkenOuter, fbtRaised, fbtRaisedInner, fbtRaisedOuter,
    fbtBump, fbtBigBump, fbtEtched, fbtFramed, fbtLine, fbtLineBorder, fbtNone, fbtColorLineBorder,
};

enum TElTextDrawType : uint8_t { tdtNormal, tdtShadowed, tdtRaised };

// ---- Colours (system colours resolved first)
uint8_t GetRedValue(TColor Color);
uint8_t GetGreenValue(TColor Color);
uint8_t GetBlueValue(TColor Color);
TColor LightenColor(TColor Color, uint8_t Percent);
TColor ScaleColor(TColor Color, uint8_t Percent);
uint32_t ColorToHLS(TColor Color);

// ---- Desktop
void GetDesktopRect(TRect& R);
void GetWorkArea(TRect& R);
int32_t GetWorkAreaRight();
int32_t GetWorkAreaBottom();

// ---- Fills and lines
// Fills R with Color through ExtTextOut(ETO_OPAQUE); the DC's background colour is restored.
void FillSolidRect(HDC DC, const TRect& R, TColor Color);
// Steps bands from StartColor to EndColor, top to bottom (Vertical) or left to right.
void GradientFillRect(HDC DC, const TRect& R, TColor StartColor, TColor EndColor, int32_t Steps, bool Vertical);
// Edge masks of Draw3DRect and DrawBevelLines.
constexpr uint32_t emLeft = 1, emRight = 2, emTop = 4, emBottom = 8, emAll = 15;
// One-pixel lines on the sides of Mask: left and top in TopLeft, right and bottom in BottomRight.
void Draw3DRect(HDC DC, int32_t X, int32_t Y, int32_t Width, int32_t Height, uint32_t Mask, TColor TopLeft,
                TColor BottomRight);
void Draw3DRectSys(HDC DC, int32_t X, int32_t Y, int32_t Width, int32_t Height, uint32_t Mask, int TopLeftIndex,
                   int BottomRightIndex);
// Lines on the sides of Mask; returns R shrunk by one pixel on each drawn side.
TRect DrawBevelLines(HDC DC, const TRect& R, uint32_t Mask, TColor Color1, TColor Color2);
// A dotted outline in the canvas's pen colour: every other pixel, the phase fixed by the
// coordinates' parity (so that adjacent outlines line up).
void DrawDottedRect(TCanvas* Canvas, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);

// ---- Edges and frames
// The shades of a button of BaseColor: the system colours for clBtnFace (and black), otherwise
// the base colour's hue and saturation at three lightnesses.
TElEdgeColors ButtonShades(TColor BaseColor);
// DrawEdge's contract (BDR_* edges, BF_* flags) with one-pixel lines of the given colours;
// BF_DIAGONAL goes to the system's DrawEdge.
bool DrawEdgeColored(HDC DC, TRect& R, UINT Edge, UINT Flags, const TElEdgeColors& Colors);
bool DrawEdgeEx(HDC DC, TRect& R, UINT Edge, UINT Flags);
// A two-ring button frame on the sides of Flags (BF_LEFT, ...): raised, sunken when Pressed,
// a single ring when Flat.
void DrawButtonFrameColors(HDC DC, const TRect& R, UINT Flags, bool Pressed, bool Flat, const TElEdgeColors& Colors);
void DrawButtonFrameByColor(HDC DC, const TRect& R, UINT Flags, bool Pressed, bool Flat, TColor BaseColor);
// The colours of a flat border: Frame for the edge band (and its shades), Window for the inner
// fill, Line for the one-pixel lines; DkShadow and Highlight for those edge lines, clNone
// taking them from Frame's shades.
struct TElFrameColors {
    TColor Frame = clBtnFace;
    TColor Window = clWindow;
    TColor Line = clBtnShadow;
    TColor DkShadow = clNone;
    TColor Highlight = clNone;
};
// Draws a border of Type on Sides of R. FlatFocused switches the inner ring of fbtFlat to
// clBtnText and cl3DLight. Returns the area inside the border.
TRect DrawFlatFrame(HDC DC, const TRect& R, const TElFrameColors& Colors, TElFlatBorderType Type,
                    TElBorderSides Sides, bool FlatFocused = false);
// Two rings of Color, then a sunken ring; with Inner a further ring in cl3DDkShadow and cl3DLight.
void DrawFramedBorder(HDC DC, const TRect& R, TColor Color, bool Inner);

// ---- Arrows and text
// Direction 0 left, 1 up, 2 right, 3 down: a filled 4x7 (7x4) triangle centred in R.
void DrawArrow(TCanvas* Canvas, int Direction, const TRect& R, TColor Color, bool Enabled);
// DrawTextW on the system's wide API. The private flag 0x10000000 is taken out. Count -1: the
// text ends at its first NUL.
int DrawWideText(HDC DC, const char16_t* Text, int Count, TRect& R, UINT Flags);
// Text in the canvas's font: tdtShadowed adds a copy at +2,+2 in clBtnShadow beneath,
// tdtRaised a copy at -1,-1 in clBtnHighlight.
void DrawTypedText(TCanvas* Canvas, const std::u16string& Text, TRect R, UINT Flags, TElTextDrawType DrawType);

// ---- Bitmaps
// Copies SourceRect of Bitmap to (X, Y), leaving TransparentColor out.
void DrawTransparentBitmap(HDC DC, TBitmap* Bitmap, int32_t X, int32_t Y, const TRect& SourceRect,
                           TColor TransparentColor);
void TileBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);
// Blends Src's rectangle (stretched to the destination's size) onto Dest's rectangle with
// Alpha when ConstantAlpha, else with each source pixel's own alpha byte.
void AlphaCopy(HDC Dest, const TRect& DestRect, HDC Src, const TRect& SrcRect, bool ConstantAlpha, uint8_t Alpha);
// As AlphaCopy with a per-pixel weight: the first byte of the mask's pixel times Alpha / 255.
void AlphaCopyMasked(HDC Dest, const TRect& DestRect, HDC Src, const TRect& SrcRect, TBitmap* Mask, uint8_t Alpha);
// True when the bitmap is not 32-bit or none of its pixels has a non-zero alpha byte.
bool IsAlphaEmpty(HBITMAP Bitmap);
void AlphaFillRect(HDC DC, const TRect& R, TColor Color, uint8_t Alpha);

// ---- Scroll bars
// Paints the window's visible standard scroll bars flat into its non-client DC; WindowRect is
// the window's rectangle in that DC. With SkipDisabled a disabled window is left alone.
void DrawFlatScrollBars(HWND Wnd, HDC DC, const TRect& WindowRect, bool SkipDisabled);
// The bar's position; -1 when it cannot be read.
int GetScrollBarPos(HWND Wnd, int Bar);

// ---- Owners, keys, numbers
// The last owner reached walking up to the first form (or to a component without owner).
TComponent* GetTopOwnerControl(TComponent* Component);
// The first TForm on the owner chain, starting with Component itself; nil when none.
TForm* GetOwnerForm(TComponent* Component);
// The Alt-down context bit of a key message's LParam when ssAlt is in Shift.
uint32_t ShiftStateToKeyData(TShiftState Shift);
void UIntToStrA(uint32_t Value, std::string& S);

// A small persistent colour option: enabled flag, text and background colour.
class TElDisplayOptions : public TPersistent {
public:
    const char* ClassName() const override { return "TElDisplayOptions"; }
    void Assign(const TPersistent* Source) override;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    TColor TextColor() const { return textColor_; }
    virtual void SetTextColor(TColor Value);
    TColor BkColor() const { return bkColor_; }
    virtual void SetBkColor(TColor Value);
    TNotifyEvent OnChange;

protected:
    virtual void Changed() { DoChange(); }
    virtual void DoChange()
    {
        if (OnChange)
            OnChange(this);
    }

private:
    bool enabled_ = false;
    TColor textColor_ = clWindowText;
    TColor bkColor_ = clWindow;
};
