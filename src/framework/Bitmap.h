// TBitmap: a 32-bit top-down DIB with direct pixel access, a canvas on a memory DC, BMP
// saving and validated BMP loading.
#pragma once

#include "framework/Canvas.h"
#include "framework/ImageWriters.h"
#include "framework/ScopedGdi.h"
#include "framework/Streams.h"

#include <cstdint>
#include <memory>

// The header of a top-down 32-bit BI_RGB DIB of Width x Height pixels.
BITMAPINFO TopDownDibInfo(int Width, int Height);
// A top-down 32-bit DIB section of Width x Height pixels; Bits receives its pixels, null when
// the section could not be made (and then the result is null too).
HBITMAP CreateTopDownDib(int Width, int Height, uint32_t*& Bits);

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int Width, int Height);
    ~TBitmap() override;
    const char* ClassName() const override { return "TBitmap"; }
    void Assign(const TPersistent* Source) override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Resizes; the content is cleared to black. Raises EOutOfResources when no DIB can be made.
    void SetSize(int Width, int Height);
    void SetWidth(int Width) { SetSize(Width, height_); }
    void SetHeight(int Height) { SetSize(width_, Height); }

    // Row Y of 32-bit pixels, blue in the low byte (0x00RRGGBB as a number).
    uint32_t* ScanLine(int Y);
    const uint32_t* ScanLine(int Y) const;
    TColor Pixel(int X, int Y) const;          // as TColor (0x00BBGGRR); clNone outside
    void SetPixel(int X, int Y, TColor Color);

    // A canvas drawing into the bitmap. GDI output is flushed before pixels are read.
    TCanvas* Canvas();
    HBITMAP Handle() const { return dib_.get(); }

    bool Transparent = false;
    TColor TransparentColor = clNone;  // clNone: the bottom-left pixel's colour

    void SaveToStream(TStream& Stream) const;
    void SaveToFile(const std::u16string& FileName) const;
    // The pixels as 8-bit RGB (the alpha byte left out), and the PNG and JPEG files made of them
    // (see ImageWriters.h: an empty bitmap raises EWriteError, an unwritable file EFCreateError).
    TRgbImage RgbImage() const;
    void SaveToPngFile(const std::u16string& FileName) const;
    void SaveToJpegFile(const std::u16string& FileName) const;
    // Reads a BMP of 24 or 32 bits per pixel (uncompressed, or 32-bit bit fields); any other
    // content, or sizes the data cannot hold, raise EReadError and leave the bitmap unchanged.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const std::u16string& FileName);

    // Copies the bitmap into a DC's rectangle (stretched; transparent when asked).
    void DrawTo(HDC Dc, const TRect& Dest) const;

private:
    void Release();
    void Flush() const;

    int width_ = 0, height_ = 0;
    // In this order, so that the canvas lets go of the DC before the DC lets go of the DIB.
    TGdiObject<HBITMAP> dib_;
    uint32_t* bits_ = nullptr;
    std::unique_ptr<TMemoryDC> memDc_;  // made with the canvas; selects the DIB for it
    std::unique_ptr<TCanvas> canvas_;
};
