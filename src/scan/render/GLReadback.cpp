#include "scan/render/GLReadback.h"

#include <windows.h>
#include <GL/gl.h>

#include <vector>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "scan/render/GLChildWindow.h"
#include "scan/render/GLPixels.h"

bool ReadGLPixelsToBitmap(TBitmap* Bitmap, int X, int Y, int Width, int Height, TColor Color, uint8_t MakeWhite)
{
    if (!Bitmap || Width <= 0 || Height <= 0)
        return false;
    POINT offset{0, 0};
    if (HDC dc = wglGetCurrentDC())
        TGLChildWindow::OffsetOf(WindowFromDC(dc), offset);

    std::vector<uint8_t> rgba(static_cast<size_t>(Width) * static_cast<size_t>(Height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(X - offset.x, Y - offset.y, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());

    Bitmap->SetSize(Width, Height);
    const COLORREF background = ColorToRGB(Color);
    ConvertGLFrame(rgba.data(), Width, Height, MakeWhite == 1, GetRValue(background), GetGValue(background),
                   GetBValue(background), [Bitmap](int Row) { return Bitmap->ScanLine(Row); });
    return true;
}
