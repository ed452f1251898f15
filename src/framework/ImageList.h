// TImageList: equal-sized 32-bit glyphs (with alpha) drawn by index onto a canvas.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Components.h"

#include <memory>
#include <vector>

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    const char* ClassName() const override { return "TImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Sets the glyph size; the list is emptied.
    void SetSize(int AWidth, int AHeight);
    int Count() const { return static_cast<int>(images_.size()); }
    void Clear();

    // Cuts Image into glyphs of the list's size, left to right, and appends them; the index of
    // the first, or -1 when Image is narrower or lower than one glyph. Pixels with alpha 0
    // everywhere count as opaque (a bitmap without alpha); Transparent bitmaps lose their
    // transparent colour.
    int Add(TBitmap* Image);
    // A copy of glyph Index (false for an index out of range).
    bool GetBitmap(int Index, TBitmap* Target) const;

    // Draws glyph Index with its alpha; a disabled glyph is drawn grey and faint.
    // An index out of range draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

    TNotifyEvent OnChange;

private:
    void Changed();
    int width_ = 16, height_ = 16;
    // Premultiplied BGRA, one bitmap per glyph.
    std::vector<std::unique_ptr<TBitmap>> images_;
    std::vector<std::unique_ptr<TBitmap>> disabled_;
};
