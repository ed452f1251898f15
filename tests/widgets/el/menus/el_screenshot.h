// Pictures of windows for the reports of the widget tests: a window's pixels as the screen
// shows them (its frame and caption included), saved as PNG with the framework's writer.
#pragma once

#include "support/gui_test.h"

#include "framework/Bitmap.h"

#include <algorithm>
#include <string>

namespace l3d::testing {

// Saves the window as it shows now; the picture's size, or 0 x 0 when the window has none.
inline TSize SaveWindowPicture(HWND Window, const std::u16string& FileName)
{
    RECT r{};
    GetWindowRect(Window, &r);
    const Pixels p = ReadWindowPixels(Window, {0, 0, r.right - r.left, r.bottom - r.top});
    if (p.width <= 0 || p.height <= 0)
        return {};
    TBitmap picture(p.width, p.height);
    for (int y = 0; y < p.height; ++y)
        std::copy(p.data.begin() + static_cast<ptrdiff_t>(y) * p.width,
                  p.data.begin() + static_cast<ptrdiff_t>(y + 1) * p.width, picture.ScanLine(y));
    picture.SaveToPngFile(FileName);
    return {p.width, p.height};
}

}  // namespace l3d::testing
