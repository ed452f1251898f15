#include "app/ProgramLook.h"

#include "framework/NumberText.h"

#include <algorithm>

void SetBitmapPixels(TBitmap& Bitmap, int Width, int Height, const std::vector<uint32_t>& Pixels, uint32_t KeepBits)
{
    Bitmap.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y) {
        uint32_t* line = Bitmap.ScanLine(y);
        const auto row = Pixels.begin() + static_cast<ptrdiff_t>(y) * Width;
        std::transform(row, row + Width, line, [KeepBits](uint32_t Pixel) { return Pixel & KeepBits; });
    }
}

void ShowProgramPicture(TImage* Image, const TGlyphPicture& Picture)
{
    SetBitmapPixels(*Image->Picture(), Picture.Width, Picture.Height, Picture.Pixels, 0x00FFFFFFu);
    Image->Invalidate();
}

TVersionTexts VersionTexts(const TElVersionInfo& Info, const TVersionTexts& Fallback)
{
    if (!Info.IsVerinfoExists())
        return Fallback;
    return {IntToStr(Info.MajorVersion()) + u"." + IntToStr(Info.MinorVersion()) + u"." + IntToStr(Info.Release()),
            IntToStr(Info.Build())};
}
