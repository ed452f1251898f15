// TElFloatSpinEdit: an edit for a decimal number with an up-and-down button at its side.
//
// Value writes the number as the edit's text with Digits decimals (FloatSpinText); the shell
// reads the number back from Text with the framework's text-to-float conversion. The button's
// halves, the Up and Down keys (Increment) and Page Up and Page Down (LargeIncrement) step the
// value within MinValue and MaxValue. OnChange fires on every change of the text; keys typed
// reach OnKeyDown, OnKeyPress and OnKeyUp first (the spin edit as sender), which may change them
// or swallow them by setting them to 0.
#pragma once

#include "widgets/el/editing/ElButtonEdit.h"

class TElFloatSpinEdit : public TCustomElButtonEdit {
public:
    explicit TElFloatSpinEdit(TComponent* AOwner);
    const char* ClassName() const override { return "TElFloatSpinEdit"; }

    // The text read as a number; the value last written when the text is not one.
    double Value() const;
    void SetValue(double Value);

    double Increment() const { return increment_; }
    void SetIncrement(double Value) { increment_ = Value; }
    double LargeIncrement() const { return largeIncrement_; }
    void SetLargeIncrement(double Value) { largeIncrement_ = Value; }
    // Stepping keeps the value between them; with MaxValue not above MinValue it is free.
    double MinValue() const { return minValue_; }
    void SetMinValue(double Value) { minValue_ = Value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double Value) { maxValue_ = Value; }
    // Decimals shown (0 to 15); the text is written again.
    int Digits() const { return digits_; }
    void SetDigits(int Value);

    // Moves the value by Delta within the limits.
    void Step(double Delta);

protected:
    void EditKeyDown(uint16_t& Key, TShiftState Shift) override;
    void ButtonClick() override;

private:
    double value_ = 0.0;
    double increment_ = 1.0;
    double largeIncrement_ = 10.0;
    double minValue_ = 0.0;
    double maxValue_ = 0.0;
    int digits_ = 2;
};
