// The published face of one replacement scroll bar: its look and behaviour, each setter with
// the effect it has on a bar that serves a control (repaint, new thumb offset, new frame), and
// Assign. "Repaint" is the bar's Invalidate; the host decides whether a repaint happens now.
#pragma once

#include "widgets/el/foundation/ElSBHandler.h"

class TElCtrlScrollBarStyles : public TElSBHandlerCustom {
public:
    using TElSBHandlerCustom::TElSBHandlerCustom;
    const char* ClassName() const override { return "TElCtrlScrollBarStyles"; }

    // Copies every published property through its setter, then OnChange. Another source goes to
    // the inherited Assign (a conversion error).
    void Assign(const TPersistent* Source) override;

    bool ActiveFlat() const { return styles_.ActiveFlat; }
    void SetActiveFlat(bool Value);
    // Not stored: the bar always behaves as with True.
    bool AltDisablingArrows() const { return true; }
    void SetAltDisablingArrows(bool Value) { (void)Value; }
    TColor ArrowColor() const { return styles_.ArrowColor; }
    void SetArrowColor(TColor Value);
    TColor ArrowHotTrackColor() const { return styles_.ArrowHotTrackColor; }
    void SetArrowHotTrackColor(TColor Value);
    uint32_t BarOffset() const { return styles_.BarOffset; }
    void SetBarOffset(uint32_t Value);
    TColor BarColor() const { return styles_.BarColor; }
    void SetBarColor(TColor Value);
    bool BlendBackground() const { return styles_.BlendBackground; }
    void SetBlendBackground(bool Value);
    // The stored size; the geometry uses the system's while UseSystemMetrics is set. Refused
    // unless > 0 and, on a control with a handle, at most half the bar's length.
    int32_t ButtonSize() const { return styles_.ButtonSize; }
    void SetButtonSize(int32_t Value);
    bool ChangeColorsOnScroll() const { return styles_.ChangeColorsOnScroll; }
    void SetChangeColorsOnScroll(bool Value) { styles_.ChangeColorsOnScroll = Value; }
    TColor Color() const { return styles_.Color; }
    void SetColor(TColor Value);
    // The published Width is the bar's thickness (Height of a horizontal bar, Width of a
    // vertical one); ignored while a bar with a host follows the system's metrics.
    int32_t StyleWidth() const { return Thickness(); }
    void SetStyleWidth(int32_t Value);
    bool DrawArrowFrames() const { return styles_.DrawArrowFrames; }
    void SetDrawArrowFrames(bool Value);
    bool DrawBars() const { return styles_.DrawBars; }
    void SetDrawBars(bool Value);
    // False also turns DrawArrowFrames off (and True leaves it off).
    bool ShowBorder() const { return styles_.ShowBorder; }
    void SetShowBorder(bool Value);
    bool Flat() const { return styles_.Flat; }
    void SetFlat(bool Value);
    TColor HintColor() const { return styles_.HintColor; }
    void SetHintColor(TColor Value) { styles_.HintColor = Value; }
    TColor HintTextColor() const { return styles_.HintTextColor; }
    void SetHintTextColor(TColor Value) { styles_.HintTextColor = Value; }
    bool IsHTML() const { return styles_.IsHTML; }
    void SetIsHTML(bool Value) { styles_.IsHTML = Value; }
    // Refused unless > 0.
    int32_t MinThumbSize() const { return styles_.MinThumbSize; }
    void SetMinThumbSize(int32_t Value);
    bool NoDisableButtons() const { return styles_.NoDisableButtons; }
    void SetNoDisableButtons(bool Value);
    bool NoSunkenThumb() const { return styles_.NoSunkenThumb; }
    void SetNoSunkenThumb(bool Value);
    bool OwnerDraw() const { return styles_.OwnerDraw; }
    void SetOwnerDraw(bool Value);
    bool SecondaryButtons() const { return styles_.SecondaryButtons; }
    void SetSecondaryButtons(bool Value);
    TElSecButtonsKind SecondBtnKind() const { return styles_.SecondBtnKind; }
    void SetSecondBtnKind(TElSecButtonsKind Value);
    bool ShowLeftArrows() const { return styles_.ShowLeftArrows; }
    void SetShowLeftArrows(bool Value);
    bool ShowRightArrows() const { return styles_.ShowRightArrows; }
    void SetShowRightArrows(bool Value);
    bool ShowTrackHint() const { return styles_.ShowTrackHint; }
    void SetShowTrackHint(bool Value) { styles_.ShowTrackHint = Value; }
    int32_t Step() const { return styles_.Step; }
    void SetStep(int32_t Value) { styles_.Step = Value; }
    bool SystemBkColor() const { return styles_.SystemBkColor; }
    void SetSystemBkColor(bool Value);
    bool ThinFrame() const { return styles_.ThinFrame; }
    void SetThinFrame(bool Value);
    TElScrollThumbMode ThumbMode() const { return styles_.ThumbMode; }
    void SetThumbMode(TElScrollThumbMode Value);
    // The system's thumb metric while UseSystemMetrics and etmFixed, else the stored value.
    int32_t ThumbSize() const;
    void SetThumbSize(int32_t Value);
    bool UseSystemMetrics() const { return styles_.UseSystemMetrics; }
    void SetUseSystemMetrics(bool Value);
    // Takes the system's arrow size and bar thickness again (the user changed them), when the
    // bar follows the system's metrics. The host measures its frame again afterwards.
    void RefreshSystemMetrics();
    bool UseSystemStep() const { return styles_.UseSystemStep; }
    void SetUseSystemStep(bool Value) { styles_.UseSystemStep = Value; }
    bool UseXPThemes() const { return styles_.UseXPThemes; }
    void SetUseXPThemes(bool Value);

private:
    // Stores Value in Field; true when it changed.
    template <class T>
    bool Store(T& Field, T Value)
    {
        if (Field == Value)
            return false;
        Field = Value;
        return true;
    }
    // Recomputes the thumb offset and repaints.
    void Relayout();
};
