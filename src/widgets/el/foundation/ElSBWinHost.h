// The window side of the replacement scroll bars: what a bar asks of the system (metrics,
// keyboard and wheel settings, the scroll state and style bits of the control's window, the
// mouse capture, the cursor, the track hint) answered over a real windowed control, and the
// bars' auto-repeat timer on a TTimer.
//
// The scroll-bar controller derives from TElSBWinHost and adds what depends on its own state
// (the frame, painting, scroll requests, the theme).
#pragma once

#include "widgets/el/foundation/ElSBHandler.h"
#include "widgets/el/foundation/ElSBHost.h"

#include "framework/Controls.h"
#include "framework/HintWindow.h"
#include "framework/Timer.h"

#include <windows.h>

#include <memory>

// A bar's repeat timer. Its ticks run the bar's RepeatTimerTick behind the exception barrier:
// the tick comes from a timer message, and nothing may unwind through the system.
class TElSBRepeatTimer : public IElSBTimer {
public:
    explicit TElSBRepeatTimer(TElSBHandlerCustom& Bar);
    void Start(uint32_t IntervalMs) override;
    void Stop() override;
    bool Running() const { return timer_.Enabled(); }
    uint32_t Interval() const { return timer_.Interval(); }

private:
    TTimer timer_;
};

class TElSBWinHost : public IElScrollBarHost {
public:
    ~TElSBWinHost() override;

    int32_t SystemMetric(TElSBMetric Metric) override;
    uint32_t KeyboardDelay() override;
    uint32_t KeyboardSpeed() override;
    bool WheelPresent() override;
    uint32_t WheelScrollLines() override;

    bool HandleAllocated() override;
    bool ControlEnabled() override;
    bool ControlFocused() override;
    bool ParentFormDestroying() override;
    bool ReadScrollInfo(const TElSBHandlerCustom& Bar, TElScrollInfo& Info, bool& Disabled) override;
    bool BarVisible(const TElSBHandlerCustom& Bar) override;
    bool SetBarVisible(TElSBHandlerCustom& Bar, bool Visible) override;
    void RepaintFrame() override;

    void CaptureMouse(TElSBHandlerCustom& Bar) override;
    void ReleaseMouse(TElSBHandlerCustom& Bar) override;
    TPoint CursorPos(const TElSBHandlerCustom& Bar) override;

    void ShowTrackHint(TElSBHandlerCustom& Bar, TPoint Offset, const std::u16string& Text) override;
    void HideTrackHint(TElSBHandlerCustom& Bar) override;

    TColor ResolveColor(TColor Color) override;

    // The window that held the mouse before a bar took it (null when none).
    HWND SavedCapture() const { return savedCapture_; }
    // True while the host itself changes the control's style bits; the controller swallows the
    // style-change messages meanwhile.
    bool StyleChanging() const { return styleChanging_; }
    // The track hint shown for the bar of BarIndex, if any.
    THintWindow* TrackHintWindow(int32_t BarIndex) const;

protected:
    // The control whose window the bars serve (null: none).
    TWinControl* control_ = nullptr;
    bool styleChanging_ = false;

    // The control's window, or null when there is none.
    HWND ControlHandle() const;
    // Gives the mouse back if a bar holds it, to the window that had it before when that window
    // still exists and belongs to this thread.
    void ReleaseHeldCapture();
    // Frees both track hints.
    void FreeTrackHints();
    // Sets or clears Bits in the control's GWL_STYLE with the style-change messages swallowed.
    // Returns the style the window had.
    LONG ChangeStyleBits(LONG Bits, bool Set);
    // Window coordinates of a point in screen coordinates.
    TPoint ScreenToWindow(TPoint Screen);

private:
    HWND savedCapture_ = nullptr;
    bool captured_ = false;
    TOwned<THintWindow> hints_[2];
};
