// A drawing surface with no device behind it: it keeps every drawing call in order and measures
// text with a fixed-pitch font, so that layout and painting code can be checked natively.
//
// Metrics: a character is CharWidth pixels wide (one more in bold); the cell height is the
// font's character height (|Height|, or Height for a cell height) plus 3 for negative heights,
// at least 1, with a descent of a quarter of it. A tab, line feed or carriage return is as
// wide as a blank. Fixed pitch: the widest character is as wide as the average one.
#pragma once

#include "framework/DrawSurface.h"

#include <string>
#include <vector>

class RecordingSurface : public IDrawSurface {
public:
    enum class Op { Fill, Frame, Line, Text, PushClip, PopClip };
    struct Call {
        Op Kind;
        TRect Rect;           // Fill, Frame, PushClip; for Text the cell's rectangle
        TPoint From, To;      // Line
        TColor Color = 0;     // Fill, Frame, Line; for Text the font's colour
        TColor Background = clNone;  // Text
        std::u16string Text;  // Text
        TFontSpec Font;       // Text
        TRect Clip;           // the clip in force when the call was made
    };

    explicit RecordingSurface(int32_t CharWidth = 8, TRect Bounds = {0, 0, 10000, 10000});

    void SetFont(const TFontSpec& Font) override { font_ = Font; }
    TFontMetrics FontMetrics() override;
    TSize TextExtent(std::u16string_view Text) override;
    void TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override;

    void FillRect(const TRect& R, TColor Color) override;
    void FrameRect(const TRect& R, TColor Color) override;
    void Line(TPoint A, TPoint B, TColor Color) override;
    void DrawText(int32_t X, int32_t Y, std::u16string_view Text, TColor Background = clNone) override;
    void PushClip(const TRect& R) override;
    void PopClip() override;
    TRect ClipBounds() const override { return clips_.back(); }

    const std::vector<Call>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The texts drawn, in order.
    std::vector<std::u16string> Texts() const;
    const TFontSpec& Font() const { return font_; }
    int32_t CharWidthOf(char16_t C) const;

private:
    Call Base(Op Kind) const;

    int32_t charWidth_;
    TFontSpec font_;
    std::vector<TRect> clips_;
    std::vector<Call> calls_;
};
