// THintWindow: the small window that shows a control's short hint near the mouse. The
// application's hint manager makes it from a replaceable class (TApplication::
// SetHintWindowClass), so that a themed hint window can take its place.
#pragma once

#include "framework/CustomControls.h"

#include <functional>
#include <string>

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    const char* ClassName() const override { return "THintWindow"; }

    // The rectangle, at (0, 0), that AHint needs when wrapped at MaxWidth.
    virtual TRect CalcHintRect(int MaxWidth, const std::u16string& AHint);
    // Shows AHint in Rect (screen coordinates, moved inside the work area), above every other
    // window and without taking the activation.
    virtual void ActivateHint(TRect Rect, const std::u16string& AHint);
    // Hides the window.
    virtual void ReleaseHint();

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // Text flags for the hint's reading order and wrapping.
    unsigned TextFlags() const;
};

// Makes the hint window the manager shows; the manager owns what it returns.
using THintWindowClass = std::function<THintWindow*()>;
