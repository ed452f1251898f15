// The glyph of a button: a bitmap of 1 to 4 images side by side (up, disabled, pressed, down),
// kept as a copy of what the caller assigned. The colour of the bitmap's bottom-left pixel is
// transparent. A disabled state without its own image shows the up image greyed.
#pragma once

#include "widgets/el/menus/ElButtonsCore.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

#include <memory>
#include <vector>

class TElButtonGlyph {
public:
    TElButtonGlyph();
    ~TElButtonGlyph();
    TElButtonGlyph(const TElButtonGlyph&) = delete;
    TElButtonGlyph& operator=(const TElButtonGlyph&) = delete;

    // The assigned bitmap (empty when none).
    const TBitmap* Bitmap() const { return source_.get(); }
    // Copies Source; nil or an empty bitmap clears the glyph.
    void Assign(const TBitmap* Source);
    int NumGlyphs() const { return numGlyphs_; }
    // Clamped to 1..4.
    void SetNumGlyphs(int Value);

    bool Empty() const { return source_->Empty(); }
    // The size of one image; 0 x 0 when empty.
    TSize ImageSize() const;
    // Draws the image of State with its top-left corner at (X, Y).
    void Draw(TCanvas* Canvas, int X, int Y, TElGlyphState State);

private:
    void Rebuild();

    std::unique_ptr<TBitmap> source_;
    int numGlyphs_ = 1;
    std::vector<std::unique_ptr<TBitmap>> images_;
    std::unique_ptr<TBitmap> greyed_;
};
