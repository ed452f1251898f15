#include "widgets/el/foundation/ElSBHandler.h"

#include "widgets/el/foundation/ElSBPainter.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The host of a bar that serves no control.
IElScrollBarHost& DetachedHost()
{
    static IElScrollBarHost host;
    return host;
}

bool IsButtonPart(uint8_t Part)
{
    return Part >= sbpFirstArrow && Part <= sbpSecondaryFirst;
}

}  // namespace

bool IElScrollBarHost::BarVisible(const TElSBHandlerCustom& Bar)
{
    return Bar.CachedVisible();
}

TElSBHandlerCustom::TElSBHandlerCustom(IElScrollBarHost* Host, uint8_t Kind, int32_t BarIndex)
    : host_(Host ? Host : &DetachedHost()), hasHost_(Host != nullptr), kind_(Kind), barIndex_(BarIndex)
{
    const int32_t thickness = host_->SystemMetric(TElSBMetric::HBarHeight);
    if (Vertical()) {
        width_ = thickness;
        height_ = 121;
    } else {
        width_ = 121;
        height_ = thickness;
    }
    enabled_ = range_.Min < range_.Max;
    UpdateThumbOffset();
}

TElSBHandlerCustom::~TElSBHandlerCustom()
{
    // The host may be half destroyed by now (it usually owns the bar): only the bar's own
    // timer is touched here. The host releases the capture and the hint before it frees a bar.
    if (timer_)
        timer_->Stop();
}

void TElSBHandlerCustom::SetHost(IElScrollBarHost* Host)
{
    host_ = Host ? Host : &DetachedHost();
    hasHost_ = Host != nullptr;
    UpdateThumbOffset();
}

void TElSBHandlerCustom::SetRepeatTimer(std::unique_ptr<IElSBTimer> Timer)
{
    if (timer_)
        timer_->Stop();
    timer_ = std::move(Timer);
    if (timer_ && repeatRunning_)
        timer_->Start(repeatInterval_);
}

void TElSBHandlerCustom::SetPainter(std::unique_ptr<IElScrollBarPainter> Painter)
{
    painter_ = std::move(Painter);
}

IElScrollBarPainter& TElSBHandlerCustom::Painter()
{
    if (!painter_)
        painter_ = std::make_unique<TElSBClassicPainter>();
    return *painter_;
}

// ---- Overridable steps

int32_t TElSBHandlerCustom::PositionToThumbOffset() const
{
    return ::PositionToThumbOffset(Layout(), range_);
}

int32_t TElSBHandlerCustom::ThumbOffsetToPosition() const
{
    return ::ThumbOffsetToPosition(Layout(), range_, thumbOffset_);
}

void TElSBHandlerCustom::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TElSBHandlerCustom::DoScroll(uint8_t ScrollCode, int32_t& ScrollPos, bool& Allow)
{
    Allow = true;
    host_->ScrollControl(*this, ScrollCode, ScrollPos);
    if (Allow && OnScroll) {
        ScrollPos = range_.Position;
        OnScroll(this, ScrollCode, ScrollPos);
    }
}

void TElSBHandlerCustom::DoScrollHintNeeded(int32_t TrackPosition, std::u16string& Hint)
{
    if (OnScrollHintNeeded)
        OnScrollHintNeeded(this, TrackPosition, Hint);
}

void TElSBHandlerCustom::DoHitTest(int32_t X, int32_t Y, uint8_t& Part, bool& DoDefault)
{
    DoDefault = true;
    if (OnHitTest)
        OnHitTest(this, X, Y, Part, DoDefault);
}

// ---- Geometry

int32_t TElSBHandlerCustom::SystemArrowSize() const
{
    return host_->SystemMetric(Vertical() ? TElSBMetric::VArrowHeight : TElSBMetric::HArrowWidth);
}

int32_t TElSBHandlerCustom::SystemThumbSize() const
{
    return host_->SystemMetric(Vertical() ? TElSBMetric::VThumbHeight : TElSBMetric::HThumbWidth);
}

int32_t TElSBHandlerCustom::SystemThickness() const
{
    return host_->SystemMetric(Vertical() ? TElSBMetric::HBarHeight : TElSBMetric::VBarWidth);
}

TElSBMetrics TElSBHandlerCustom::Metrics() const
{
    TElSBMetrics m;
    m.Length = Length();
    m.Thickness = Thickness();
    m.ButtonSize = styles_.UseSystemMetrics ? SystemArrowSize() : styles_.ButtonSize;
    m.ShowFirstArrows = styles_.ShowLeftArrows;
    m.ShowLastArrows = styles_.ShowRightArrows;
    m.SecondaryButtons = styles_.SecondaryButtons;
    m.ThumbMode = styles_.ThumbMode;
    m.SystemThumbSize = SystemThumbSize();
    m.FixedThumbSize = styles_.UseSystemMetrics ? m.SystemThumbSize : styles_.ThumbSize;
    m.MinThumbSize = styles_.MinThumbSize;
    return m;
}

TElSBLayout TElSBHandlerCustom::Layout() const
{
    return ComputeSBLayout(Metrics(), range_, Vertical());
}

TRect TElSBHandlerCustom::PartRect(uint8_t Part) const
{
    return SBPartRect(Layout(), Metrics(), thumbOffset_, static_cast<TElSBPart>(Part));
}

void TElSBHandlerCustom::SetBarRect(const TRect& R)
{
    barRect_ = R;
    SetSize(R.Width(), R.Height());
}

void TElSBHandlerCustom::SetSize(int32_t AWidth, int32_t AHeight)
{
    width_ = std::max(0, AWidth);
    height_ = std::max(0, AHeight);
    UpdateThumbOffset();
}

void TElSBHandlerCustom::SetThickness(int32_t Value)
{
    (Vertical() ? width_ : height_) = std::max(0, Value);
    UpdateThumbOffset();
}

void TElSBHandlerCustom::UpdateThumbOffset()
{
    if (!DraggingThumb())
        thumbOffset_ = PositionToThumbOffset();
}

bool TElSBHandlerCustom::ThumbShown() const
{
    return range_.Scrollable() && ThumbLength() > 0;
}

// ---- Range and position

void TElSBHandlerCustom::SetPosition(int32_t Value, bool Redraw)
{
    if (Value == range_.Position)
        return;
    const int32_t old = range_.Position;
    if (host_->IsLoading()) {
        range_.Position = Value;
    } else {
        range_.Position = range_.Clamp(Value);
        UpdateThumbOffset();
    }
    if (Redraw && range_.Position != old) {
        auto atEnd = [&](int32_t p) { return p == range_.Min || p == range_.MaxPosition(); };
        // Buttons that never look disabled keep their look away from the ends: only the thumb
        // moves, and that repaint may pass a lock.
        host_->InvalidateBar(*this, styles_.NoDisableButtons && !atEnd(old) && !atEnd(range_.Position));
    }
}

int32_t TElSBHandlerCustom::SetScrollInfo(const TElScrollInfo& Info, bool Redraw)
{
    if (!ApplyScrollInfo(range_, Info))
        return range_.Position;
    enabled_ = range_.Min < range_.Max;
    UpdateThumbOffset();
    bool visibilityChanged = false;
    if (const std::optional<bool> shown = ShownAfterScrollInfo(range_, Info.fMask)) {
        cachedVisible_ = *shown;
        visibilityChanged = host_->SetBarVisible(*this, *shown);
    }
    if (Redraw && host_->HandleAllocated()) {
        if (visibilityChanged)
            host_->UpdateFrame();
        else
            host_->RepaintFrame();
    }
    return range_.Position;
}

void TElSBHandlerCustom::UpdateFromScrollInfo()
{
    if (!host_->HandleAllocated()) {
        range_.Position = -1;
        trackPosition_ = -1;
        thumbOffset_ = 0;
        return;
    }
    TElScrollInfo info;
    info.fMask = ESIF_ALL;
    bool disabled = false;
    if (!host_->ReadScrollInfo(*this, info, disabled))
        return;
    const bool thumbBefore = ThumbShown();
    bool rangeChanged = false;
    if (info.fMask & ESIF_RANGE) {
        rangeChanged = info.nMin != range_.Min || info.nMax != range_.Max;
        range_.Min = info.nMin;
        range_.Max = info.nMax;
    }
    if (info.fMask & ESIF_PAGE)
        range_.Page = static_cast<int32_t>(std::min<uint32_t>(info.nPage, 0x7FFFFFFF));
    if (info.fMask & ESIF_POS)
        range_.Position = info.nPos;
    // Outside a drag TrackPosition stays -1, which is how the bar tells that none is going on.
    if (DraggingThumb() && (info.fMask & ESIF_TRACKPOS))
        trackPosition_ = info.nTrackPos;
    enabled_ = range_.Min < range_.Max && !disabled;
    UpdateThumbOffset();
    if (rangeChanged && thumbBefore != ThumbShown())
        host_->PaintBars(ElBarsBoth);
    else
        Invalidate();
}

// ---- Mouse

uint8_t TElSBHandlerCustom::GetPart(int32_t X, int32_t Y)
{
    uint8_t part = sbpNowhere;
    bool doDefault = true;
    DoHitTest(X, Y, part, doDefault);
    if (!doDefault)
        return part;
    return HitTestSB(Layout(), Metrics(), thumbOffset_, Along(X, Y), Vertical() ? X : Y);
}

TElSBHandlerCustom::Action TElSBHandlerCustom::ActionOf(uint8_t Part) const
{
    const int64_t pos = range_.Position;
    auto back = [&](int64_t step, uint8_t code) { return Action{code, range_.Clamp(pos - step), CanScrollBack()}; };
    auto forward = [&](int64_t step, uint8_t code) {
        return Action{code, range_.Clamp(pos + step), CanScrollForward()};
    };
    switch (Part) {
    case sbpFirstArrow: return back(styles_.Step, escLineUp);
    case sbpLastArrow: return forward(styles_.Step, escLineDown);
    case sbpPageBefore: return back(range_.Page, escPageUp);
    case sbpPageAfter: return forward(range_.Page, escPageDown);
    case sbpSecondaryLast:
        switch (styles_.SecondBtnKind) {
        case sbkOpposite: return ActionOf(sbpFirstArrow);
        case sbkPage: return ActionOf(sbpPageAfter);
        default: return Action{escCustomLast, range_.Position, true};
        }
    case sbpSecondaryFirst:
        switch (styles_.SecondBtnKind) {
        case sbkOpposite: return ActionOf(sbpLastArrow);
        case sbkPage: return ActionOf(sbpPageBefore);
        default: return Action{escCustomFirst, range_.Position, true};
        }
    default: return Action{};
    }
}

void TElSBHandlerCustom::Request(uint8_t Code, int32_t Target)
{
    int32_t pos = Target;
    bool allow = true;
    DoScroll(Code, pos, allow);
    if (allow && pos != range_.Position) {
        SetPosition(pos, true);
        DoChange();
    }
}

void TElSBHandlerCustom::MouseDown(bool Pressed, bool Cancel, int32_t X, int32_t Y)
{
    if (Pressed)
        Press(X, Y);
    else
        Release(Cancel);
}

void TElSBHandlerCustom::Press(int32_t X, int32_t Y)
{
    // One button at a time: a press while another is held changes nothing.
    if (tracking_)
        return;
    const uint8_t part = GetPart(X, Y);
    const Action action = ActionOf(part);
    const bool canTrack = part == sbpThumb ? range_.Page < range_.Extent() && range_.Max != range_.Min
                                           : action.CanAct;
    if (part == sbpNowhere || (!canTrack && (!styles_.NoDisableButtons || part == sbpThumb)))
        return;
    // The pointer is over the part it pressed, so the part shows pressed at once.
    pressedPart_ = partAtPress_ = hotPart_ = part;
    tracking_ = true;
    host_->CaptureMouse(*this);
    if (part == sbpThumb) {
        const int32_t along = Along(X, Y);
        dragStartMouse_ = along;
        dragStartPosition_ = range_.Position;
        dragOrigin_ = along - thumbOffset_;
        if (styles_.ShowTrackHint)
            ShowHint(range_.Position);
    } else {
        pressPoint_ = TPoint{X, Y};
        StartRepeat((std::min<uint32_t>(host_->KeyboardDelay(), 3) + 1) * 250);
        Request(action.Code, action.Target);
    }
    Invalidate();
}

void TElSBHandlerCustom::Release(bool Cancel)
{
    if (!tracking_)
        return;
    StopRepeat();
    host_->ReleaseMouse(*this);
    tracking_ = false;
    const bool thumb = pressedPart_ == sbpThumb, moved = thumbMoved_;
    thumbMoved_ = false;
    trackPosition_ = -1;
    if (thumb)
        HideHint();
    if (!Cancel) {
        // A thumb clicked without a drag keeps its position (mapping its offset back could
        // round to a neighbour).
        if (thumb)
            Request(escPosition, moved ? ThumbOffsetToPosition() : range_.Position);
        else
            Request(escEndScroll, range_.Position);
    }
    pressedPart_ = sbpNowhere;
    UpdateThumbOffset();
    Invalidate();
}

void TElSBHandlerCustom::MouseMove(int32_t X, int32_t Y)
{
    if (!tracking_) {
        const uint8_t part = GetPart(X, Y);
        if (part != hotPart_) {
            hotPart_ = part;
            Invalidate();
        }
        return;
    }
    if (pressedPart_ == sbpThumb) {
        DragThumb(Along(X, Y));
        return;
    }
    const uint8_t part = GetPart(X, Y);
    if (part == hotPart_)
        return;
    // Repeating pauses while the pointer is off the pressed part.
    if (part != pressedPart_)
        StopRepeat();
    else
        StartRepeat(repeatInterval_);
    hotPart_ = part;
    Invalidate();
}

void TElSBHandlerCustom::DragThumb(int32_t AlongBar)
{
    const TElSBLayout layout = Layout();
    if (!thumbMoved_) {
        thumbMoved_ = true;
        trackPosition_ = dragOrigin_;
    }
    const int64_t along = AlongBar, length = layout.Length;
    int32_t offset, position;
    if (along < -(length / 2) || along - length > length / 2) {
        // Far off the bar the thumb snaps back to where the drag began, as the system's does.
        offset = dragStartMouse_ - dragOrigin_;
        position = dragStartPosition_;
    } else {
        const int64_t last = std::max(layout.TrackStart(), layout.TrackEnd() - layout.ThumbLength);
        offset = static_cast<int32_t>(std::clamp<int64_t>(along - dragOrigin_, layout.TrackStart(), last));
        position = ::ThumbOffsetToPosition(layout, range_, offset);
    }
    const bool changed = offset != thumbOffset_;
    thumbOffset_ = offset;
    bool allow = true;
    DoScroll(escTrack, position, allow);
    if (changed) {
        Invalidate();
        if (styles_.ShowTrackHint)
            ShowHint(position);
    }
}

void TElSBHandlerCustom::MouseEnter()
{
    mouseInside_ = true;
    if ((styles_.Flat && !styles_.ActiveFlat) || host_->Themed(*this))
        Invalidate();
}

void TElSBHandlerCustom::MouseLeave()
{
    const bool wasButton = IsButtonPart(hotPart_);
    mouseInside_ = false;
    hotPart_ = sbpNowhere;
    if ((styles_.Flat && !styles_.ActiveFlat) || host_->Themed(*this) || wasButton)
        Invalidate();
}

void TElSBHandlerCustom::HandleMouseWheel(int32_t WheelDelta)
{
    uint32_t lines = host_->WheelPresent() ? host_->WheelScrollLines() : 3;
    const bool byPage = lines == ElWheelPageScroll;
    int32_t count;
    if (byPage) {
        count = WheelDelta / ElWheelDelta;
    } else {
        // More than 120 lines a notch would make the notch's share of the delta 0.
        lines = std::clamp<uint32_t>(lines, 1, ElWheelDelta);
        count = WheelDelta / (ElWheelDelta / static_cast<int32_t>(lines));
    }
    if (count == 0)
        return;
    const int64_t step = byPage ? range_.Page : styles_.Step;
    const uint8_t code = count > 0 ? (byPage ? escPageUp : escLineUp) : (byPage ? escPageDown : escLineDown);
    for (int64_t i = std::llabs(count); i > 0; --i) {
        const int32_t before = range_.Position;
        const int32_t target = range_.Clamp(count > 0 ? before - step : before + step);
        if (target == before)
            break;
        int32_t pos = target;
        bool allow = true;
        DoScroll(code, pos, allow);
        if (!allow)
            break;
        if (pos != range_.Position) {
            SetPosition(pos, true);
            DoChange();
        }
        // Whoever moved it (the control or the bar), a step that moved nothing is the end.
        if (range_.Position == before)
            break;
    }
    Request(escEndScroll, range_.Position);
}

void TElSBHandlerCustom::RepeatTimerTick()
{
    if (!tracking_ || pressedPart_ == sbpThumb || pressedPart_ == sbpNowhere) {
        StopRepeat();
        return;
    }
    const uint32_t rate = 1000 / (std::min<uint32_t>(host_->KeyboardSpeed(), 999) + 1);
    if (rate != repeatInterval_)
        StartRepeat(rate);
    const TPoint p = host_->CursorPos(*this);
    // Page steps stop once the thumb reaches the pointer.
    if ((pressedPart_ == sbpPageBefore || pressedPart_ == sbpPageAfter) && GetPart(p.X, p.Y) != pressedPart_)
        return;
    const Action action = ActionOf(pressedPart_);
    if (action.Target != range_.Position)
        Request(action.Code, action.Target);
}

void TElSBHandlerCustom::StartRepeat(uint32_t IntervalMs)
{
    repeatInterval_ = IntervalMs;
    repeatRunning_ = true;
    if (timer_)
        timer_->Start(IntervalMs);
}

void TElSBHandlerCustom::StopRepeat()
{
    repeatRunning_ = false;
    if (timer_)
        timer_->Stop();
}

void TElSBHandlerCustom::ShowHint(int32_t Position)
{
    if (host_->ParentFormDestroying())
        return;
    std::u16string text;
    DoScrollHintNeeded(Position, text);
    if (text.empty())
        return;
    const TPoint offset = Vertical() ? TPoint{-2, thumbOffset_ - 2} : TPoint{thumbOffset_ - 2, -5};
    host_->ShowTrackHint(*this, offset, text);
    hintShown_ = true;
}

void TElSBHandlerCustom::HideHint()
{
    if (!hintShown_)
        return;
    hintShown_ = false;
    host_->HideTrackHint(*this);
}

void TElSBHandlerCustom::Invalidate()
{
    host_->InvalidateBar(*this, false);
}

bool TElSBHandlerCustom::GetVisible() const
{
    return host_->BarVisible(*this);
}

void TElSBHandlerCustom::SetVisible(bool Value)
{
    cachedVisible_ = Value;
    host_->SetBarVisible(*this, Value);
}

// ---- Painting

std::vector<TElSBPaintPart> TElSBHandlerCustom::PaintParts() const
{
    const TElSBLayout layout = Layout();
    const bool otherTracking = host_->OtherBarTracking(*this);
    const bool barDisabled = !enabled_ || !host_->ControlEnabled();
    std::vector<TElSBPaintPart> parts;
    auto add = [&](TElSBPaintRole role, uint8_t part, const TRect& rect, bool canAct) {
        if (rect.IsEmpty())
            return;
        TElSBPaintPart p{role, part, rect, false, false, false};
        p.Enabled = !barDisabled && (canAct || styles_.NoDisableButtons);
        if (!otherTracking) {
            p.Pressed = tracking_ && pressedPart_ == part && (part == sbpThumb || hotPart_ == part);
            p.Hot = !tracking_ && mouseInside_ && hotPart_ == part;
        }
        parts.push_back(p);
    };
    add(TElSBPaintRole::FirstArrow, sbpFirstArrow, PartRect(sbpFirstArrow), CanScrollBack());
    add(TElSBPaintRole::LastArrow, sbpLastArrow, PartRect(sbpLastArrow), CanScrollForward());
    add(TElSBPaintRole::SecondaryFirst, sbpSecondaryFirst, PartRect(sbpSecondaryFirst),
        ActionOf(sbpSecondaryFirst).CanAct);
    add(TElSBPaintRole::SecondaryLast, sbpSecondaryLast, PartRect(sbpSecondaryLast),
        ActionOf(sbpSecondaryLast).CanAct);
    if (layout.ThumbLength == 0 || barDisabled) {
        const TRect track = layout.Band(layout.TrackStart(), layout.TrackEnd());
        if (!track.IsEmpty())
            parts.push_back(TElSBPaintPart{TElSBPaintRole::DisabledTrack, sbpPageBefore, track, false, false, false});
        return parts;
    }
    add(TElSBPaintRole::PageBefore, sbpPageBefore, PartRect(sbpPageBefore), CanScrollBack());
    add(TElSBPaintRole::Thumb, sbpThumb, PartRect(sbpThumb), range_.Scrollable());
    add(TElSBPaintRole::PageAfter, sbpPageAfter, PartRect(sbpPageAfter), CanScrollForward());
    return parts;
}

void TElSBHandlerCustom::Paint(IDrawSurface& Canvas)
{
    for (const TElSBPaintPart& part : PaintParts()) {
        if (styles_.OwnerDraw && OnDrawPart) {
            bool defaultDraw = true;
            OnDrawPart(this, Canvas, part.Rect, part.Part, part.Enabled, part.Pressed, part.Hot, defaultDraw);
            if (!defaultDraw)
                continue;
        }
        Painter().PaintPart(*this, part, Canvas);
    }
}
