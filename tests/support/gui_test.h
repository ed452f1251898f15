// Helpers for tests that drive real windows under Wine: create windows and read pixels back
// from a window's device context. The loop is driven with support/pump.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "support/pump.h"

namespace l3d::testing {

// The loop is driven by support/pump.h alone; this name stays for tests written on other
// branches before it moved there.
using ::PumpUntilIdle;

// A registered window class and a top-level (or child) window of it, destroyed with the object.
class TestWindow {
public:
    TestWindow(const wchar_t* title, int width, int height, WNDPROC proc = DefWindowProcW,
               HBRUSH background = nullptr, HWND parent = nullptr, DWORD style = 0, UINT classStyle = 0);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    HWND handle_ = nullptr;
};

// 32-bit pixels (0x00RRGGBB) of a client rectangle, copied from the window's device context.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;  // top row first
    uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};
Pixels ReadClientPixels(HWND window, RECT area);
// The same from the whole window (non-client area included); area in window coordinates.
Pixels ReadWindowPixels(HWND window, RECT area);
// A picture of the screen as the user sees it, every window on it in its stacking order; area
// in screen coordinates. A window's own pixels (above) are there however other windows cover it.
Pixels ReadScreenPixels(RECT area);

// True when every channel of a and b differs by at most tolerance.
bool ColorNear(uint32_t a, uint32_t b, int tolerance = 8);

}  // namespace l3d::testing
