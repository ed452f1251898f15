#include "app/ProgramLook.h"

#include "framework/NumberText.h"

#include <algorithm>

void ShowProgramPicture(TImage* Image, const TGlyphPicture& Picture)
{
    TBitmap* b = Image->Picture();
    b->SetSize(Picture.Width, Picture.Height);
    for (int y = 0; y < Picture.Height; ++y) {
        uint32_t* line = b->ScanLine(y);
        std::copy_n(Picture.Pixels.begin() + static_cast<ptrdiff_t>(y) * Picture.Width, Picture.Width, line);
        for (int x = 0; x < Picture.Width; ++x)
            line[x] &= 0x00FFFFFFu;
    }
    Image->Invalidate();
}

TVersionTexts VersionTexts(const TElVersionInfo& Info, const TVersionTexts& Fallback)
{
    if (!Info.IsVerinfoExists())
        return Fallback;
    return {IntToStr(Info.MajorVersion()) + u"." + IntToStr(Info.MinorVersion()) + u"." + IntToStr(Info.Release()),
            IntToStr(Info.Build())};
}
