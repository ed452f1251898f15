// TElFloatSpinEdit: an edit for a decimal number with an up-and-down button at its side.
//
// Value writes the number as the edit's text with Digits decimals (FloatSpinText); the form
// reads the number back from Text with the framework's text-to-float conversion. The button's
// halves, the Up and Down keys (Increment) and Page Up and Page Down (LargeIncrement) step the
// value within MinValue and MaxValue, and the caret stays where it was; a half held down repeats
// its step until it is let go. A typed number stays as the user typed it, also outside the
// limits, so that the form reading the text can refuse it in the user's own words rather than
// store a limit the user never saw; Value reads it within the limits, and a step starts there.
// OnChange fires on every change of the text; keys typed reach OnKeyDown, OnKeyPress and OnKeyUp
// first (the spin edit as sender), which may change them or swallow them by setting them to 0.
//
// The edit keeps the height it is given (no AutoSize), so that each half of the button has the
// room the form's layout meant for it.
#pragma once

#include "widgets/el/editing/ElButtonEdit.h"

class TTimer;

class TElFloatSpinEdit : public TCustomElButtonEdit {
public:
    explicit TElFloatSpinEdit(TComponent* AOwner);
    const char* ClassName() const override { return "TElFloatSpinEdit"; }

    // The text read as a number and kept within the limits; the value last written when the
    // text is not a number.
    double Value() const;
    void SetValue(double Value);

    double Increment() const { return increment_; }
    void SetIncrement(double Value) { increment_ = Value; }
    double LargeIncrement() const { return largeIncrement_; }
    void SetLargeIncrement(double Value) { largeIncrement_ = Value; }
    // Steps keep the value between them and Value reads a typed one within them; with MaxValue
    // not above MinValue it is free.
    double MinValue() const { return minValue_; }
    void SetMinValue(double Value) { minValue_ = Value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double Value) { maxValue_ = Value; }
    // Decimals shown (0 to 15); the text is written again.
    int Digits() const { return digits_; }
    void SetDigits(int Value);

    // Moves the value by Delta within the limits; the caret keeps its place.
    void Step(double Delta);

    // While a half of the button is held: the wait before the first repeated step, and the time
    // between the following ones (ms).
    static constexpr uint32_t RepeatDelayMs = 400;
    static constexpr uint32_t RepeatIntervalMs = 100;

protected:
    void EditKeyDown(uint16_t& Key, TShiftState Shift) override;
    void ButtonClick() override;

private:
    // The step of the half the button's last press went to.
    double PressedStep() const;

    TTimer* repeat_ = nullptr;  // owned (component ownership)
    double value_ = 0.0;
    double increment_ = 1.0;
    double largeIncrement_ = 10.0;
    double minValue_ = 0.0;
    double maxValue_ = 0.0;
    int digits_ = 2;
};
