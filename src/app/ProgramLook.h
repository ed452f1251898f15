// What the program's own windows (the splash screen, the about box) show of the program: its
// pictures, painted by code, and its version from the program file's version block.
#pragma once

#include "app/AppGlyphs.h"

#include "widgets/el/foundation/ElVersionInfo.h"

#include "framework/ExtCtrls.h"

#include <cstdint>
#include <string>
#include <vector>

// Sizes Bitmap to Width x Height and fills it row by row from Pixels (Width * Height of them,
// top row first), each pixel masked with KeepBits.
void SetBitmapPixels(TBitmap& Bitmap, int Width, int Height, const std::vector<uint32_t>& Pixels,
                     uint32_t KeepBits = 0xFFFFFFFFu);

// Puts Picture into Image, opaque (the picture's alpha must not make it see-through).
void ShowProgramPicture(TImage* Image, const TGlyphPicture& Picture);

// "Major.Minor.Release" and the build, in decimal, from the version block; the fallback texts
// when the program file has none.
struct TVersionTexts {
    std::u16string Version;
    std::u16string Build;
};
TVersionTexts VersionTexts(const TElVersionInfo& Info, const TVersionTexts& Fallback);
// The version and build the program names when its file carries no version block.
inline const TVersionTexts FallbackVersionTexts{u"2.0.0", u"107"};
