// What a replacement scroll bar needs from the world around it: the control it serves (through
// the scroll-bar controller), the system's settings, the mouse capture, a repeat timer and the
// track hint. The bar model is portable; the controller implements this interface over the
// window, and tests implement it over plain state.
//
// The base class answers as for a bar that serves no control: no handle, nothing scrolls,
// nothing is painted, and the system values are the standard ones.
#pragma once

#include "widgets/el/foundation/ElSBTypes.h"

#include "framework/Colors.h"
#include "framework/Types.h"

#include <cstdint>
#include <string>

class TElSBHandlerCustom;

// The bar's auto-repeat timer. After Start the bar's RepeatTimerTick is due every IntervalMs
// until Stop; Start on a running timer restarts it with the new interval. The tick is called
// from a timer callback and must be guarded there: nothing may throw through the system.
class IElSBTimer {
public:
    virtual ~IElSBTimer() = default;
    virtual void Start(uint32_t IntervalMs) = 0;
    virtual void Stop() = 0;
};

class IElScrollBarHost {
public:
    virtual ~IElScrollBarHost() = default;

    // ---- System settings
    virtual int32_t SystemMetric(TElSBMetric Metric) { (void)Metric; return 17; }
    // SPI_GETKEYBOARDDELAY (0..3) and SPI_GETKEYBOARDSPEED (0..31).
    virtual uint32_t KeyboardDelay() { return 1; }
    virtual uint32_t KeyboardSpeed() { return 31; }
    // SM_MOUSEWHEELPRESENT and SPI_GETWHEELSCROLLLINES (ElWheelPageScroll: a page per notch).
    virtual bool WheelPresent() { return true; }
    virtual uint32_t WheelScrollLines() { return 3; }

    // ---- The control
    virtual bool HandleAllocated() { return false; }
    // The control's owner (or the controller) is being loaded.
    virtual bool IsLoading() { return false; }
    virtual bool ControlEnabled() { return true; }
    virtual bool ControlFocused() { return false; }
    // The control's parent form is being destroyed (no track hint then).
    virtual bool ParentFormDestroying() { return false; }
    // GetScrollInfo of the bar's BarIndex with Info.fMask; Disabled tells whether the system
    // shows the bar disabled. False when the state cannot be read.
    virtual bool ReadScrollInfo(const TElSBHandlerCustom& Bar, TElScrollInfo& Info, bool& Disabled)
    {
        (void)Bar, (void)Info, (void)Disabled;
        return false;
    }
    // WS_HSCROLL / WS_VSCROLL of the bar on the control.
    virtual bool BarVisible(const TElSBHandlerCustom& Bar);
    // Sets or clears that style bit; true when it changed.
    virtual bool SetBarVisible(TElSBHandlerCustom& Bar, bool Visible) { (void)Bar, (void)Visible; return false; }
    // Makes the system measure the non-client area again (WM_NCCALCSIZE).
    virtual void UpdateFrame() {}
    // Repaints the non-client area (WM_NCPAINT).
    virtual void RepaintFrame() {}

    // ---- The bars
    // Delivers a scroll request of Bar to the control; true when the position changed, and then
    // Pos is the new position.
    virtual bool ScrollControl(TElSBHandlerCustom& Bar, uint8_t ScrollCode, int32_t& Pos)
    {
        (void)Bar, (void)ScrollCode, (void)Pos;
        return false;
    }
    // Asks for Bar to be repainted; the controller skips this while locked unless EvenWhileLocked.
    virtual void InvalidateBar(TElSBHandlerCustom& Bar, bool EvenWhileLocked) { (void)Bar, (void)EvenWhileLocked; }
    // Repaints ElBarHorz, ElBarVert or ElBarsBoth.
    virtual void PaintBars(int32_t Which) { (void)Which; }
    // The other bar of the control is visible and a button is held on it.
    virtual bool OtherBarTracking(const TElSBHandlerCustom& Bar) { (void)Bar; return false; }
    // Takes the mouse for the control (remembering a capture held by another window) and gives
    // it back.
    virtual void CaptureMouse(TElSBHandlerCustom& Bar) { (void)Bar; }
    virtual void ReleaseMouse(TElSBHandlerCustom& Bar) { (void)Bar; }
    // The cursor in Bar's coordinates.
    virtual TPoint CursorPos(const TElSBHandlerCustom& Bar) { (void)Bar; return TPoint{-1, -1}; }

    // ---- The track hint
    // Shows (or moves) the hint with Text, placed at Offset from the bar's top-left corner.
    virtual void ShowTrackHint(TElSBHandlerCustom& Bar, TPoint Offset, const std::u16string& Text)
    {
        (void)Bar, (void)Offset, (void)Text;
    }
    virtual void HideTrackHint(TElSBHandlerCustom& Bar) { (void)Bar; }

    // ---- Painting
    // The plain value of a colour (system colours resolved).
    virtual TColor ResolveColor(TColor Color) { return Color; }
    // The bar is painted with the system's theme.
    virtual bool Themed(const TElSBHandlerCustom& Bar) { (void)Bar; return false; }
    // The theme's colour of a scroll-bar track, when the theme has one.
    virtual bool ThemeTrackColor(TColor& Color) { (void)Color; return false; }
};
