// Driving the main window's road under Wine: commands and mouse and key messages posted to the
// real window, waiting for the paint timer's next frame, and the pixels of the drawing area.
#pragma once

#include "program_fixture.h"

#include "ExampleScans.h"
#include "app/PaintTimerPause.h"
#include "app/ViewLayout.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/render/ScanScene.h"
#include "support/gui_test.h"
#include "support/pump.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Streams.h"

namespace mainroad {

// The benchmarks' square scan (MakeSquareScan), Size x Size points, written
// straight to Path a column at a time: even 3000 x 3000 points (324 MB) take the test little
// memory. False when a write failed.
inline bool WriteSquareScanFile(const std::u16string& Path, int Size)
{
    TFileStream file(Path, fmCreate);
    if (!WriteScanFile(file, SquareScanHeader(Size)))  // everything up to the points
        return false;
    std::vector<uint8_t> column(static_cast<size_t>(Size) * ScanRecordSize);
    for (int c = 0; c < Size; ++c) {
        for (int r = 0; r < Size; ++r)
            WriteScanRecord(SquareScanPoint(Size, c, r), column.data() + static_cast<size_t>(r) * ScanRecordSize);
        if (file.Write(column.data(), static_cast<int32_t>(column.size())) != static_cast<int32_t>(column.size()))
            return false;
    }
    return true;
}

// The milliseconds from Begin to now, for the figures of the benchmarks.
inline double MsSince(std::chrono::steady_clock::time_point Begin)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Begin).count();
}

// Posts a menu item's command as the menu bar or its short-cut would, and waits until it ran.
inline void RunCommand(TMenuItem* Item)
{
    PostMessageW(MainForm->Handle(), WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
}

// The item of the Examples menu with this caption (the file name without ".dmo"), or null.
inline TMenuItem* ExampleItem(const std::u16string& Caption)
{
    for (int i = 0; i < MainForm->MenuFileExamples->Count(); ++i)
        if (MainForm->MenuFileExamples->Items(i)->Caption() == Caption)
            return MainForm->MenuFileExamples->Items(i);
    return nullptr;
}

// Posts a mouse message to the main window at a client point and waits until it was handled.
inline void PostMouse(UINT Message, WPARAM Keys, int X, int Y)
{
    PostMessageW(MainForm->Handle(), Message, Keys, MAKELPARAM(X, Y));
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
}

// Posts a key as the keyboard would, with Ctrl (and Alt) held in the thread's key state while
// it is handled.
inline void PostKey(uint16_t Key, bool Ctrl = false, bool Alt = false)
{
    BYTE state[256];
    GetKeyboardState(state);
    BYTE held[256];
    CopyMemory(held, state, sizeof held);
    held[VK_CONTROL] = Ctrl ? 0x80 : 0;
    held[VK_MENU] = Alt ? 0x80 : 0;
    SetKeyboardState(held);
    PostMessageW(MainForm->Handle(), Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | (Alt ? (1 << 29) : 0));
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    PostMessageW(MainForm->Handle(), Alt ? WM_SYSKEYUP : WM_KEYUP, Key, 1 | (3u << 30) | (Alt ? (1 << 29) : 0));
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    held[VK_CONTROL] = 0;
    held[VK_MENU] = 0;
    SetKeyboardState(held);
}

// A left click in the middle of a button (a tool button, a navigator button), as the mouse
// gives it, and waits until it was handled.
inline void ClickButton(TWinControl* Button)
{
    const LPARAM at = MAKELPARAM(Button->Width() / 2, Button->Height() / 2);
    PostMessageW(Button->Handle(), WM_MOUSEMOVE, 0, at);
    PostMessageW(Button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(Button->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
}

// A test that reads that a repaint was asked for holds the paint timer meanwhile
// (TPaintTimerPause): the timer keeps its rhythm through input, so a tick could otherwise draw
// the repaint before the test looks.

// Waits until the paint timer drew the pending repaint (and runs again).
inline bool WaitForFrame()
{
    return PumpUntil([] { return !MainForm->State().Views().RepaintPending() && MainForm->TimerPaint->Enabled(); });
}

// Asks for a repaint and waits for the frame.
inline bool DrawFrame()
{
    MainForm->RequestRepaint();
    return WaitForFrame();
}

// A viewport (window coordinates from the bottom left) as a client rectangle from the top left.

inline RECT ClientRectOf(const TViewportRect& V)
{
    const LONG top = MainForm->ClientHeight() - V.Y - V.Height;
    return RECT{V.X, top, LONG(V.X + V.Width), LONG(top + V.Height)};
}

inline l3d::testing::Pixels ViewPixels(const TViewportRect& V)
{
    return l3d::testing::ReadClientPixels(MainForm->Handle(), ClientRectOf(V));
}

// Pixels of a client area that differ from Background.
inline size_t PixelsOtherThan(const l3d::testing::Pixels& P, uint32_t Background)
{
    size_t n = 0;
    for (uint32_t p : P.data)
        n += (p & 0xFFFFFF) != Background ? 1 : 0;
    return n;
}

// The client point in the middle of a viewport.
inline POINT CentreOf(const TViewportRect& V)
{
    const RECT r = ClientRectOf(V);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A left (or right) drag from the middle of a viewport by Dx, Dy pixels, as the mouse gives it.
inline void Drag(WPARAM Button, int Dx, int Dy, const TViewportRect& In)
{
    const POINT p = CentreOf(In);
    PostMouse(Button == MK_LBUTTON ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, Button, p.x, p.y);
    PostMouse(WM_MOUSEMOVE, Button, p.x + Dx, p.y + Dy);
    PostMouse(Button == MK_LBUTTON ? WM_LBUTTONUP : WM_RBUTTONUP, 0, p.x + Dx, p.y + Dy);
}

constexpr uint32_t Red = 0xC83232;    // the active view's frame, 0x00RRGGBB
constexpr uint32_t Grey = 0xD4D0C8;   // the other frames

// The colour of a frame along the left edge of a viewport, halfway up: the line lies on the
// edge or one pixel beside it.
inline uint32_t FrameColourLeftOf(const TViewportRect& V)
{
    const RECT r = ClientRectOf(V);
    const int y = (r.top + r.bottom) / 2;
    const l3d::testing::Pixels p =
        l3d::testing::ReadClientPixels(MainForm->Handle(), RECT{r.left - 1, y, r.left + 2, y + 1});
    for (uint32_t c : p.data)
        if ((c & 0xFFFFFF) == Red || (c & 0xFFFFFF) == Grey)
            return c & 0xFFFFFF;
    return p.data[1] & 0xFFFFFF;
}

}  // namespace mainroad
