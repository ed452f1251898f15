// Flat scroll bars painted into the frame of a real window and read back from the window's
// own DC: each part lands where the system placed the bars, on the right of the client area or,
// for WS_EX_LEFTSCROLLBAR (right-to-left forms), on its left.
#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The whole window, frame included, as TColor values (0x00BBGGRR), rows top first.
struct WindowPixels {
    int Width = 0, Height = 0;
    std::vector<TColor> Data;
    TColor At(int X, int Y) const { return Data[static_cast<size_t>(Y) * Width + X]; }
};

WindowPixels ReadWindow(HWND Wnd, int Width, int Height)
{
    const TWindowDC window(Wnd, true);
    const TMemoryDC copy(window.Handle(), Width, Height);
    BitBlt(copy.Handle(), 0, 0, Width, Height, window.Handle(), 0, 0, SRCCOPY);
    GdiFlush();
    WindowPixels out{Width, Height, {}};
    for (int i = 0; i < Width * Height; ++i) {
        const uint32_t p = copy.Bits()[i];
        out.Data.push_back(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
    }
    return out;
}

TColor Sys(TColor C) { return static_cast<TColor>(ColorToRGB(C)); }

void SetRange(HWND Wnd, int Bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    si.nMax = 99;
    si.nPage = 10;
    SetScrollInfo(Wnd, Bar, &si, FALSE);
}

TEST(FlatScrollBars, TheVerticalBarAndCornerAreOnTheSideTheSystemPutsThem)
{
    for (const bool leftBar : {false, true}) {
        SCOPED_TRACE(leftBar ? "WS_EX_LEFTSCROLLBAR" : "right-hand bar");
        l3d::testing::TestWindow window(L"flat bars", 200, 150, DefWindowProcW, nullptr, nullptr,
                                        WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE);
        const HWND wnd = window.Handle();
        if (leftBar) {
            SetWindowLongW(wnd, GWL_EXSTYLE, GetWindowLongW(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
            SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        }
        SetRange(wnd, SB_VERT);
        SetRange(wnd, SB_HORZ);
        ASSERT_TRUE(PumpUntil(NothingToPaint));

        RECT wr, cr;
        GetWindowRect(wnd, &wr);
        GetClientRect(wnd, &cr);
        MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&cr), 2);
        const int w = wr.right - wr.left, h = wr.bottom - wr.top;
        const TRect client{cr.left - wr.left, cr.top - wr.top, cr.right - wr.left, cr.bottom - wr.top};
        const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
        // The system made room for the bar on that side.
        if (leftBar)
            ASSERT_GE(client.Left, cx);
        else
            ASSERT_GE(w - client.Right, cx);

        {
            const TWindowDC dc(wnd, true);
            FillSolidRect(dc.Handle(), {0, 0, w, h}, clRed);
            DrawFlatScrollBars(wnd, dc.Handle(), {0, 0, w, h}, false);
        }
        const WindowPixels px = ReadWindow(wnd, w, h);
        const int barLeft = leftBar ? client.Left - cx : client.Right;
        const int barX = barLeft + cx / 2;
        EXPECT_EQ(px.At(barX, client.Top + 1), Sys(clBtnFace)) << "the up button";
        EXPECT_EQ(px.At(barX, client.Bottom - cx - 2), Sys(clBtnHighlight)) << "the track below the thumb";
        EXPECT_EQ(px.At(barX, client.Bottom + cy / 2), Sys(clBtnFace)) << "the corner";
        EXPECT_EQ(px.At(client.Left + client.Width() / 2, client.Bottom + 1), Sys(clBtnHighlight))
            << "the bottom bar's track";
        // Neither the client area nor the frame on the other side is painted.
        const int otherSide = leftBar ? client.Right + 1 : client.Left - 2;
        EXPECT_EQ(px.At(otherSide, client.Top + client.Height() / 2), clRed);
        EXPECT_EQ(px.At(client.Left + 5, client.Top + 5), clRed);
    }
}

}  // namespace
