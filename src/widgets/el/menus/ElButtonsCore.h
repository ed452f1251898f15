// The portable rules of the widget layer's buttons: when a button may go down or up (groups,
// all-up, switches), which of a glyph's images a state shows, where glyph and caption stand,
// the frame colour of the flat look, and the greyed image of a disabled glyph.
#pragma once

#include "framework/Colors.h"
#include "framework/Types.h"

#include <cstdint>
#include <vector>

// Where the glyph stands beside the caption: 0 left of it, 1 right of it.
enum TButtonLayout : uint8_t { blGlyphLeft = 0, blGlyphRight = 1 };

// ---- Down state
//
// A button of group 0 that does not allow all-up is a plain push button: it never stays down.
// A group's down button can be raised only where the group allows all buttons up; putting one
// down raises the others of its group (the caller does that).

// Whether code may change Down to Value.
bool ElCanSetDown(bool Value, int32_t GroupIndex, bool AllowAllUp);
// The Down state a click by the user asks for: a switch toggles, a group button goes down (or
// up again where the group allows all-up), any other button keeps its state. The result still
// passes ElCanSetDown.
bool ElDownAfterClick(bool Down, int32_t GroupIndex, bool AllowAllUp, bool IsSwitch);

// ---- Glyph images
//
// A glyph bitmap holds NumGlyphs (1 to 4) images side by side: up, disabled, pressed, and down
// (staying down).
enum class TElGlyphState : uint8_t { Up = 0, Disabled = 1, Pressed = 2, Down = 3 };

int ElClampNumGlyphs(int NumGlyphs);
// The image index for State; -1 for a disabled state without its own image (the caller greys
// the up image). A pressed or down state without its image shows the up image; down falls back
// to pressed first.
int ElGlyphImageIndex(TElGlyphState State, int NumGlyphs);

// The greyed look of a disabled glyph, on 32-bit pixels (0x00RRGGBB, rows top first, Width x
// Height): every pixel that is not Transparent and is darker than light grey becomes Shadow,
// with Highlight one pixel below and to the right where that pixel is transparent in the
// source; light pixels vanish. The result keeps Transparent everywhere else.
std::vector<uint32_t> ElDisabledGlyphPixels(const std::vector<uint32_t>& Pixels, int Width, int Height,
                                            uint32_t Transparent, uint32_t Highlight, uint32_t Shadow);

// ---- Layout of glyph and caption inside a button's face
struct TElButtonContent {
    TRect Glyph;  // empty when there is no glyph
    TRect Text;   // empty when there is no caption
};

constexpr int ElButtonSpacing = 4;  // between glyph and caption
constexpr int ElButtonMargin = 4;   // between the face's edge and a glyph placed at the side

// Places a glyph of GlyphSize and a caption of TextSize (either may be 0 x 0) in Face, each
// centred vertically. With AdjustSpaceForGlyph the glyph, the spacing and the caption form one
// block centred in the face, the glyph on the Layout side; without it the caption is centred in
// the whole face and the glyph stands at the margin of its side. A lone glyph or caption is
// centred.
TElButtonContent ElLayoutButtonContent(const TRect& Face, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                                       bool AdjustSpaceForGlyph);

// ---- The flat look
struct TElMoneyFlatColors {
    TColor Active = clBtnShadow;    // the mouse is over the button
    TColor Inactive = clBtnFace;    // normal
    TColor Down = clBtnShadow;      // pressed or down
};
TColor ElMoneyFlatFrameColor(const TElMoneyFlatColors& Colors, bool Hot, bool PressedOrDown);
