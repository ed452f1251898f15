// The label: a caption painted on its parent (no window of its own), word-wrapped inside its
// width when WordWrap is on. Writing the caption repaints the label; with AutoSize the label
// first fits its size to the text (its height only, when it wraps). A disabled label paints
// its text greyed. In right-to-left reading the alignment is mirrored.
#pragma once

#include "framework/CustomControls.h"

class TCustomElLabel : public TGraphicControl {
public:
    explicit TCustomElLabel(TComponent* AOwner);
    const char* ClassName() const override { return "TCustomElLabel"; }

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    // Off: the label fills its area with its colour before the text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);

    // The size the caption takes with the label's font and wrapping (wrapped at the current
    // width).
    TSize TextSize();

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void AdjustBounds();
    unsigned DrawFlags() const;

private:
    void LookChanged();

    bool wordWrap_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = true;
};

class TElLabel : public TCustomElLabel {
public:
    using TCustomElLabel::TCustomElLabel;
    const char* ClassName() const override { return "TElLabel"; }
};
