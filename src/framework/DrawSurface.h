// A surface to measure text on and draw into, in device pixels, with no platform behind the
// interface. Widget logic that lays out or paints (HTML text, the edit's text painter, the
// scroll-bar geometry) is written against it: GdiSurface draws into a device context,
// RecordingSurface keeps the calls and measures with a fixed-pitch font for native tests.
#pragma once

#include "framework/Colors.h"
#include "framework/Types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// <windows.h> maps DrawText to DrawTextW; the surface's method keeps its own name. Windows code
// calls the system's DrawTextW by that name.
#ifdef DrawText
#undef DrawText
#endif

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// What measuring and drawing need to know of a font.
struct TFontSpec {
    std::u16string Name = u"MS Sans Serif";
    int32_t Height = -11;  // negative: character height in pixels; positive: cell height
    TFontStyles Style = 0;
    uint8_t Charset = 1;   // the system's default character set
    TColor Color = clWindowText;
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

// Vertical metrics of the selected font: Height = Ascent + Descent is the cell height.
struct TFontMetrics {
    int32_t Height = 0;
    int32_t Ascent = 0;
    int32_t Descent = 0;
    int32_t AveCharWidth = 0;
    int32_t MaxCharWidth = 0;  // the widest character; 0 when the font does not tell
    friend bool operator==(const TFontMetrics&, const TFontMetrics&) = default;
};

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // Selects the font for the following measuring (and drawing) calls.
    virtual void SetFont(const TFontSpec& Font) = 0;
    virtual TFontMetrics FontMetrics() = 0;
    // Width and cell height of Text on one line in the selected font.
    virtual TSize TextExtent(std::u16string_view Text) = 0;
    // Ends[i] = width of Text's first i + 1 code units (Ends.size() == Text.size()); the low half
    // of a surrogate pair adds nothing of its own.
    virtual void TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends) = 0;
};

class IDrawSurface : public ITextMeasurer {
public:
    virtual void FillRect(const TRect& R, TColor Color) = 0;
    // A one-pixel frame just inside R.
    virtual void FrameRect(const TRect& R, TColor Color) = 0;
    // From A up to, not including, B, as GDI's LineTo draws.
    virtual void Line(TPoint A, TPoint B, TColor Color) = 0;
    // Text with its cell's top-left corner at (X, Y) in the font's colour; with Background other
    // than clNone the cell is filled first.
    virtual void DrawText(int32_t X, int32_t Y, std::u16string_view Text, TColor Background = clNone) = 0;
    // Limits drawing to the intersection of the current clip and R until the matching PopClip.
    virtual void PushClip(const TRect& R) = 0;
    virtual void PopClip() = 0;
    virtual TRect ClipBounds() const = 0;
};
