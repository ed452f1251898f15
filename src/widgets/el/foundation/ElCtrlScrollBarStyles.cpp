#include "widgets/el/foundation/ElCtrlScrollBarStyles.h"

void TElCtrlScrollBarStyles::Relayout()
{
    UpdateThumbOffset();
    Invalidate();
}

void TElCtrlScrollBarStyles::SetActiveFlat(bool Value)
{
    if (Store(styles_.ActiveFlat, Value) && HasHost() && (MouseInside() || Host().ControlFocused()))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetArrowColor(TColor Value)
{
    if (Store(styles_.ArrowColor, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetArrowHotTrackColor(TColor Value)
{
    if (Store(styles_.ArrowHotTrackColor, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetBarOffset(uint32_t Value)
{
    if (Store(styles_.BarOffset, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetBarColor(TColor Value)
{
    if (Store(styles_.BarColor, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetBlendBackground(bool Value)
{
    if (Store(styles_.BlendBackground, Value) && Host().HandleAllocated())
        Invalidate();
}

void TElCtrlScrollBarStyles::SetButtonSize(int32_t Value)
{
    if (Value <= 0 || (Host().HandleAllocated() && 2 * static_cast<int64_t>(Value) > Length()))
        return;
    if (Store(styles_.ButtonSize, Value))
        Relayout();
}

void TElCtrlScrollBarStyles::SetColor(TColor Value)
{
    if (Store(styles_.Color, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetStyleWidth(int32_t Value)
{
    if (HasHost() && styles_.UseSystemMetrics)
        return;
    SetThickness(Value);
    Host().UpdateFrame();
}

void TElCtrlScrollBarStyles::SetDrawArrowFrames(bool Value)
{
    if (Store(styles_.DrawArrowFrames, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetDrawBars(bool Value)
{
    if (Store(styles_.DrawBars, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetShowBorder(bool Value)
{
    if (!Store(styles_.ShowBorder, Value))
        return;
    if (!Value)
        styles_.DrawArrowFrames = false;
    Invalidate();
}

void TElCtrlScrollBarStyles::SetFlat(bool Value)
{
    if (Store(styles_.Flat, Value) && Host().HandleAllocated() && !Host().IsLoading())
        Invalidate();
}

void TElCtrlScrollBarStyles::SetMinThumbSize(int32_t Value)
{
    if (Value <= 0 || !Store(styles_.MinThumbSize, Value))
        return;
    if (styles_.ThumbMode == etmAuto)
        Relayout();
}

void TElCtrlScrollBarStyles::SetNoDisableButtons(bool Value)
{
    if (Store(styles_.NoDisableButtons, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetNoSunkenThumb(bool Value)
{
    if (Store(styles_.NoSunkenThumb, Value) && Tracking() && PressedPart() == sbpThumb)
        Invalidate();
}

void TElCtrlScrollBarStyles::SetOwnerDraw(bool Value)
{
    if (Store(styles_.OwnerDraw, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetSecondaryButtons(bool Value)
{
    if (Store(styles_.SecondaryButtons, Value))
        Relayout();
}

void TElCtrlScrollBarStyles::SetSecondBtnKind(TElSecButtonsKind Value)
{
    if (Store(styles_.SecondBtnKind, Value) && styles_.SecondaryButtons)
        Invalidate();
}

void TElCtrlScrollBarStyles::SetShowLeftArrows(bool Value)
{
    if (Store(styles_.ShowLeftArrows, Value))
        Relayout();
}

void TElCtrlScrollBarStyles::SetShowRightArrows(bool Value)
{
    if (Store(styles_.ShowRightArrows, Value))
        Relayout();
}

void TElCtrlScrollBarStyles::SetSystemBkColor(bool Value)
{
    if (Store(styles_.SystemBkColor, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetThinFrame(bool Value)
{
    if (Store(styles_.ThinFrame, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::SetThumbMode(TElScrollThumbMode Value)
{
    if (!Store(styles_.ThumbMode, Value))
        return;
    if (Value == etmFixed && styles_.UseSystemMetrics)
        styles_.ThumbSize = SystemThumbSize();
    Relayout();
}

int32_t TElCtrlScrollBarStyles::ThumbSize() const
{
    return styles_.UseSystemMetrics && styles_.ThumbMode == etmFixed ? SystemThumbSize() : styles_.ThumbSize;
}

void TElCtrlScrollBarStyles::SetThumbSize(int32_t Value)
{
    if (Value > 0 && Store(styles_.ThumbSize, Value))
        Relayout();
}

void TElCtrlScrollBarStyles::SetUseSystemMetrics(bool Value)
{
    if (!Store(styles_.UseSystemMetrics, Value) || Host().IsLoading())
        return;
    if (Value && HasHost() && Host().HandleAllocated()) {
        styles_.ButtonSize = SystemArrowSize();
        SetThickness(SystemThickness());
    }
    UpdateThumbOffset();
    Host().UpdateFrame();
}

void TElCtrlScrollBarStyles::RefreshSystemMetrics()
{
    if (!styles_.UseSystemMetrics)
        return;
    styles_.ButtonSize = SystemArrowSize();
    SetThickness(SystemThickness());
}

void TElCtrlScrollBarStyles::SetUseXPThemes(bool Value)
{
    if (Store(styles_.UseXPThemes, Value))
        Invalidate();
}

void TElCtrlScrollBarStyles::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TElCtrlScrollBarStyles*>(Source);
    if (!s) {
        TElSBHandlerCustom::Assign(Source);
        return;
    }
    SetActiveFlat(s->ActiveFlat());
    SetAltDisablingArrows(s->AltDisablingArrows());
    SetArrowColor(s->ArrowColor());
    SetArrowHotTrackColor(s->ArrowHotTrackColor());
    SetBarOffset(s->BarOffset());
    SetBarColor(s->BarColor());
    SetBlendBackground(s->BlendBackground());
    SetButtonSize(s->ButtonSize());
    SetChangeColorsOnScroll(s->ChangeColorsOnScroll());
    SetColor(s->Color());
    SetStyleWidth(s->StyleWidth());
    SetDrawArrowFrames(s->DrawArrowFrames());
    SetDrawBars(s->DrawBars());
    SetShowBorder(s->ShowBorder());
    SetFlat(s->Flat());
    SetHintColor(s->HintColor());
    SetHintTextColor(s->HintTextColor());
    SetIsHTML(s->IsHTML());
    SetMinThumbSize(s->MinThumbSize());
    SetNoDisableButtons(s->NoDisableButtons());
    SetNoSunkenThumb(s->NoSunkenThumb());
    SetOwnerDraw(s->OwnerDraw());
    SetSecondaryButtons(s->SecondaryButtons());
    SetSecondBtnKind(s->SecondBtnKind());
    SetShowLeftArrows(s->ShowLeftArrows());
    SetShowRightArrows(s->ShowRightArrows());
    SetShowTrackHint(s->ShowTrackHint());
    SetStep(s->Step());
    SetSystemBkColor(s->SystemBkColor());
    SetThinFrame(s->ThinFrame());
    SetThumbMode(s->ThumbMode());
    SetThumbSize(s->ThumbSize());
    SetUseSystemMetrics(s->UseSystemMetrics());
    SetUseSystemStep(s->UseSystemStep());
    SetUseXPThemes(s->UseXPThemes());
    ForceScrollMessage = s->ForceScrollMessage;
    OnChange = s->OnChange;
}
