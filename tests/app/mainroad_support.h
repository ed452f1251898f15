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

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/MemoryStatus.h"
#include "framework/Streams.h"

namespace mainroad {

// One of the benchmarks' square scans, Size x Size points of Field in Kind, written straight
// to Path. False when a write failed.
inline bool WriteSquareScanFile(const std::u16string& Path, int Size, TSquareField Field = TSquareField::Hill,
                                TScanFileKind Kind = TScanFileKind::L3DDemo)
{
    TFileStream file(Path, fmCreate);
    return WriteSquareScan(file, Size, Field, Kind);
}

// The milliseconds from Begin to now, for the figures of the benchmarks.
inline double MsSince(std::chrono::steady_clock::time_point Begin)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Begin).count();
}

// Asks Window, from a thread of its own, whether it answers: one WM_NULL sent after the other
// (a short pause between them), each waiting up to LimitMs for its answer. The window's thread
// answers only while it looks at its messages, so the longest wait is the longest time the
// window left its messages unanswered meanwhile; the waits of more than a tenth of a second
// are kept with the time each question was sent. At each question the probe also notes the
// address space the process has in use, and keeps the most it saw.
class TAnswerProbe {
public:
    struct TWait {
        std::chrono::steady_clock::time_point Sent;
        double Ms;
    };

    explicit TAnswerProbe(HWND Window, unsigned LimitMs = 60000)
        : limitMs_(LimitMs), thread_([this, Window] {
              while (!stop_) {
                  const auto sent = std::chrono::steady_clock::now();
                  DWORD_PTR result = 0;
                  const bool answered =
                      SendMessageTimeoutW(Window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs_, &result) != 0;
                  const double waited = MsSince(sent);
                  if (waited > longest_)
                      longest_ = waited;
                  if (waited > 100.0) {
                      const std::lock_guard<std::mutex> lock(mutex_);
                      longWaits_.push_back({sent, waited});
                  }
                  unanswered_ += answered ? 0 : 1;
                  ++asked_;
                  const uint64_t inUse = ProcessAddressSpace().InUse;
                  if (inUse > peakInUse_)
                      peakInUse_ = inUse;
                  Sleep(20);
              }
              done_ = true;
          })
    {
    }
    ~TAnswerProbe() { Stop(); }
    TAnswerProbe(const TAnswerProbe&) = delete;
    TAnswerProbe& operator=(const TAnswerProbe&) = delete;

    // Ends the probe; the window's thread (this one) answers the question in flight meanwhile.
    void Stop()
    {
        stop_ = true;
        PumpUntil([this] { return done_.load(); }, int(limitMs_) + 5000);
        if (thread_.joinable())
            thread_.join();
    }
    double LongestMs() const { return longest_; }
    int Asked() const { return asked_; }
    int Unanswered() const { return unanswered_; }
    uint64_t PeakInUse() const { return peakInUse_; }
    std::vector<TWait> LongWaits() const
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        return longWaits_;
    }

private:
    const unsigned limitMs_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::atomic<double> longest_{0.0};
    std::atomic<int> asked_{0};
    std::atomic<int> unanswered_{0};
    std::atomic<uint64_t> peakInUse_{0};
    mutable std::mutex mutex_;
    std::vector<TWait> longWaits_;
    std::thread thread_;
};

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
