#include "widgets/el/foundation/ElHTMLGdi.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Graphics.h"

std::unique_ptr<TElHTMLRender> NewGdiHTMLRender()
{
    auto render = std::make_unique<TElHTMLRender>(std::make_unique<GdiTextMeasurer>());
    render->PixelsPerInch = ScreenPixelsPerInch();
    render->ResolveColor = [](TColor C) -> TColor {
        const COLORREF rgb = ColorToRGB(C);
        return RGBColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    };
    return render;
}

void DrawHTMLText(TElHTMLRender& Render, HDC Dc, TPoint StartPoint, const TRect& R, TColor ContrastColor, bool Buffered)
{
    if (!Dc || R.IsEmpty())
        return;
    if (Buffered) {
        TMemoryDC buffer(Dc, R.Width(), R.Height());
        if (buffer.Valid()) {
            BitBlt(buffer.Handle(), 0, 0, R.Width(), R.Height(), Dc, R.Left, R.Top, SRCCOPY);
            {
                GdiSurface surface(buffer);
                Render.DrawText(surface, StartPoint, {0, 0, R.Width(), R.Height()}, ContrastColor);
            }
            BitBlt(Dc, R.Left, R.Top, R.Width(), R.Height(), buffer.Handle(), 0, 0, SRCCOPY);
            return;
        }
    }
    GdiSurface surface(Dc);
    Render.DrawText(surface, StartPoint, R, ContrastColor);
}

void TElHTMLBitmapImage::Draw(IDrawSurface& Surface, const TRect& Box, bool Stretch)
{
    auto* gdi = dynamic_cast<GdiSurface*>(&Surface);
    if (!gdi || !bitmap_ || bitmap_->Empty() || Box.IsEmpty())
        return;
    const HDC dc = gdi->Handle();
    // The surface's clip is the DC's: the image stays inside the painted rectangle.
    if (Stretch) {
        bitmap_->DrawTo(dc, Box);
        return;
    }
    const TColor transparent = bitmap_->Pixel(0, bitmap_->Height() - 1);
    DrawTransparentBitmap(dc, bitmap_, Box.Left, Box.Top, {0, 0, bitmap_->Width(), bitmap_->Height()}, transparent);
}
