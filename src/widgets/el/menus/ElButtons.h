// The focusable buttons: TElButtonControl, the base of the push button, check box and radio
// button, and TElPopupButton, the dialogs' push button.
//
// A button control takes the focus on a click and with Tab; it is pressed by the left mouse
// button (clicked when released inside) and by the space bar (clicked when released).
//
// TElPopupButton plays the dialog roles: its ModalResult goes on its form before OnClick runs
// (so the handler may take it back by setting the form's result to 0); Enter presses the
// focused button, else the default one; Escape presses the cancel button. A hidden or disabled
// button takes no key.
#pragma once

#include "widgets/el/menus/ElButtonsCore.h"
#include "widgets/el/menus/ElButtonsGlyph.h"

#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Forms.h"

#include <string>

class TElButtonControl : public TElXPThemedControl {
public:
    explicit TElButtonControl(TComponent* AOwner);
    const char* ClassName() const override { return "TElButtonControl"; }

    // The left button or the space bar holds the button down (the mouse inside it).
    bool Pressed() const { return pressed_; }
    bool MouseInControl() const { return hot_; }

    void WndProc(TMessage& Message) override;

protected:
    std::u16string GetThemedClassName() const override { return u"BUTTON"; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void EnabledChanged() override;

    // Repaints when the look changed (only with a window, not while loading).
    void LookChanged();
    // The caption in R with the control's font (greyed when disabled), by DrawText flags; the
    // rectangle it took comes back in R when Flags hold DT_CALCRECT.
    void DrawCaption(TRect& R, UINT Flags);
    // DrawText flags of the control's reading order.
    UINT ReadingFlags() const;

private:
    void SetPressed(bool Value);
    bool pressed_ = false;
    bool hot_ = false;
    bool spaceHeld_ = false;
};

class TElPopupButton : public TElButtonControl {
public:
    explicit TElPopupButton(TComponent* AOwner);
    const char* ClassName() const override { return "TElPopupButton"; }

    TModalResult ModalResult = mrNone;
    bool Cancel = false;
    bool Default() const { return default_; }
    void SetDefault(bool Value);

    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout Value);
    const TBitmap* Glyph() const { return glyph_.Bitmap(); }
    // Assigned by copy; nil clears it.
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int Value);

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;

private:
    bool default_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    TElButtonGlyph glyph_;
};
