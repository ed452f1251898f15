// The HTML renderer on GDI: a render that measures on a memory DC compatible with the screen,
// painting prepared text into a real DC (through a buffer), and bitmaps as markup images.
#pragma once

#include "widgets/el/foundation/ElHTMLRender.h"

#include "framework/Bitmap.h"
#include "framework/GdiSurface.h"
#include "framework/ScopedGdi.h"

#include <windows.h>

#include <memory>

// A render that measures through GDI, with the screen's pixels per inch for font sizes in
// points and system colours resolved for the contrast adjustment.
std::unique_ptr<TElHTMLRender> NewGdiHTMLRender();

// Paints Render's prepared text into R of Dc (StartPoint: the text's scroll offset inside R).
// Buffered, the part of Dc under R is copied into a bitmap, painted there and copied back, so
// that the text appears in one piece; when no bitmap can be made it paints straight into Dc.
// An empty R paints nothing.
void DrawHTMLText(TElHTMLRender& Render, HDC Dc, TPoint StartPoint, const TRect& R, TColor ContrastColor = clNone,
                  bool Buffered = true);

// A bitmap as a markup image; the supplier keeps the bitmap alive while the render uses it.
class TElHTMLBitmapImage : public IElHTMLImage {
public:
    explicit TElHTMLBitmapImage(TBitmap* Bitmap) : bitmap_(Bitmap) {}
    int32_t Width() const override { return bitmap_ ? bitmap_->Width() : 0; }
    int32_t Height() const override { return bitmap_ ? bitmap_->Height() : 0; }
    bool Transparent() const override { return bitmap_ && bitmap_->Transparent; }
    // Draws on a GdiSurface only (any other surface has no DC to copy into).
    void Draw(IDrawSurface& Surface, const TRect& Box, bool Stretch) override;

private:
    TBitmap* bitmap_;
};
