// Colour arithmetic and geometry of the widget layer's painting, on plain colours
// (0x00BBGGRR; system colours are resolved by the caller): RGB and HLS, lightening and
// scaling, button shades, the arrow glyph, gradient bands, alpha blending of 32-bit pixels,
// and border hit testing.
#pragma once

#include "framework/Colors.h"
#include "framework/Types.h"

#include <cstdint>

// R or G shl 8 or B shl 16, each masked to 8 bits.
TColor MakeRGB(int32_t R, int32_t G, int32_t B);
inline uint8_t RedOf(TColor C) { return static_cast<uint8_t>(C); }
inline uint8_t GreenOf(TColor C) { return static_cast<uint8_t>(C >> 8); }
inline uint8_t BlueOf(TColor C) { return static_cast<uint8_t>(C >> 16); }

// Each channel c becomes c + MulDiv(255 - c, Percent, 100), at most 255.
TColor LightenRGB(TColor C, uint8_t Percent);
// Each channel becomes MulDiv(c, Percent, 100); results above 255 keep their low 8 bits.
TColor ScaleRGB(TColor C, uint8_t Percent);

// HLS packed as H or L shl 8 or S shl 16, each on 0..252; an undefined hue (greys) is 168.
constexpr int32_t HLSMAX = 252;
constexpr int32_t RGBMAX = 255;
constexpr int32_t UNDEFINED_HUE = HLSMAX * 2 / 3;
uint32_t MakeHLS(int32_t H, int32_t L, int32_t S);
uint32_t RGBToHLS(TColor C);
TColor HLSToColor(uint32_t HLS);

// The four colours of a 3D edge.
struct TElEdgeColors {
    TColor Face = clBtnFace;
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    TColor DkShadow = cl3DDkShadow;
};
// The shades of a button of BaseColor, whose plain value is Resolved: the system colours for
// clBtnFace (and black), otherwise the base colour's hue and saturation at three lightnesses.
TElEdgeColors ButtonShadesOf(TColor BaseColor, TColor Resolved);

// The arrow glyph: Direction 0 left, 1 up, 2 right, 3 down; a filled triangle 4 wide and 7 high
// (7 wide and 4 high) centred in R, as four one-pixel strokes from the tip to the base. False,
// with no strokes, when R is smaller than 3 by 6 (6 by 3).
bool ArrowGlyphStrokes(int Direction, const TRect& R, TRect (&Strokes)[4]);

// Band Index of Steps across Extent pixels starts at GradientBandStart(Index, ...) and ends
// where band Index + 1 starts; its colour runs from Start (band 0) to End (band Steps - 1).
int32_t GradientBandStart(int32_t Index, int32_t Extent, int32_t Steps);
TColor GradientBandColor(TColor Start, TColor End, int32_t Index, int32_t Steps);

// Per colour byte (src * a + dst * (256 - a)) shr 8; the top byte (alpha) of the result is 0.
uint32_t BlendPixel(uint32_t Src, uint32_t Dst, uint32_t A);

// Hit-test codes of the system (HTCLIENT, HTLEFT, ...).
enum : int32_t {
    htNowhere = 0, htClient = 1, htLeft = 10, htRight = 11, htTop = 12, htTopLeft = 13,
    htTopRight = 14, htBottom = 15, htBottomLeft = 16, htBottomRight = 17,
};
// Where P lies on a sizing border of Width pixels with corners of CornerSize pixels: 0 outside
// R, a border code on a band, htClient inside. The bottom and right bands are one pixel wider.
int32_t BorderHitTest(const TRect& R, const TPoint& P, int32_t CornerSize, int32_t BorderWidth);
