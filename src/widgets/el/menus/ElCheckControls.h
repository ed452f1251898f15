// The check box and the radio button. Both hold a tick (Checked) that code reads and writes;
// OnClick fires after the user changed it (a click, or the space bar), never when code sets it.
// Radio buttons of one parent uncheck each other, whoever checks one.
//
// The box stands at the left of the caption, at its right in right-to-left reading.
#pragma once

#include "widgets/el/menus/ElButtons.h"

// What the check box and the radio button share: the tick and their painting.
class TElCheckControl : public TElButtonControl {
public:
    explicit TElCheckControl(TComponent* AOwner);
    const char* ClassName() const override { return "TElCheckControl"; }

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool Value);

protected:
    virtual bool IsRadio() const = 0;
    void Paint() override;
    // The box and the caption's area.
    TRect BoxRect() const;
    TRect CaptionArea() const;

private:
    bool checked_ = false;
};

class TElCheckBox : public TElCheckControl {
public:
    explicit TElCheckBox(TComponent* AOwner);
    const char* ClassName() const override { return "TElCheckBox"; }

    // The user's toggle, then OnClick.
    void Click() override;

protected:
    bool IsRadio() const override { return false; }
};

class TElRadioButton : public TElCheckControl {
public:
    explicit TElRadioButton(TComponent* AOwner);
    const char* ClassName() const override { return "TElRadioButton"; }

    // Checking one unchecks the other radio buttons of the same parent.
    void SetChecked(bool Value) override;
    // The user's choice: an unchecked button becomes checked, then OnClick; a checked one
    // stays as it is and fires nothing.
    void Click() override;

protected:
    bool IsRadio() const override { return true; }
};
