// The model and mouse logic of one replacement scroll bar: range, page and position as the
// control reports them, the geometry of buttons and thumb, hit testing, press, thumb drag,
// auto-repeat and wheel, and the scroll requests the bar hands to its host (the controller,
// which turns them into WM_HSCROLL / WM_VSCROLL). Portable: everything outside the bar goes
// through IElScrollBarHost, the repeat timer through IElSBTimer, painting through an
// IElScrollBarPainter onto an IDrawSurface.
//
// States: idle (Tracking false); holding a button or page area (Tracking, PressedPart one of
// 1-4, 6, 7; the repeat timer runs while HotPart = PressedPart); dragging the thumb (Tracking,
// PressedPart 5; ThumbMoved and TrackPosition != -1 after the first move). A release or a
// cancel returns to idle.
#pragma once

#include "widgets/el/foundation/ElSBGeometry.h"
#include "widgets/el/foundation/ElSBHost.h"
#include "widgets/el/foundation/ElSBRange.h"
#include "widgets/el/foundation/ElSBTypes.h"

#include "framework/Components.h"
#include "framework/DrawSurface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IElScrollBarPainter;

using TElSBScrollEvent = std::function<void(TObject* Sender, uint8_t ScrollCode, int32_t& ScrollPos)>;
using TElSBDrawPartEvent = std::function<void(TObject* Sender, IDrawSurface& Canvas, const TRect& R, uint8_t Part,
                                              bool Enabled, bool Pressed, bool Hot, bool& DefaultDraw)>;
using TElSBHintNeededEvent = std::function<void(TObject* Sender, int32_t TrackPosition, std::u16string& Hint)>;
using TElSBHitTestEvent = std::function<void(TObject* Sender, int32_t X, int32_t Y, uint8_t& Part, bool& DoDefault)>;

// What the painter draws, one entry per visible piece of the bar, in painting order.
enum class TElSBPaintRole : uint8_t {
    FirstArrow, LastArrow, SecondaryFirst, SecondaryLast, PageBefore, Thumb, PageAfter,
    DisabledTrack,  // the whole track of a bar without a thumb, or of a disabled bar
};
struct TElSBPaintPart {
    TElSBPaintRole Role;
    uint8_t Part;  // the hit-test code offered to OnDrawPart (page-before for a disabled track)
    TRect Rect;
    bool Enabled;
    bool Pressed;
    bool Hot;
};

class TElSBHandlerCustom : public TPersistent {
public:
    // A bar of Kind (ebkHorizontal, ebkVertical) for the system bar BarIndex. Host may be nil
    // (a bar serving no control); it is not owned, and must be fully built, since the bar asks it
    // for the system's metrics at once. A horizontal bar is 121 long and as thick as the system's
    // horizontal bar; a vertical one the other way round.
    TElSBHandlerCustom(IElScrollBarHost* Host, uint8_t Kind, int32_t BarIndex);
    ~TElSBHandlerCustom() override;
    const char* ClassName() const override { return "TElSBHandlerCustom"; }

    IElScrollBarHost& Host() const { return *host_; }
    bool HasHost() const { return hasHost_; }
    // Binds the bar to another host (nil: none); the size stays as it is.
    void SetHost(IElScrollBarHost* Host);
    // The repeat timer (owned). Without one the bar does not auto-repeat.
    void SetRepeatTimer(std::unique_ptr<IElSBTimer> Timer);
    // The painter (owned); the classic painter until another is set.
    void SetPainter(std::unique_ptr<IElScrollBarPainter> Painter);
    IElScrollBarPainter& Painter();

    // ---- Overridable steps
    // The thumb offset that shows Position, and the position the current ThumbOffset shows.
    virtual int32_t PositionToThumbOffset() const;
    virtual int32_t ThumbOffsetToPosition() const;
    // Fires OnChange.
    virtual void DoChange();
    // Hands a scroll request to the host; then, with OnScroll assigned, ScrollPos := Position
    // and OnScroll may change it. Allow is True unless an override refuses the request.
    virtual void DoScroll(uint8_t ScrollCode, int32_t& ScrollPos, bool& Allow);
    virtual void DoScrollHintNeeded(int32_t TrackPosition, std::u16string& Hint);
    // DoDefault := True, then OnHitTest; a handler that clears DoDefault decides the part.
    virtual void DoHitTest(int32_t X, int32_t Y, uint8_t& Part, bool& DoDefault);

    // ---- State
    int32_t Min() const { return range_.Min; }
    int32_t Max() const { return range_.Max; }
    int32_t Page() const { return range_.Page; }
    int32_t Position() const { return range_.Position; }
    const TElSBRange& Range() const { return range_; }
    int32_t TrackPosition() const { return trackPosition_; }
    uint8_t Kind() const { return kind_; }
    bool Vertical() const { return kind_ == ebkVertical; }
    int32_t BarIndex() const { return barIndex_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    const TRect& BarRect() const { return barRect_; }
    bool Enabled() const { return enabled_; }
    int32_t ThumbOffset() const { return thumbOffset_; }
    bool MouseInside() const { return mouseInside_; }
    uint8_t PressedPart() const { return pressedPart_; }
    uint8_t PartAtPress() const { return partAtPress_; }
    uint8_t HotPart() const { return hotPart_; }
    TPoint PressPoint() const { return pressPoint_; }
    bool Tracking() const { return tracking_; }
    bool ThumbMoved() const { return thumbMoved_; }
    bool CachedVisible() const { return cachedVisible_; }
    void SetCachedVisible(bool Value) { cachedVisible_ = Value; }
    const TElSBStyleData& Styles() const { return styles_; }
    bool RepeatTimerRunning() const { return repeatRunning_; }
    uint32_t RepeatInterval() const { return repeatInterval_; }
    // Copied by Assign; read by the controller when it delivers a thumb track.
    bool ForceScrollMessage = false;

    // ---- Geometry
    // Length along the bar and thickness across it.
    int32_t Length() const { return Vertical() ? height_ : width_; }
    int32_t Thickness() const { return Vertical() ? width_ : height_; }
    TElSBMetrics Metrics() const;
    TElSBLayout Layout() const;
    int32_t ThumbLength() const { return Layout().ThumbLength; }
    TRect PartRect(uint8_t Part) const;
    // The bar's place in window coordinates; its size becomes the bar's Width and Height.
    void SetBarRect(const TRect& R);
    void SetSize(int32_t AWidth, int32_t AHeight);

    // ---- Operations
    // Moves the bar's own position (clamped to [Min, MaxPosition] unless the control is loading).
    void SetPosition(int32_t Value, bool Redraw);
    // SetScrollInfo as the control made it; returns the new position.
    int32_t SetScrollInfo(const TElScrollInfo& Info, bool Redraw);
    // Reads the bar's state back from the control's window.
    void UpdateFromScrollInfo();
    uint8_t GetPart(int32_t X, int32_t Y);
    // A press (Pressed), a release (not Pressed), or a cancelled release (Cancel), at bar
    // coordinates X, Y.
    void MouseDown(bool Pressed, bool Cancel, int32_t X, int32_t Y);
    void MouseMove(int32_t X, int32_t Y);
    void MouseEnter();
    void MouseLeave();
    void HandleMouseWheel(int32_t WheelDelta);
    bool CanScrollBack() const { return range_.CanScrollBack(); }
    bool CanScrollForward() const { return range_.CanScrollForward(); }
    void Invalidate();
    bool GetVisible() const;
    void SetVisible(bool Value);
    // Called by the repeat timer.
    void RepeatTimerTick();

    // ---- Painting
    // The pieces to paint, with their states, in painting order.
    std::vector<TElSBPaintPart> PaintParts() const;
    // Paints the whole bar; the surface's origin is the bar's top-left corner.
    void Paint(IDrawSurface& Canvas);

    TNotifyEvent OnChange;
    TElSBScrollEvent OnScroll;
    TElSBDrawPartEvent OnDrawPart;
    TElSBHintNeededEvent OnScrollHintNeeded;
    TElSBHitTestEvent OnHitTest;

protected:
    // Recomputes ThumbOffset from the position (not while the thumb follows the mouse).
    void UpdateThumbOffset();
    // Thickness setter of the published Width.
    void SetThickness(int32_t Value);
    int32_t SystemArrowSize() const;
    int32_t SystemThumbSize() const;
    int32_t SystemThickness() const;

    TElSBStyleData styles_;

private:
    struct Action {
        uint8_t Code = escEndScroll;
        int32_t Target = 0;
        bool CanAct = false;
    };
    // What pressing Part does now.
    Action ActionOf(uint8_t Part) const;
    void Press(int32_t X, int32_t Y);
    void Release(bool Cancel);
    void DragThumb(int32_t Along);
    // DoScroll, then the bar's own move when the request left Target elsewhere.
    void Request(uint8_t Code, int32_t Target);
    void StartRepeat(uint32_t IntervalMs);
    void StopRepeat();
    void ShowHint(int32_t Position);
    void HideHint();
    int32_t Along(int32_t X, int32_t Y) const { return Vertical() ? Y : X; }
    bool DraggingThumb() const { return tracking_ && pressedPart_ == sbpThumb && thumbMoved_; }
    bool ThumbShown() const;

    IElScrollBarHost* host_;
    bool hasHost_;
    std::unique_ptr<IElSBTimer> timer_;
    std::unique_ptr<IElScrollBarPainter> painter_;

    TElSBRange range_;
    int32_t trackPosition_ = -1;
    uint8_t kind_;
    int32_t barIndex_;
    int32_t width_ = 121;
    int32_t height_ = 17;
    TRect barRect_;
    bool enabled_ = false;
    int32_t thumbOffset_ = 0;
    bool mouseInside_ = false;
    int32_t dragOrigin_ = 0;
    int32_t dragStartPosition_ = 0;
    int32_t dragStartMouse_ = 0;
    uint8_t pressedPart_ = sbpNowhere;
    uint8_t partAtPress_ = sbpNowhere;
    uint8_t hotPart_ = sbpNowhere;
    TPoint pressPoint_;
    bool tracking_ = false;
    bool thumbMoved_ = false;
    bool cachedVisible_ = true;
    bool repeatRunning_ = false;
    uint32_t repeatInterval_ = 0;
    bool hintShown_ = false;
};
