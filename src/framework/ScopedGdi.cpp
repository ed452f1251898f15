#include "framework/ScopedGdi.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

TMemoryDC::TMemoryDC(HDC Reference, int Width, int Height) : dc_(CreateCompatibleDC(Reference))
{
    wantsBitmap_ = true;
    if (Width <= 0 || Height <= 0)
        return;
    uint32_t* bits = nullptr;
    owned_.reset(CreateTopDownDib(Width, Height, bits));
    if (!owned_)
        return;
    Select(owned_.get());
    if (old_) {
        bits_ = bits;
        width_ = Width;
        height_ = Height;
    }
}

TMemoryDC::TMemoryDC(HDC Reference, TGdiObject<HBITMAP> Bitmap)
    : owned_(std::move(Bitmap)), dc_(CreateCompatibleDC(Reference))
{
    wantsBitmap_ = true;
    Select(owned_.get());
}

TMemoryDC::TMemoryDC(HDC Reference, HBITMAP Borrowed) : dc_(CreateCompatibleDC(Reference))
{
    wantsBitmap_ = true;
    Select(Borrowed);
}

TMemoryDC::~TMemoryDC()
{
    if (dc_) {
        if (old_)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    // owned_ goes after this body: the bitmap is no longer selected anywhere.
}

void TMemoryDC::Select(HBITMAP Bitmap)
{
    if (dc_ && Bitmap)
        old_ = SelectObject(dc_, Bitmap);
}

TCanvasLoan::TCanvasLoan(TCanvas& Canvas, HDC Dc) : canvas_(Canvas), previous_(Canvas.Handle())
{
    canvas_.SetHandle(Dc);
}

TCanvasLoan::~TCanvasLoan()
{
    canvas_.SetHandle(previous_);
}
