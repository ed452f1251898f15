// Pictures of windows for the reports of the widget tests: a window's pixels as the screen
// shows them (its frame and caption included), saved as PNG with the framework's writer.
#pragma once

#include "support/gui_test.h"

#include "framework/Bitmap.h"
#include "framework/StrConv.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace l3d::testing {

// Saves pixels read back from a window as PNG; the picture's size, or 0 x 0 when it has none.
inline TSize SavePicture(const Pixels& P, const std::u16string& FileName)
{
    if (P.width <= 0 || P.height <= 0)
        return {};
    TBitmap picture(P.width, P.height);
    for (int y = 0; y < P.height; ++y)
        std::copy(P.data.begin() + static_cast<ptrdiff_t>(y) * P.width,
                  P.data.begin() + static_cast<ptrdiff_t>(y + 1) * P.width, picture.ScanLine(y));
    picture.SaveToPngFile(FileName);
    return {P.width, P.height};
}

// Saves the window as it shows now; the picture's size, or 0 x 0 when the window has none.
inline TSize SaveWindowPicture(HWND Window, const std::u16string& FileName)
{
    RECT r{};
    GetWindowRect(Window, &r);
    return SavePicture(ReadWindowPixels(Window, {0, 0, r.right - r.left, r.bottom - r.top}), FileName);
}

// The folder a run names in L3D_SCREENSHOT_DIR for pictures of its windows, or empty when the
// run asks for none.
inline std::u16string ScreenshotFolder()
{
    const char* dir = std::getenv("L3D_SCREENSHOT_DIR");
    return dir ? Utf8ToWide(dir) : std::u16string();
}

// Saves the window as it shows now as Name in the run's picture folder, when the run asks for
// pictures; the picture's size, or 0 x 0 when none was saved.
inline TSize SaveScreenshot(HWND Window, const std::u16string& Name)
{
    const std::u16string folder = ScreenshotFolder();
    if (folder.empty())
        return {};
    return SaveWindowPicture(Window, folder + u"\\" + Name);
}

}  // namespace l3d::testing
