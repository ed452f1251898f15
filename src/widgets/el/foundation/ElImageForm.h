// TElImageForm: a painted background for a form (a colour, a tiled, stretched, centred or
// top-left bitmap, or a gradient) that the widget layer's controls draw behind themselves so
// that they look transparent, and that the form shows itself. It can also shape the form's
// window from a picture (the picture's pixels other than TransparentColor) and let the user drag
// the form by its background.
//
// Controls that draw the background register a change link and repaint when it fires; they
// hold the image form through a weak reference, so a freed image form simply disappears.
#pragma once

#include "widgets/el/foundation/ElComponent.h"
#include "widgets/el/foundation/ElHook.h"

#include "framework/Bitmap.h"
#include "framework/Components.h"
#include "framework/CustomControls.h"
#include "framework/ExtCtrls.h"

#include <memory>
#include <vector>

enum TElBkGndType : uint8_t {
    bgtTileBitmap, bgtStretchBitmap, bgtColorFill, bgtCenterBitmap, bgtHorzGradient, bgtVertGradient, bgtTopLeftBitmap,
};

class TCustomElImageForm;

// A dependant's hook into an image form: Change calls OnChange while the link is registered.
class TImgFormChangeLink {
public:
    TImgFormChangeLink() = default;
    // Leaves the image form it is registered with.
    ~TImgFormChangeLink();
    TImgFormChangeLink(const TImgFormChangeLink&) = delete;
    TImgFormChangeLink& operator=(const TImgFormChangeLink&) = delete;

    TCustomElImageForm* Sender() const { return sender_.Get(); }
    // Registers the link with Form (none when null), leaving the form it was registered with.
    void SetSender(TCustomElImageForm* Form);
    TNotifyEvent OnChange;
    virtual void Change();

private:
    friend class TCustomElImageForm;
    TWeakRef<TCustomElImageForm> sender_;
};

class TCustomElImageForm : public TElComponent {
public:
    explicit TCustomElImageForm(TComponent* AOwner);
    ~TCustomElImageForm() override;
    const char* ClassName() const override { return "TCustomElImageForm"; }

    void RegisterChanges(TImgFormChangeLink* Link);
    void UnregisterChanges(TImgFormChangeLink* Link);

    // Paints into DC's rectangle R the part of the background that lies behind ChildControl,
    // R's top-left corner showing what lies behind the child's client point Origin (the form's
    // scroll positions taken into account). With LeaveTransparent a bitmap is drawn without its
    // transparent colour (the bitmap's own, else its bottom-left pixel's).
    void PaintBkgnd(HDC DC, TControl* ChildControl, const TRect& R, TPoint Origin, bool LeaveTransparent = false);
    // The window whose background this is: Control when set, else the owner.
    TWinControl* GetRealControl() const;

    // When set, only a press on this control drags the form.
    TGraphicControl* CaptionControl() const { return captionControl_.Get(); }
    void SetCaptionControl(TGraphicControl* Value) { captionControl_ = Value; }
    bool MoveForm = false;

    // The bitmap of the bitmap kinds (owned). After drawing into it, call BackgroundChanged.
    TBitmap* Background() { return background_.get(); }
    void SetBackground(const TBitmap* Value);
    void BackgroundChanged();
    TElBkGndType BackgroundType() const { return backgroundType_; }
    void SetBackgroundType(TElBkGndType Value);
    // Bands of a gradient; at least 1.
    int32_t GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int32_t Value);
    TColor GradientStartColor() const { return gradientStart_; }
    void SetGradientStartColor(TColor Value);
    TColor GradientEndColor() const { return gradientEnd_; }
    void SetGradientEndColor(TColor Value);

    // The window region from FormImage's picture: every pixel but TransparentColor.
    bool ChangeFormRegion() const { return changeFormRegion_; }
    void SetChangeFormRegion(bool Value);
    TImage* FormImage() const { return formImage_.Get(); }
    void SetFormImage(TImage* Value);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor Value);
    // Builds the region again (after drawing into FormImage's picture).
    void UpdateRegion();

    TWinControl* Control() const { return control_.Get(); }
    void SetControl(TWinControl* Value);

private:
    void Changed();
    void AttachHook();
    void HookBefore(TMessage& Msg, bool& Handled);
    void HookAfter(TMessage& Msg);
    // Paints the whole background in form client coordinates, DC's (0, 0) showing form point
    // Origin; what lies outside DC's clip is skipped.
    void PaintAt(HDC DC, TPoint Origin, bool LeaveTransparent);
    void PaintBitmap(HDC DC, int X, int Y, bool LeaveTransparent);
    TBitmap* Stretched(int Width, int Height);
    // True when the form's client point P is background that drags the form.
    bool IsDragPoint(TWinControl* Form, TPoint P) const;
    TPoint ScrollOffset(TWinControl* Form) const;

    std::unique_ptr<TBitmap> background_;
    std::unique_ptr<TBitmap> stretched_;  // the background at the form's size, for bgtStretchBitmap
    bool stretchedValid_ = false;
    TElBkGndType backgroundType_ = bgtColorFill;
    int32_t gradientSteps_ = 16;
    TColor gradientStart_ = clBlack;
    TColor gradientEnd_ = clWhite;
    bool changeFormRegion_ = false;
    TWeakRef<TImage> formImage_;
    TColor transparentColor_ = clFuchsia;
    TWeakRef<TGraphicControl> captionControl_;
    TWeakRef<TWinControl> control_;
    TOwned<TElHook> hook_;
    std::vector<TImgFormChangeLink*> links_;
};

class TElImageForm : public TCustomElImageForm {
public:
    using TCustomElImageForm::TCustomElImageForm;
    const char* ClassName() const override { return "TElImageForm"; }
};
