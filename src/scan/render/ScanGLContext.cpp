#include "scan/render/ScanGLContext.h"

#include <vector>

#include "framework/Exceptions.h"
#include "scan/render/WGLContext.h"

namespace {

// Entry i of a palette for a format with Bits bits of one channel at Shift.
BYTE PaletteChannel(int Index, int Shift, int Bits)
{
    if (Bits <= 0)
        return 0;
    const int mask = (1 << Bits) - 1;
    return static_cast<BYTE>(((Index >> Shift) & mask) * 255 / mask);
}

HPALETTE BuildPalette(HDC DC, const PIXELFORMATDESCRIPTOR& Format)
{
    // 2^colour bits entries; a logical palette holds at most 256, and only 8-bit formats
    // ever ask for one.
    const int bits = Format.cColorBits > 8 ? 8 : Format.cColorBits;
    const int count = 1 << bits;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) {
        PALETTEENTRY& e = palette->palPalEntry[i];
        e.peRed = PaletteChannel(i, Format.cRedShift, Format.cRedBits);
        e.peGreen = PaletteChannel(i, Format.cGreenShift, Format.cGreenBits);
        e.peBlue = PaletteChannel(i, Format.cBlueShift, Format.cBlueBits);
        e.peFlags = 0;
    }
    HPALETTE handle = CreatePalette(palette);
    if (handle) {
        SelectPalette(DC, handle, FALSE);
        RealizePalette(DC);
    }
    return handle;
}

}  // namespace

void SetupPixelFormat(HDC DC, HPALETTE& Palette)
{
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof(wanted);
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 16;
    wanted.cDepthBits = 32;
    wanted.iLayerType = PFD_MAIN_PLANE;

    const int format = ChoosePixelFormat(DC, &wanted);
    if (format == 0)
        throw Exception(SGraphicsInitFailed);
    SetPixelFormat(DC, format, &wanted);

    PIXELFORMATDESCRIPTOR got{};
    DescribePixelFormat(DC, format, sizeof(got), &got);
    constexpr DWORD required = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    if ((got.dwFlags & required) != required || got.iPixelType != PFD_TYPE_RGBA || got.cColorBits < 16)
        throw Exception(SGraphicsFormatFailed);

    if (got.dwFlags & PFD_NEED_PALETTE)
        Palette = BuildPalette(DC, got);
}

TScanGLContext::TScanGLContext(HWND Parent) : window_(std::make_unique<TGLChildWindow>(Parent))
{
    // A failure leaves through the members' destructors: nothing made so far stays behind.
    if (!window_->Handle())
        throw Exception(SGraphicsInitFailed);
    gl_.Drawable = CreateGLDrawable(window_->Handle());
    if (!gl_.Drawable)
        throw Exception(SGraphicsInitFailed);
    gl_.DC = GetDC(gl_.Drawable);
    if (!gl_.DC)
        throw Exception(SGraphicsInitFailed);
    HPALETTE palette = nullptr;
    SetupPixelFormat(gl_.DC, palette);
    palette_.reset(palette);
    gl_.RC = wglCreateContext(gl_.DC);
    // A context that cannot be created or made current would leave a silently black
    // program; report it like a missing pixel format.
    if (!gl_.RC || !MakeCurrent())
        throw Exception(SGraphicsInitFailed);
}
