// TElFormCaption: paints its texts into the caption bar of the form that owns it.
//
// While Active, the component sits in the form's message chain (a window hook) and, after the
// system has drawn the non-client area (WM_NCPAINT, WM_NCACTIVATE, WM_SETTEXT), paints the
// caption bar's text area again: the caption colours of the form's active state, then the
// visible texts where PlaceCaptionTexts puts them, in the system's caption font. The system
// icon and the caption buttons stay the system's. Inactive, the bar is the system's own.
#pragma once

#include "widgets/el/menus/ElFormCaptionTexts.h"

#include "widgets/el/foundation/ElComponent.h"

#include "framework/Types.h"

class TCustomForm;
class TElHook;

class TElFormCaption : public TElComponent {
public:
    // AOwner is the form whose caption bar the component paints.
    explicit TElFormCaption(TComponent* AOwner);
    ~TElFormCaption() override;
    const char* ClassName() const override { return "TElFormCaption"; }

    TElCaptionTexts& Texts() { return texts_; }
    bool Active() const { return active_; }
    void SetActive(bool Value);

    // The part of the caption bar the texts stand in, in window coordinates; empty when the
    // form has no window or no caption bar.
    TRect TextArea() const;

private:
    TCustomForm* Form() const;
    // Paints the caption bar again when the component is active and the form has a window.
    void Repaint();
    void PaintCaption();

    TElCaptionTexts texts_;
    TElHook* hook_;  // owned as a component
    bool active_ = false;
    bool formActive_ = false;
};
