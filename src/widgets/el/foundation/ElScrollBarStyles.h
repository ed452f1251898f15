// The published property group of a stand-alone scroll bar. It holds nothing of its own: every
// property reads and writes the owning bar (the bar model, standing alone), whose setters keep
// the bar's rules - a changed value recomputes the layout and repaints once the bar has a
// window and is not loading; ButtonSize, MinThumbSize and ThumbSize take values of 1 and more
// (ButtonSize only one that fits twice into the bar); switching UseSystemMetrics on takes the
// system's arrow size and thickness again; MinThumbSize relayouts only in etmAuto.
#pragma once

#include "widgets/el/foundation/ElCtrlScrollBarStyles.h"

class TCustomElImageForm;

class TElScrollBarStyles : public TPersistent {
public:
    // A stand-alone bar lets its thumb shrink to 4 pixels (a bar serving a control keeps 12).
    explicit TElScrollBarStyles(TElCtrlScrollBarStyles& Owner) : owner_(Owner) { owner_.SetMinThumbSize(4); }
    const char* ClassName() const override { return "TElScrollBarStyles"; }

    TElCtrlScrollBarStyles& Owner() const { return owner_; }
    TNotifyEvent OnChange;

    // From another group: ActiveFlat, BlendBackground, Color, Flat, MinThumbSize, OwnerDraw,
    // SecondaryButtons, SecondBtnKind, ShowTrackHint, ThumbMode and ThumbSize, through the
    // owner's setters. Any other source goes to the inherited Assign.
    void Assign(const TPersistent* Source) override;

    bool ActiveFlat() const { return owner_.ActiveFlat(); }
    void SetActiveFlat(bool Value) { owner_.SetActiveFlat(Value); }
    TColor ArrowColor() const { return owner_.ArrowColor(); }
    void SetArrowColor(TColor Value) { owner_.SetArrowColor(Value); }
    TColor ArrowHotTrackColor() const { return owner_.ArrowHotTrackColor(); }
    void SetArrowHotTrackColor(TColor Value) { owner_.SetArrowHotTrackColor(Value); }
    TColor BarColor() const { return owner_.BarColor(); }
    void SetBarColor(TColor Value) { owner_.SetBarColor(Value); }
    uint32_t BarOffset() const { return owner_.BarOffset(); }
    void SetBarOffset(uint32_t Value) { owner_.SetBarOffset(Value); }
    bool BlendBackground() const { return owner_.BlendBackground(); }
    void SetBlendBackground(bool Value) { owner_.SetBlendBackground(Value); }
    int32_t ButtonSize() const { return owner_.ButtonSize(); }
    void SetButtonSize(int32_t Value) { owner_.SetButtonSize(Value); }
    TColor Color() const { return owner_.Color(); }
    void SetColor(TColor Value) { owner_.SetColor(Value); }
    bool DrawArrowFrames() const { return owner_.DrawArrowFrames(); }
    void SetDrawArrowFrames(bool Value) { owner_.SetDrawArrowFrames(Value); }
    bool DrawBars() const { return owner_.DrawBars(); }
    void SetDrawBars(bool Value) { owner_.SetDrawBars(Value); }
    bool Flat() const { return owner_.Flat(); }
    void SetFlat(bool Value) { owner_.SetFlat(Value); }
    TColor HintColor() const { return owner_.HintColor(); }
    void SetHintColor(TColor Value) { owner_.SetHintColor(Value); }
    TColor HintTextColor() const { return owner_.HintTextColor(); }
    void SetHintTextColor(TColor Value) { owner_.SetHintTextColor(Value); }
    // The bar draws no image-form background: reads nil, and writing is ignored, as the bar's.
    TCustomElImageForm* ImageForm() const { return nullptr; }
    void SetImageForm(TCustomElImageForm* Value) { (void)Value; }
    int32_t MinThumbSize() const { return owner_.MinThumbSize(); }
    void SetMinThumbSize(int32_t Value) { owner_.SetMinThumbSize(Value); }
    bool NoDisableButtons() const { return owner_.NoDisableButtons(); }
    void SetNoDisableButtons(bool Value) { owner_.SetNoDisableButtons(Value); }
    bool NoSunkenThumb() const { return owner_.NoSunkenThumb(); }
    void SetNoSunkenThumb(bool Value) { owner_.SetNoSunkenThumb(Value); }
    bool OwnerDraw() const { return owner_.OwnerDraw(); }
    void SetOwnerDraw(bool Value) { owner_.SetOwnerDraw(Value); }
    bool SecondaryButtons() const { return owner_.SecondaryButtons(); }
    void SetSecondaryButtons(bool Value) { owner_.SetSecondaryButtons(Value); }
    TElSecButtonsKind SecondBtnKind() const { return owner_.SecondBtnKind(); }
    void SetSecondBtnKind(TElSecButtonsKind Value) { owner_.SetSecondBtnKind(Value); }
    bool ShowBorder() const { return owner_.ShowBorder(); }
    void SetShowBorder(bool Value) { owner_.SetShowBorder(Value); }
    bool ShowLeftArrows() const { return owner_.ShowLeftArrows(); }
    void SetShowLeftArrows(bool Value) { owner_.SetShowLeftArrows(Value); }
    bool ShowRightArrows() const { return owner_.ShowRightArrows(); }
    void SetShowRightArrows(bool Value) { owner_.SetShowRightArrows(Value); }
    bool ShowTrackHint() const { return owner_.ShowTrackHint(); }
    void SetShowTrackHint(bool Value) { owner_.SetShowTrackHint(Value); }
    bool SystemBkColor() const { return owner_.SystemBkColor(); }
    void SetSystemBkColor(bool Value) { owner_.SetSystemBkColor(Value); }
    bool ThinFrame() const { return owner_.ThinFrame(); }
    void SetThinFrame(bool Value) { owner_.SetThinFrame(Value); }
    TElScrollThumbMode ThumbMode() const { return owner_.ThumbMode(); }
    void SetThumbMode(TElScrollThumbMode Value) { owner_.SetThumbMode(Value); }
    int32_t ThumbSize() const { return owner_.ThumbSize(); }
    void SetThumbSize(int32_t Value) { owner_.SetThumbSize(Value); }
    bool UseSystemMetrics() const { return owner_.UseSystemMetrics(); }
    void SetUseSystemMetrics(bool Value) { owner_.SetUseSystemMetrics(Value); }
    bool UseXPThemes() const { return owner_.UseXPThemes(); }
    void SetUseXPThemes(bool Value) { owner_.SetUseXPThemes(Value); }
    // The bar's thickness.
    int32_t Width() const { return owner_.StyleWidth(); }
    void SetWidth(int32_t Value) { owner_.SetStyleWidth(Value); }

private:
    TElCtrlScrollBarStyles& owner_;
};
